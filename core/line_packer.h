// Packs whole lines of an attached scanner's grid at once, reading the
// bitmap's stored rows directly: whole row bytes, 8 x 8 bit-matrix
// transposes for the column layouts, and a table for the bit reversal.
// Every byte equals what GetByte(item, line) gives; the bytes of a
// partial last byte of a lane, where the fill comes in, are GetByte's own.
//
//   tile   whole lines of a down-running layout, packed together from the
//          stored rows and handed out line by line
//   piece  the items of a line handed on at once; a long line is several
#pragma once

#include <cstdint>
#include <vector>

#include "core/buffer_sizes.h"
#include "core/packed_grid.h"

class ByteScanner;
class MonoBitmap;

class LinePacker {
public:
    // At most `tileBytes` for the tiles of the down-running layouts; a tile
    // holds at least one line (eight for columns) all the same.
    explicit LinePacker(uint32_t tileBytes = BufferSizes().tileBytes) : tileBytes(tileBytes) {}

    // True when `scanner` is of one of the eight scanner classes, attached
    // to a bitmap that still has the size it was attached with, and its
    // smallest tile fits 2 MiB. Otherwise the caller walks GetByte.
    bool Start(const ByteScanner& scanner);

    // Items [first, first + count) of `line`, which lie inside the grid.
    void Pack(uint32_t line, uint32_t first, uint32_t count, uint8_t* out);

private:
    enum class Layout {
        RowsAcross,   // bits horizontal, bytes horizontal: a line is a pixel row
        RowsDown,     // bits horizontal, bytes vertical: a line is a byte column
        BandsAcross,  // bits vertical, bytes horizontal: a line is a band of 8 rows
        ColumnsDown,  // bits vertical, bytes vertical: a line is a pixel column
    };

    // Dark bits, first pixel in bit 7, as the layout's bit order has them.
    uint8_t InBitOrder(uint8_t darkBits) const { return inBitOrder[darkBits]; }
    void PackRowsAcross(uint32_t y, uint32_t first, uint32_t count, uint8_t* out) const;
    void PackBandsAcross(uint32_t band, uint32_t first, uint32_t count, uint8_t* out) const;
    void FillRowsDownTile(uint32_t firstLine);
    void FillColumnsDownTile(uint32_t firstLine);

    uint32_t tileBytes;
    const ByteScanner* scanner = nullptr;
    const MonoBitmap* bitmap = nullptr;
    Layout layout = Layout::RowsAcross;
    uint8_t flip = 0;              // turns stored bits into dark bits
    uint8_t inBitOrder[256] = {};  // the identity, or the bit reversal
    uint32_t width = 0, height = 0;
    uint32_t fullBytes = 0;  // whole bytes in a row
    uint32_t fullBands = 0;  // whole bands of 8 rows
    uint32_t itemsPerLine = 0;
    // Whole lines of a down-running layout, made together: line
    // tileFirst + i starts at tile[i * itemsPerLine].
    std::vector<uint8_t> tile;
    uint32_t tileFirst = 0, tileLines = 0;
};

// 8 x 8 bits: byte i of `rows` (most significant first) is row i, its bit 7
// the leftmost pixel. Gives the columns the same way: byte j is column j,
// its bit 7 the top pixel.
inline uint64_t TransposeBits(uint64_t x) {
    x = (x & 0xAA55AA55AA55AA55ull) | ((x & 0x00AA00AA00AA00AAull) << 7) | ((x >> 7) & 0x00AA00AA00AA00AAull);
    x = (x & 0xCCCC3333CCCC3333ull) | ((x & 0x0000CCCC0000CCCCull) << 14) | ((x >> 14) & 0x0000CCCC0000CCCCull);
    x = (x & 0xF0F0F0F00F0F0F0Full) | ((x & 0x00000000F0F0F0F0ull) << 28) | ((x >> 28) & 0x00000000F0F0F0F0ull);
    return x;
}

// An attached scanner's grid as a PackedGrid: packed by LinePacker where
// it can, by GetByte where it cannot.
class ScannerGrid : public PackedGrid {
public:
    explicit ScannerGrid(const ByteScanner& scanner, const BufferSizes& sizes = BufferSizes());
    uint32_t ItemsPerLine() const override { return items; }
    uint32_t LineCount() const override { return lines; }
    void Pack(uint32_t line, uint32_t first, uint32_t count, uint8_t* out) override;

private:
    const ByteScanner& scanner;
    LinePacker packer;
    bool packed;
    uint32_t items, lines;
};

// The bytes of a grid, line by line, in pieces of at most sizes.pieceItems
// items.
class PackedLines {
public:
    explicit PackedLines(PackedGrid& grid, const BufferSizes& sizes = BufferSizes());

    // The next piece; false after the last. `endsLine` is true for the
    // last piece of a line; a line of no items is one empty piece.
    bool Next(const uint8_t** bytes, uint32_t* count, bool* endsLine);

private:
    PackedGrid& grid;
    uint32_t pieceItems;
    uint32_t items, lines;
    uint32_t line = 0, item = 0;
    std::vector<uint8_t> piece;
};
