#include "image/tone.h"

#include <cstdlib>

#include "core/direct_image.h"
#include "core/level_image.h"
#include "core/pixel_image.h"
#include "image/colour_tone.h"
#include "image/grey_tone.h"
#include "image/image_options.h"

bool ParseThreshold(const char* text, uint32_t* hundredths) {
    char* end = nullptr;
    double value = std::strtod(text, &end);
    if (end == text || !(value >= 0)) return false;
    if (*end == '%' && end[1] == '\0') {
        if (value > 100) return false;
        *hundredths = static_cast<uint32_t>(value * 255 + 0.5);
        return true;
    }
    if (*end != '\0' || value > 255 || value != static_cast<uint32_t>(value)) return false;
    *hundredths = static_cast<uint32_t>(value) * 100;
    return true;
}

// The format picks its quantiser, here and nowhere else.
bool ToneRows(const ToneSource& source, const ImageOptions& options, PixelImage* image) {
    const PixelFormat format = options.format;
    image->Start(format);
    bool toned = false;
    switch (KindOf(format)) {
    case PixelKind::Mono:
        toned = ToneDarkLight(source, options.tone, &image->Bitmap());
        break;
    case PixelKind::Grey:
    case PixelKind::Alpha:
        toned = ToneLevels(source, options.tone, format, &image->Levels());
        break;
    case PixelKind::Index: {
        toned = TonePalette(source, options.tone, options.palette, &image->Levels());
        image->SetPalette(options.palette.ValueColours(), options.palette.ShownColours());
        break;
    }
    case PixelKind::Direct:
        toned = ToneDirect(source, options.tone, format, &image->Direct());
        break;
    }
    if (!toned) image->Release();
    return toned;
}

bool ToneBitmap(const PixelImage& oneBit, const ImageOptions& options, PixelImage* image) {
    if (!KeepsColour(options.format)) {
        image->Start(options.format);
        if (LevelsOfBitmap(oneBit.Bitmap(), options.format, &image->Levels())) return true;
        image->Release();
        return false;
    }
    ChannelImage greys;
    if (!ShownPixels(oneBit, GreyFrom::Luminance, &greys)) return false;
    const ToneSource source = {greys.Rows(), true, options.tone.blackBackground ? 0u : 255u};
    return ToneRows(source, options, image);
}
