// Feeds arbitrary bytes to the converter's input path (the 1-bit BMP
// reader, then the decoder and the tone options the first byte picks) and,
// when an image comes out, checks it against its own BMP form and preview.
#include <cstdint>
#include <string>
#include <vector>

#include "core/mono_bitmap.h"
#include "core/mono_bmp_writer.h"
#include "fuzz/fuzz_check.h"
#include "image/image_decoder.h"
#include "image/image_input.h"
#include "image/preview.h"

namespace {

bool Collect(void* context, const char* text, uint32_t size) {
    auto* bytes = static_cast<std::vector<uint8_t>*>(context);
    bytes->insert(bytes->end(), text, text + size);
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
        FUZZ_CHECK(!image.IsLoaded() && !why.empty() && why.find('\n') == std::string::npos);
        return 0;
    }
    const uint64_t pixels = static_cast<uint64_t>(image.Width()) * image.Height();
    // Only a 1-bit BMP may be larger than the decoder's cap.
    FUZZ_CHECK(pixels <= kMaxDecodedPixels || data[1] == 'B');

    // Its BMP form is its headers alone, whatever height it claims.
    std::vector<uint8_t> bmp;
    if (pixels == 0) {
        FUZZ_CHECK(EmitMonoBmp(image, Collect, &bmp) && bmp.size() == 62);
        return 0;
    }
    if (pixels > (1u << 16)) return 0;  // the checks below would only take long

    // The BMP form loads again as the same image.
    FUZZ_CHECK(EmitMonoBmp(image, Collect, &bmp));
    FUZZ_CHECK(copy.LoadFromMemory(bmp.data(), bmp.size()));
    FUZZ_CHECK(copy.Width() == image.Width() && copy.Height() == image.Height());
    for (uint32_t y = 0; y < image.Height(); ++y)
        for (uint32_t x = 0; x < image.Width(); ++x) FUZZ_CHECK(copy.IsDark(x, y) == image.IsDark(x, y));

    // One '#' or '.' a pixel and a line feed a row.
    uint64_t length = 0;
    FUZZ_CHECK(EmitPreview(image, PreviewStyle::Ascii, Count, &length));
    FUZZ_CHECK(length == pixels + image.Height());
    return 0;
}
