#include "forms/png_form.h"

#include <cstdint>
#include <memory>
#include <new>

#include "core/pixel_image.h"
#include "forms/output_form.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#endif
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

struct Written {
    ByteSink sink;
    void* context;
    bool ok;
};

void WriteOut(void* context, void* data, int size) {
    Written* written = static_cast<Written*>(context);
    if (size > 0 && !written->sink(written->context, static_cast<const char*>(data), static_cast<uint32_t>(size)))
        written->ok = false;
}

// `channels` bytes a pixel, rows from the top; null when memory is short.
std::unique_ptr<uint8_t[]> GreyBuffer(uint32_t width, uint32_t height, uint32_t channels = 1) {
    if (width == 0 || height == 0 || width > 0x7FFFFFFF / 8 ||
        static_cast<uint64_t>(width) * height * channels > (1u << 30))
        return nullptr;
    return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[static_cast<size_t>(width) * height * channels]);
}

bool WriteGrey(const uint8_t* grey, uint32_t width, uint32_t height, ByteSink sink, void* context,
               uint32_t channels = 1) {
    Written written = {sink, context, true};
    const int made = stbi_write_png_to_func(WriteOut, &written, static_cast<int>(width), static_cast<int>(height),
                                            static_cast<int>(channels), grey, static_cast<int>(width * channels));
    return made != 0 && written.ok;
}

}  // namespace

bool EmitPng(const PixelImage& image, ByteSink sink, void* context, bool setBitLight) {
    const bool flip = setBitLight && IsMono(image.Format());
    const uint32_t width = image.Width(), height = image.Height(), channels = ShownChannels(image.Format());
    std::unique_ptr<uint8_t[]> pixels = GreyBuffer(width, height, channels);
    if (!pixels) return false;
    uint8_t* at = pixels.get();
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x, at += channels) {
            uint8_t rgba[4];
            image.ShownColour(x, y, rgba);
            for (uint32_t c = 0; c < channels; ++c) at[c] = flip ? static_cast<uint8_t>(255 - rgba[c]) : rgba[c];
        }
    }
    return WriteGrey(pixels.get(), width, height, sink, context, channels);
}

namespace {

class Png : public OutputForm {
public:
    bool Image(const FormImage& image, const FormOptions& options, ByteSink sink, void* context,
               const BufferSizes&) const override {
        return EmitPng(image.image, sink, context, options.setBitLight);
    }
};

}  // namespace

const OutputForm& PngForm() {
    static const Png form;
    return form;
}
