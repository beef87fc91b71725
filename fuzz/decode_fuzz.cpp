// Feeds arbitrary bytes to the converter's input path (the 1-bit BMP
// reader, then the decoder and the tone options the first byte picks) and,
// when an image comes out, checks it against its own BMP form and preview.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/image_decoder.h"
#include "cli/image_input.h"
#include "cli/preview.h"
#include "core/mono_bitmap.h"
#include "core/mono_bmp_writer.h"

namespace {

bool Collect(void* context, const char* text, uint32_t size) {
    static_cast<std::vector<uint8_t>*>(context)->insert(
        static_cast<std::vector<uint8_t>*>(context)->end(), text, text + size);
    return true;
}

bool Count(void* context, const char*, uint32_t size) {
    *static_cast<uint64_t*>(context) += size;
    return true;
}

MonoBitmap image, copy;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    ToneOptions tone;
    tone.dither = data[0] & 1;
    tone.blackBackground = data[0] & 2;
    tone.level = (data[0] >> 2) * 415u;  // 0 to 100 % of 255 in 64 steps
    std::string why;
    if (!LoadInputBytes(data + 1, size - 1, tone, &image, &why)) {
        if (image.IsLoaded() || why.empty() || why.find('\n') != std::string::npos) std::abort();
        return 0;
    }
    const uint64_t pixels = static_cast<uint64_t>(image.Width()) * image.Height();
    if (pixels > kMaxDecodedPixels && image.Height() != 0 && image.Width() != 0) {
        // Only a 1-bit BMP may be larger than the decoder's cap.
        if (data[1] != 'B') std::abort();
    }
    if (pixels > (1u << 16)) return 0;  // the checks below would only take long

    // The BMP form loads again as the same image.
    std::vector<uint8_t> bmp;
    if (!EmitMonoBmp(image, Collect, &bmp)) std::abort();
    if (!copy.LoadFromMemory(bmp.data(), bmp.size())) std::abort();
    if (copy.Width() != image.Width() || copy.Height() != image.Height()) std::abort();
    for (uint32_t y = 0; pixels != 0 && y < image.Height(); ++y)
        for (uint32_t x = 0; x < image.Width(); ++x)
            if (copy.IsDark(x, y) != image.IsDark(x, y)) std::abort();

    // One '#' or '.' a pixel and a line feed a row; nothing without pixels.
    uint64_t length = 0;
    if (!EmitPreview(image, PreviewStyle::Ascii, Count, &length)) std::abort();
    if (length != (pixels ? pixels + image.Height() : 0)) std::abort();
    return 0;
}
