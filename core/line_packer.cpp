#include "core/line_packer.h"

#include <algorithm>

#include "core/byte_scanner.h"
#include "core/mono_bitmap.h"

namespace {

uint32_t BytesFor(uint32_t pixels) { return pixels / 8 + (pixels % 8 != 0 ? 1 : 0); }

}  // namespace

bool LinePacker::Start(const ByteScanner& attached) {
    ScannerPacking packing;
    if (!DescribeScanner(attached, &packing) || attached.ItemsPerLine() == 0 || attached.LineCount() == 0) return false;
    scanner = &attached;
    bitmap = packing.bitmap;
    if (!bitmap || !bitmap->IsLoaded()) return false;
    width = bitmap->Width();
    height = bitmap->Height();
    fullBytes = width / 8;
    fullBands = height / 8;
    itemsPerLine = attached.ItemsPerLine();
    if (packing.bitHorizontal) {
        layout = packing.byteHorizontal ? Layout::RowsAcross : Layout::RowsDown;
    } else {
        layout = packing.byteHorizontal ? Layout::BandsAcross : Layout::ColumnsDown;
    }
    // The grid must still be the one the bitmap gives; a bitmap loaded
    // again since Attach is left to GetByte, which answers for any size.
    uint32_t across = packing.bitHorizontal ? BytesFor(width) : width;
    uint32_t down = packing.bitHorizontal ? height : BytesFor(height);
    if (itemsPerLine != (packing.byteHorizontal ? across : down) ||
        attached.LineCount() != (packing.byteHorizontal ? down : across))
        return false;
    // A down-running tile holds at least one whole line (eight for
    // columns, made together by one transpose).
    uint64_t smallestTile = static_cast<uint64_t>(itemsPerLine) * (layout == Layout::ColumnsDown ? 8 : 1);
    if ((layout == Layout::RowsDown || layout == Layout::ColumnsDown) && smallestTile > BufferSizes().tileBytes)
        return false;
    flip = bitmap->DarkIndex() == 0 ? 0xFF : 0x00;
    for (uint32_t v = 0; v < 256; ++v)
        inBitOrder[v] = packing.msbReverse ? ReverseBits(static_cast<uint8_t>(v)) : static_cast<uint8_t>(v);
    tile.clear();
    tileFirst = tileLines = 0;
    return true;
}

void LinePacker::Pack(uint32_t line, uint32_t first, uint32_t count, uint8_t* out) {
    switch (layout) {
    case Layout::RowsAcross:
        PackRowsAcross(line, first, count, out);
        return;
    case Layout::BandsAcross:
        PackBandsAcross(line, first, count, out);
        return;
    case Layout::RowsDown:
        if (line >= fullBytes) break;  // the partial byte column
        if (line < tileFirst || line >= tileFirst + tileLines) FillRowsDownTile(line);
        std::copy_n(&tile[static_cast<size_t>(line - tileFirst) * itemsPerLine + first], count, out);
        return;
    case Layout::ColumnsDown:
        if (line < tileFirst || line >= tileFirst + tileLines) FillColumnsDownTile(line);
        std::copy_n(&tile[static_cast<size_t>(line - tileFirst) * itemsPerLine + first], count, out);
        return;
    }
    for (uint32_t i = 0; i < count; ++i) out[i] = scanner->GetByte(first + i, line);
}

void LinePacker::PackRowsAcross(uint32_t y, uint32_t first, uint32_t count, uint8_t* out) const {
    const uint8_t* row = bitmap->Row(y);
    uint32_t whole = first >= fullBytes ? 0 : std::min(count, fullBytes - first);
    for (uint32_t i = 0; i < whole; ++i) out[i] = InBitOrder(row[first + i] ^ flip);
    for (uint32_t i = whole; i < count; ++i) out[i] = scanner->GetByte(first + i, y);
}

void LinePacker::PackBandsAcross(uint32_t band, uint32_t first, uint32_t count, uint8_t* out) const {
    if (band >= fullBands) {  // the partial band, where the fill comes in
        for (uint32_t i = 0; i < count; ++i) out[i] = scanner->GetByte(first + i, band);
        return;
    }
    // Rows 8 band to 8 band + 7, read upwards: the file stores them in that order.
    const uint8_t* rows[8];
    for (uint32_t i = 0; i < 8; ++i) rows[i] = bitmap->Row(band * 8 + i);
    const uint32_t end = first + count;
    for (uint32_t block = first / 8; block * 8 < end; ++block) {
        uint64_t bits = 0;
        for (int i = 7; i >= 0; --i) bits |= static_cast<uint64_t>(rows[i][block] ^ flip) << (56 - 8 * i);
        bits = TransposeBits(bits);
        uint32_t from = std::max(first, block * 8), to = std::min(end, block * 8 + 8);
        for (uint32_t x = from; x < to; ++x)
            out[x - first] = InBitOrder(static_cast<uint8_t>(bits >> (56 - 8 * (x - block * 8))));
    }
}

// Whole byte columns firstLine onwards, as many as the tile holds, each
// a line of every row's byte. Rows are visited in the file's order, eight
// at a time where they can be: each line then takes eight bytes in one store.
void LinePacker::FillRowsDownTile(uint32_t firstLine) {
    tileFirst = firstLine;
    tileLines = std::min<uint32_t>(fullBytes - firstLine, std::max<uint32_t>(1, tileBytes / itemsPerLine));
    tile.resize(static_cast<size_t>(tileLines) * itemsPerLine);
    uint32_t y = height;
    for (; y >= 8; y -= 8) {
        const uint8_t* rows[8];
        for (uint32_t i = 0; i < 8; ++i) rows[i] = bitmap->Row(y - 8 + i) + firstLine;
        for (uint32_t l = 0; l < tileLines; ++l) {
            uint8_t eight[8];
            for (uint32_t i = 0; i < 8; ++i) eight[i] = InBitOrder(rows[i][l] ^ flip);
            std::copy_n(eight, 8, &tile[static_cast<size_t>(l) * itemsPerLine + y - 8]);
        }
    }
    while (y-- > 0) {
        const uint8_t* row = bitmap->Row(y) + firstLine;
        for (uint32_t l = 0; l < tileLines; ++l)
            tile[static_cast<size_t>(l) * itemsPerLine + y] = InBitOrder(row[l] ^ flip);
    }
}

// Columns from the start of firstLine's byte onwards, a multiple of eight
// as the tile holds, every band of each. Bands are visited in the file's
// order, eight at a time where they can be, so that each column takes
// eight bytes in one store; the partial band comes last, through GetByte.
void LinePacker::FillColumnsDownTile(uint32_t firstLine) {
    tileFirst = firstLine / 8 * 8;
    uint32_t columns = std::max<uint32_t>(8, tileBytes / itemsPerLine / 8 * 8);
    tileLines = std::min(width - tileFirst, columns);
    tile.resize(static_cast<size_t>(tileLines) * itemsPerLine);
    const uint32_t firstBlock = tileFirst / 8, blocks = BytesFor(tileLines);
    auto columnBytes = [this, firstBlock](uint32_t band, uint32_t block) {
        uint64_t bits = 0;
        for (int i = 7; i >= 0; --i)
            bits |= static_cast<uint64_t>(bitmap->Row(band * 8 + i)[firstBlock + block] ^ flip) << (56 - 8 * i);
        return TransposeBits(bits);
    };
    uint32_t band = fullBands;
    for (; band >= 8; band -= 8) {
        for (uint32_t block = 0; block < blocks; ++block) {
            uint64_t bits[8];
            for (int b = 7; b >= 0; --b) bits[b] = columnBytes(band - 8 + b, block);
            uint32_t columnsHere = std::min<uint32_t>(8, tileLines - block * 8);
            for (uint32_t j = 0; j < columnsHere; ++j) {
                uint8_t eight[8];
                for (uint32_t b = 0; b < 8; ++b) eight[b] = InBitOrder(static_cast<uint8_t>(bits[b] >> (56 - 8 * j)));
                std::copy_n(eight, 8, &tile[static_cast<size_t>(block * 8 + j) * itemsPerLine + band - 8]);
            }
        }
    }
    while (band-- > 0) {
        for (uint32_t block = 0; block < blocks; ++block) {
            uint64_t bits = columnBytes(band, block);
            uint32_t columnsHere = std::min<uint32_t>(8, tileLines - block * 8);
            for (uint32_t j = 0; j < columnsHere; ++j)
                tile[static_cast<size_t>(block * 8 + j) * itemsPerLine + band] =
                    InBitOrder(static_cast<uint8_t>(bits >> (56 - 8 * j)));
        }
    }
    if (fullBands < itemsPerLine) {
        for (uint32_t c = 0; c < tileLines; ++c)
            tile[static_cast<size_t>(c) * itemsPerLine + fullBands] = scanner->GetByte(fullBands, tileFirst + c);
    }
}

ScannerGrid::ScannerGrid(const ByteScanner& attached, const BufferSizes& sizes)
    : scanner(attached),
      packer(sizes.tileBytes),
      packed(packer.Start(attached)),
      items(attached.ItemsPerLine()),
      lines(attached.LineCount()) {}

void ScannerGrid::Pack(uint32_t line, uint32_t first, uint32_t count, uint8_t* out) {
    if (packed) {
        packer.Pack(line, first, count, out);
        return;
    }
    for (uint32_t i = 0; i < count; ++i) out[i] = scanner.GetByte(first + i, line);
}

PackedLines::PackedLines(PackedGrid& packedGrid, const BufferSizes& sizes)
    : grid(packedGrid),
      pieceItems(sizes.pieceItems < 1 ? 1 : sizes.pieceItems),
      items(packedGrid.ItemsPerLine()),
      lines(packedGrid.LineCount()),
      piece(std::min(items, pieceItems)) {}

bool PackedLines::Next(const uint8_t** bytes, uint32_t* count, bool* endsLine) {
    if (line >= lines) return false;
    const uint32_t size = std::min(items - item, pieceItems);
    grid.Pack(line, item, size, piece.data());
    *bytes = piece.data();
    *count = size;
    item += size;
    *endsLine = item == items;
    if (*endsLine) {
        item = 0;
        ++line;
    }
    return true;
}
