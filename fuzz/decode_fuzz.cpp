// Feeds arbitrary bytes to the converter's input path (the 1-bit BMP
// reader, then the decoder, the frame and the tone options that the first
// six bytes pick) and, when an image comes out, checks its size against
// the frame, and the image against its own BMP and PNG forms, its preview
// and its packed bytes.
//   byte 0: bits 0-1 dither (none, Floyd-Steinberg, Atkinson, Bayer), bit 2
//           black background, bits 3-7 the threshold in 32 steps
//   byte 1: bit 0 a frame is given, bits 1-2 fit, bits 3-4 rotation, bit 5
//           flip left-right, bit 6 flip top-bottom
//   bytes 2 and 3: the frame's width and height less one, modulo 64 (small
//           frames take every path as large ones do, many times faster)
//   byte 4: the alignment (modulo 9), then the resampling filter (modulo 6),
//           then the depth: 1, 2, 4 or 8 (byte 4 / 54, modulo 4)
//   byte 5: colour (modulo 10): none, the palettes bwr, bwyr, acep7,
//           spectra6 (a value unused) and two colours of 1 bit, the formats
//           rgb565, rgb332, argb8888 and rgb565a8
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/mono_bitmap.h"
#include "core/packed_image.h"
#include "core/pixel_bmp.h"
#include "forms/png_form.h"
#include "fuzz/fuzz_check.h"
#include "image/file_kind.h"
#include "image/image_decoder.h"
#include "image/image_input.h"
#include "image/preview.h"

namespace {

const size_t kLead = 6;

// The most pixels an input's image may have (64 x 64, the largest frame
// the option bytes give): large images take long to decode, scale and
// check and teach little more than small ones, and the limits themselves
// have tests of their own. So bounded, each input takes about a
// millisecond under the sanitizers.
const uint64_t kMostPixels = uint64_t(1) << 12;

bool Collect(void* context, const char* text, uint32_t size) {
    auto* bytes = static_cast<std::vector<uint8_t>*>(context);
    bytes->insert(bytes->end(), text, text + size);
    return true;
}

bool Count(void* context, const char*, uint32_t size) {
    *static_cast<uint64_t*>(context) += size;
    return true;
}

ImageOptions OptionsFrom(const uint8_t* lead) {
    ImageOptions options;
    options.tone.dither = static_cast<Dither>(lead[0] & 3);
    options.tone.blackBackground = (lead[0] & 4) != 0;
    options.tone.thresholdHundredths = (lead[0] >> 3) * 25500u / 31;
    FrameOptions& frame = options.frame;
    if (lead[1] & 1) {
        frame.width = lead[2] % 64 + 1u;
        frame.height = lead[3] % 64 + 1u;
    }
    frame.fit = static_cast<Fit>((lead[1] >> 1) & 3);
    frame.rotate = ((lead[1] >> 3) & 3) * 90u;
    frame.flipH = (lead[1] & 32) != 0;
    frame.flipV = (lead[1] & 64) != 0;
    frame.alignX = lead[4] % 9 % 3 - 1;
    frame.alignY = lead[4] % 9 / 3 - 1;
    frame.resample = static_cast<Resample>(lead[4] / 9 % 6);
    options.format = FormatOf(PixelKind::Grey, 1u << (lead[4] / 54 % 4));
    static const char* const kPalettes[] = {"bwr", "bwyr", "acep7", "spectra6", "#102030,#E0D0C0"};
    static const PixelFormat kFormats[] = {PixelFormat::Rgb565, PixelFormat::Rgb332, PixelFormat::Argb8888,
                                           PixelFormat::Rgb565A8};
    const uint32_t colour = lead[5] % 10;
    std::string unused;
    if (colour >= 1 && colour <= 5) {
        ParsePalette(kPalettes[colour - 1], &options.palette, &unused);
        options.format = FormatOf(PixelKind::Index, options.palette.Depth());
    }
    if (colour >= 6) options.format = kFormats[colour - 6];
    return options;
}

PixelImage picture;
PixelImage copy;
DecodedImage decoded;

// An image against its own forms: its PNG decodes to the colours each
// pixel shows, its BMP to the same without alpha (a palette's values in
// their own colours, not their inks); its preview is a character a
// pixel and a line feed a row; its bytes unpack to it; a palette's values
// are the palette's used values.
void CheckForms(const ImageOptions& options) {
    const uint64_t pixels = static_cast<uint64_t>(picture.Width()) * picture.Height();
    const PixelFormat format = picture.Format();
    if (pixels == 0 || pixels > kMostPixels) return;
    std::string why;
    for (bool png : {false, true}) {
        std::vector<uint8_t> file;
        FUZZ_CHECK(png ? EmitPng(picture, Collect, &file) : EmitPixelBmp(picture, Collect, &file));
        FUZZ_CHECK(DecodeImage(file.data(), file.size(), &decoded, &why));
        FUZZ_CHECK(decoded.Width() == picture.Width() && decoded.Height() == picture.Height());
        const uint32_t channels = decoded.Channels();
        const uint32_t compared = png ? ShownChannels(format) : std::min(ShownChannels(format), 3u);
        for (uint32_t y = 0; y < picture.Height(); ++y)
            for (uint32_t x = 0; x < picture.Width(); ++x) {
                uint8_t rgba[4];
                picture.ShownColour(x, y, rgba);
                if (!png && IsIndexed(format)) {
                    // A BMP's palette is the values' colours, as drivers match them; a PNG shows the inks.
                    const Rgb colour = picture.Palette()[picture.Get(x, y)];
                    rgba[0] = colour.r, rgba[1] = colour.g, rgba[2] = colour.b;
                }
                const uint8_t* p = decoded.Pixels() + (static_cast<size_t>(y) * picture.Width() + x) * channels;
                for (uint32_t c = 0; c < compared; ++c) FUZZ_CHECK(p[c] == rgba[c]);
            }
    }
    uint64_t length = 0;
    FUZZ_CHECK(IsMono(format) ? EmitPreview(picture.Bitmap(), PreviewStyle::Ascii, Count, &length)
                              : EmitShadesPreview(picture, false, Count, &length));
    FUZZ_CHECK(length == pixels + picture.Height());
    for (uint32_t y = 0; y < picture.Height() && IsIndexed(format); ++y)
        for (uint32_t x = 0; x < picture.Width(); ++x) {
            const uint32_t value = picture.Get(x, y);
            FUZZ_CHECK(value < options.palette.Size() && !options.palette.unused[value]);
        }
    for (bool big : {false, true}) {
        PackOptions pack;
        SetDefaultOptions(&pack.layout);
        pack.bigEndian = big;
        std::unique_ptr<PackedGrid> grid = PackImage(picture, pack);
        FUZZ_CHECK(grid != nullptr);
        std::vector<uint8_t> bytes(static_cast<size_t>(grid->ItemsPerLine()) * grid->LineCount());
        for (uint32_t line = 0; line < grid->LineCount(); ++line)
            grid->Pack(line, 0, grid->ItemsPerLine(), bytes.data() + static_cast<size_t>(line) * grid->ItemsPerLine());
        const PackedShape shape = {picture.Width(), picture.Height(), format, pack.layout, big};
        FUZZ_CHECK(bytes.size() == PackedImageSize(shape));
        FUZZ_CHECK(UnpackPixels(bytes.data(), bytes.size(), shape, &copy));
        for (uint32_t y = 0; y < picture.Height(); ++y)
            for (uint32_t x = 0; x < picture.Width(); ++x) FUZZ_CHECK(copy.Get(x, y) == picture.Get(x, y));
    }
}

Animation animation;
PreparedImage frames[2];
PixelImage toned[2];

// Every frame of a sound animation decodes (or all of it is refused with
// a reason) and tones to the frame's size, the frame before steadying it.
// A GIF's frames are those its blocks hold; a WebP's, those its chunks do.
void CheckAnimation(const uint8_t* data, size_t size, const ImageOptions& options, const GifFacts* facts,
                    uint32_t webpFrames) {
    std::string why;
    if (facts ? !DecodeAnimation(data, size, *facts, &animation, &why)
              : !DecodeWebpAnimation(data, size, &animation, &why)) {
        FUZZ_CHECK(!why.empty() && animation.Count() == 0);
        return;
    }
    if (facts)
        FUZZ_CHECK(animation.Count() == facts->delays.size() && animation.Width() == facts->width &&
                   animation.Height() == facts->height);
    else
        FUZZ_CHECK(animation.Count() == webpFrames);
    FUZZ_CHECK(static_cast<uint64_t>(animation.Width()) * animation.Height() * animation.Count() <= kMaxDecodedPixels);
    for (uint32_t i = 0; i < animation.Count(); ++i) {
        PreparedImage& now = frames[i % 2];
        const bool first = i == 0;
        FUZZ_CHECK(PrepareFrame(animation, i, options, &now, &why));
        FUZZ_CHECK(ToneFrame(now, options, first ? nullptr : &frames[(i + 1) % 2],
                             first ? nullptr : &toned[(i + 1) % 2], &toned[i % 2], &why));
        const FrameOptions& frame = options.frame;
        const bool across = frame.rotate == 90 || frame.rotate == 270;
        FUZZ_CHECK(toned[i % 2].Width() == (frame.width ? frame.width
                                            : across    ? animation.Height()
                                                        : animation.Width()));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kLead) return 0;
    const ImageOptions options = OptionsFrom(data);
    uint32_t declaredWidth = 0, declaredHeight = 0;
    if (DeclaredSize(data + kLead, size - kLead, &declaredWidth, &declaredHeight) &&
        static_cast<uint64_t>(declaredWidth) * declaredHeight > kMostPixels)
        return 0;
    // The same for the BMPs the decoder's header reader refuses but the
    // 1-bit reader may take: the signed sizes in the header itself.
    if (size >= kLead + 26 && data[kLead] == 'B' && data[kLead + 1] == 'M') {
        auto field = [&](size_t at) {
            const uint8_t* p = data + kLead + at;
            const int64_t value =
                static_cast<int32_t>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
            return static_cast<uint64_t>(value < 0 ? -value : value);
        };
        if (field(18) * field(22) > kMostPixels) return 0;
    }
    // An animated GIF: its frames, each framed and toned after the one
    // before, as the converter runs them.
    GifFacts facts;
    if (FileKindOf(data + kLead, size - kLead) == FileKind::Gif) {
        if (!GifProblem(data + kLead, size - kLead, &facts).empty()) return 0;
        if (static_cast<uint64_t>(facts.width) * facts.height * facts.delays.size() > kMostPixels) return 0;
        if (facts.delays.size() > 1) {
            CheckAnimation(data + kLead, size - kLead, options, &facts, 0);
            return 0;
        }
    }
    // An animated WebP, its frames bounded as a GIF's are.
    if (FileKindOf(data + kLead, size - kLead) == FileKind::Webp) {
        const uint32_t count = WebpFrameCount(data + kLead, size - kLead);
        if (static_cast<uint64_t>(declaredWidth) * declaredHeight * count > kMostPixels) return 0;
        if (count > 1) {
            CheckAnimation(data + kLead, size - kLead, options, nullptr, count);
            return 0;
        }
    }
    std::string why;
    InputSize source;
    if (!ConvertImageBytes(data + kLead, size - kLead, options, &picture, &why, &source)) {
        FUZZ_CHECK(!picture.Held() && !why.empty() && why.find('\n') == std::string::npos);
        return 0;
    }
    FUZZ_CHECK(picture.Format() == options.format);
    const uint64_t pixels = static_cast<uint64_t>(picture.Width()) * picture.Height();
    // Only a 1-bit BMP may be larger than the decoder's cap.
    FUZZ_CHECK(pixels <= kMaxDecodedPixels || data[kLead] == 'B');
    // The frame's size exactly, or the source's own, turned.
    const FrameOptions& frame = options.frame;
    const bool across = frame.rotate == 90 || frame.rotate == 270;
    if (frame.width) {
        FUZZ_CHECK(picture.Width() == frame.width && picture.Height() == frame.height);
    } else {
        FUZZ_CHECK(picture.Width() == (across ? source.height : source.width));
        FUZZ_CHECK(picture.Height() == (across ? source.width : source.height));
    }
    // A 1-bit image's BMP form is its headers alone, whatever height it
    // claims, and loads again as the same image.
    if (IsMono(picture.Format())) {
        std::vector<uint8_t> bmp;
        FUZZ_CHECK(EmitPixelBmp(picture, Collect, &bmp));
        if (pixels == 0) FUZZ_CHECK(bmp.size() == 62);
        if (pixels == 0) return 0;
        copy.Release();
        FUZZ_CHECK(copy.Bitmap().LoadFromMemory(bmp.data(), bmp.size()));
        FUZZ_CHECK(copy.Width() == picture.Width() && copy.Height() == picture.Height());
        for (uint32_t y = 0; y < picture.Height(); ++y)
            for (uint32_t x = 0; x < picture.Width(); ++x) FUZZ_CHECK(copy.Get(x, y) == picture.Get(x, y));
    }
    CheckForms(options);
    return 0;
}
