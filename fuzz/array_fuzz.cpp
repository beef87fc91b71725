// Feeds arbitrary text to the array reader and, when it reads, unpacks the
// bytes as an image in the layout the first three bytes pick, then holds
// the round trips: packed again and read again, the same image and bytes;
// and the guess of the layout scores all eight packings.
//   byte 0: the width less one (1 to 256 pixels)
//   byte 1: the height less one
//   byte 2: bits 0-3 the layout (msb/lsb, bits, bytes, fill), bit 4 guess,
//           bits 5-6 the depth: 1, 2, 4 or 8 bits a pixel; with bit 7 set,
//           direct colour instead: bits 5-6 rgb565, rgb888, argb8888 or
//           rgb565a8, bit 0 big-endian
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/array_text.h"
#include "core/byte_scanner.h"
#include "core/direct_grid.h"
#include "core/level_grid.h"
#include "core/level_image.h"
#include "core/mono_bitmap.h"
#include "core/scanner_table.h"
#include "core/unpack.h"
#include "forms/array_reader.h"
#include "forms/layout_guess.h"
#include "fuzz/fuzz_check.h"

namespace {

const size_t kLead = 3;

bool Append(void* context, const char* text, uint32_t size) {
    static_cast<std::string*>(context)->append(text, size);
    return true;
}

MonoBitmap image, again;
LevelImage levels, levelsAgain;

// The same round trip for levels: unpacked, packed again by LevelGrid,
// read again, unpacked again: the same image, and the line path's bytes
// are the byte walk's.
void CheckLevels(const std::vector<uint8_t>& bytes, const PackedShape& shape) {
    const uint32_t width = shape.width, height = shape.height;
    const ConvertOptions& layout = shape.layout;
    const bool enough = bytes.size() >= PackedLevelSize(shape);
    FUZZ_CHECK(UnpackLevels(bytes.data(), bytes.size(), shape, &levels) == enough);
    if (!enough) return;
    LevelGrid grid(levels, layout);
    std::string text;
    FUZZ_CHECK(EmitArrayText(grid, Append, &text));
    std::vector<uint8_t> reread;
    std::string why;
    FUZZ_CHECK(ReadArrayText(text.data(), text.size(), &reread, &why));
    FUZZ_CHECK(reread.size() == PackedLevelSize(shape));
    for (uint32_t line = 0; line < grid.LineCount(); ++line)
        for (uint32_t item = 0; item < grid.ItemsPerLine(); ++item)
            FUZZ_CHECK(reread[static_cast<size_t>(line) * grid.ItemsPerLine() + item] == grid.GetByte(item, line));
    FUZZ_CHECK(UnpackLevels(reread.data(), reread.size(), shape, &levelsAgain));
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) FUZZ_CHECK(levelsAgain.Get(x, y) == levels.Get(x, y));
}

DirectImage direct, directAgain;

// Direct colour: unpacked, packed again by DirectGrid, read again,
// unpacked again: the same values.
void CheckDirect(const std::vector<uint8_t>& bytes, const PackedShape& shape) {
    const bool enough = bytes.size() >= PackedDirectSize(shape);
    FUZZ_CHECK(UnpackDirect(bytes.data(), bytes.size(), shape, &direct) == enough);
    if (!enough) return;
    DirectGrid grid(direct, shape.layout, shape.bigEndian);
    std::string text;
    FUZZ_CHECK(EmitArrayText(grid, Append, &text));
    std::vector<uint8_t> reread;
    std::string why;
    FUZZ_CHECK(ReadArrayText(text.data(), text.size(), &reread, &why));
    FUZZ_CHECK(reread.size() == PackedDirectSize(shape));
    FUZZ_CHECK(std::equal(reread.begin(), reread.end(), bytes.begin()));
    FUZZ_CHECK(UnpackDirect(reread.data(), reread.size(), shape, &directAgain));
    for (uint32_t y = 0; y < shape.height; ++y)
        for (uint32_t x = 0; x < shape.width; ++x) FUZZ_CHECK(directAgain.Get(x, y) == direct.Get(x, y));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kLead) return 0;
    const uint32_t width = data[0] + 1u, height = data[1] + 1u;
    ConvertOptions layout = {};
    layout.msbReverse = data[2] & 1;
    layout.bitHorizontal = data[2] >> 1 & 1;
    layout.byteHorizontal = data[2] >> 2 & 1;
    layout.fillOnes = data[2] >> 3 & 1;
    std::vector<uint8_t> bytes;
    std::string why;
    if (!ReadArrayText(reinterpret_cast<const char*>(data + kLead), size - kLead, &bytes, &why)) {
        FUZZ_CHECK(!why.empty() && why.find('\n') == std::string::npos && why.rfind("line ", 0) == 0);
        return 0;
    }
    if (data[2] & 128) {
        static const PixelFormat kFormats[] = {PixelFormat::Rgb565, PixelFormat::Rgb888, PixelFormat::Argb8888,
                                               PixelFormat::Rgb565A8};
        CheckDirect(bytes, {width, height, kFormats[data[2] >> 5 & 3], layout, (data[2] & 1) != 0});
        return 0;
    }
    const uint32_t depth = 1u << (data[2] >> 5 & 3);
    if (data[2] & 16) {
        const std::vector<LayoutGuess> guesses = GuessLayouts(bytes.data(), bytes.size(), width, height, depth);
        FUZZ_CHECK(guesses.size() == 8);
        for (size_t i = 1; i < guesses.size(); ++i)
            FUZZ_CHECK(!guesses[i].enough || (guesses[i - 1].enough && guesses[i - 1].cost <= guesses[i].cost));
    }
    if (depth > 1) {
        CheckLevels(bytes, {width, height, FormatOf(PixelKind::Grey, depth), layout, false});
        return 0;
    }
    const bool enough = bytes.size() >= PackedBitmapSize(width, height, layout);
    FUZZ_CHECK(UnpackBitmap(bytes.data(), bytes.size(), width, height, layout, &image) == enough);
    if (!enough) return 0;

    // Packed again as array text, read again: the same bytes, and unpacked,
    // the same image.
    ByteScanner* scanner = SelectScanner(layout);
    FUZZ_CHECK(scanner && scanner->Attach(&image, layout.fillOnes));
    std::string text;
    FUZZ_CHECK(EmitArrayText(*scanner, Append, &text));
    std::vector<uint8_t> reread;
    FUZZ_CHECK(ReadArrayText(text.data(), text.size(), &reread, &why));
    FUZZ_CHECK(reread.size() == PackedBitmapSize(width, height, layout));
    FUZZ_CHECK(UnpackBitmap(reread.data(), reread.size(), width, height, layout, &again));
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) FUZZ_CHECK(again.IsDark(x, y) == image.IsDark(x, y));
    return 0;
}
