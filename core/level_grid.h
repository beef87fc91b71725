// The bytes of an image of 2, 4 or 8 bits a pixel in any of the eight
// packings: the 1-bit packings with a byte holding 8 / depth pixels. A lane
// is a pixel row (bits horizontal) or column (bits vertical), cut into
// bytes of 8 / depth pixels; the first pixel of a byte goes to its high
// bits, or with msbReverse to its low bits (at depth 8 a byte is one pixel
// and the order does not apply); the spare pixels of a lane's partial last
// byte take the fill's bits, all ones or all zeros. A line is one lane, or
// one byte of every lane, as the scanners make them.
#pragma once

#include <cstdint>
#include <vector>

#include "core/buffer_sizes.h"
#include "core/convert_options.h"
#include "core/level_image.h"
#include "core/packed_grid.h"
#include "core/packed_shape.h"

class LevelGrid : public PackedGrid {
public:
    // `image` must outlive the grid; `layout`'s fields are 0 or 1. Lines
    // that run down the image are made `tileBytes` at a time.
    LevelGrid(const LevelImage& image, const ConvertOptions& layout, uint32_t tileBytes = BufferSizes().tileBytes);

    // A lane's spare pixels take `value` rather than the layout's fill.
    void FillWith(uint32_t value);

    uint32_t ItemsPerLine() const override { return items; }
    uint32_t LineCount() const override { return lines; }
    void Pack(uint32_t line, uint32_t first, uint32_t count, uint8_t* out) override;

    // One byte, pixel by pixel: the reference the line path is held to. 0
    // outside the grid.
    uint8_t GetByte(uint32_t item, uint32_t line) const;

private:
    uint8_t LaneByte(uint32_t lane, uint32_t index) const;
    // The column bytes of band `band` (8 / depth rows) for columns
    // [first, first + count), `first` a multiple of 8 / depth.
    void BandBytes(uint32_t band, uint32_t first, uint32_t count, uint8_t* out);
    // Whole lines of a layout other than rows across, made together from
    // the stored rows in the order they are stored.
    void FillTile(uint32_t line);
    // A stored row byte in the layout's order, the fill in its spare pixels.
    uint8_t RowByte(const uint8_t* row, uint32_t index) const {
        return inOrder[index + 1 == bytesPerLane ? row[index] | lastFill : row[index]];
    }

    const LevelImage& image;
    ConvertOptions layout;
    uint32_t depth, perByte, laneLength, lanes, bytesPerLane, items, lines;
    bool laneIsLine;
    uint32_t fill = 0;          // a spare pixel's value
    uint8_t lastFill = 0;       // the spare pixels' bits of a row's last byte, first pixel high
    uint8_t inOrder[256] = {};  // a byte with the first pixel high, in the layout's order
    uint32_t tileBytes;
    std::vector<uint8_t> tile;  // line tileFirst + i starts at tile[i * items]
    uint32_t tileFirst = 0, tileLines = 0;
    std::vector<uint8_t> values;  // a row's values, a byte each
};

// The bytes an image of the shape's size and bits a pixel (its format's)
// packs into in its layout: items per line times lines.
uint64_t PackedLevelSize(const PackedShape& shape);

// The way back: the first PackedLevelSize() of `bytes` drawn into `image`
// as a new image of the shape. The spare pixels are left out. False when
// there are fewer bytes or memory is short.
bool UnpackLevels(const uint8_t* bytes, size_t count, const PackedShape& shape, LevelImage* image);
