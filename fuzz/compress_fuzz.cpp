// The compressors and the decoder users copy into their firmware. The
// first bytes pick: a unit and line size for the microcontroller code and
// a band height, and the block size for LVGL's run lengths. Then:
// - the rest, as a stream, read by quillgrid_rle.h into a band of exactly
//   its size, never past the stream or the band (the sanitizers watch);
// - the rest, as an image's bytes, compressed by each method and read back
//   by its decoder to the same bytes: quillgrid_rle.h in bands, a model of
//   LVGL's lv_rle_decompress() and liblz4's LZ4_decompress_safe().
#include <lz4.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "compress/lvgl_rle.h"
#include "compress/lz4_block.h"
#include "compress/mcu_rle.h"
#include "firmware/quillgrid_rle.h"
#include "fuzz/fuzz_check.h"
#include "tests/compress/lvgl_image_model.h"

namespace {

// Reads the stream in bands of `bandLines` into a band of its exact size.
// The lines read, or -1.
int ReadStream(const uint8_t* stream, size_t size, uint16_t bandLines, std::vector<uint8_t>* image) {
    qg_rle_t d;
    // The stream's own copy, of its size, so that a read past it is seen.
    std::vector<uint8_t> copy(stream, stream + size);
    if (qg_rle_begin(&d, copy.data(), static_cast<uint32_t>(copy.size()), QG_RLE_RAM) != 0) return -1;
    if (static_cast<uint64_t>(d.line_bytes) * d.lines > (1u << 22)) return -1;  // a band too large to bother
    std::vector<uint8_t> band(static_cast<size_t>(d.line_bytes) * bandLines);
    int got, total = 0;
    while ((got = qg_rle_read(&d, band.data(), bandLines)) > 0) {
        image->insert(image->end(), band.begin(), band.begin() + static_cast<size_t>(got) * d.line_bytes);
        total += got;
    }
    return got < 0 ? -1 : total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const uint32_t unit = 1 + data[0] % 4;
    const uint32_t lineBytes = unit * (1 + data[1] % 64);
    const uint16_t bandLines = static_cast<uint16_t>(1 + data[2] % 9);
    const uint32_t block = 1 + data[3] % 4;
    const uint8_t* rest = data + 4;
    const size_t restSize = size - 4;

    std::vector<uint8_t> decoded;
    ReadStream(rest, restSize, bandLines, &decoded);

    // Round trips: the rest as whole lines of an image.
    const uint32_t lines = static_cast<uint32_t>(restSize / lineBytes);
    if (lines > 0) {
        std::vector<uint8_t> stream, back;
        FUZZ_CHECK(McuRleCompress(rest, lineBytes, lines, unit, &stream));
        FUZZ_CHECK(ReadStream(stream.data(), stream.size(), bandLines, &back) == static_cast<int>(lines));
        FUZZ_CHECK(back.size() == static_cast<size_t>(lineBytes) * lines);
        FUZZ_CHECK(std::memcmp(back.data(), rest, back.size()) == 0);
        // Never much past the bytes themselves: a header and three bytes a long copy.
        FUZZ_CHECK(stream.size() <= 5 + back.size() + 3 * (back.size() / unit / 65599 + 1));
    }
    if (restSize > 0) {
        const std::vector<uint8_t> rle = LvglRleCompress(rest, restSize, block);
        std::vector<uint8_t> out(restSize);
        FUZZ_CHECK(model_lv_rle_decompress(rle.data(), static_cast<uint32_t>(rle.size()), out.data(),
                                           static_cast<uint32_t>(restSize), block, nullptr) == restSize);
        FUZZ_CHECK(std::memcmp(out.data(), rest, restSize) == 0);
        std::vector<uint8_t> lz4;
        FUZZ_CHECK(Lz4Compress(rest, restSize, &lz4));
        FUZZ_CHECK(LZ4_decompress_safe(reinterpret_cast<const char*>(lz4.data()), reinterpret_cast<char*>(out.data()),
                                       static_cast<int>(lz4.size()),
                                       static_cast<int>(restSize)) == static_cast<int>(restSize));
        FUZZ_CHECK(std::memcmp(out.data(), rest, restSize) == 0);
    }
    return 0;
}
