#include "core/level_grid.h"

#include <algorithm>

namespace {

struct Geometry {
    uint32_t perByte, laneLength, lanes, bytesPerLane;
    bool laneIsLine;  // rows across or columns down: a line is one lane
};

Geometry GeometryOf(uint32_t width, uint32_t height, uint32_t depth, const ConvertOptions& layout) {
    Geometry g;
    g.perByte = 8 / depth;
    g.laneLength = layout.bitHorizontal ? width : height;
    g.lanes = layout.bitHorizontal ? height : width;
    g.bytesPerLane = g.laneLength / g.perByte + (g.laneLength % g.perByte != 0 ? 1 : 0);
    g.laneIsLine = layout.bitHorizontal == layout.byteHorizontal;
    return g;
}

// `value` reversed as groups of `depth` bits: the first pixel of a byte
// goes from its high bits to its low bits.
uint8_t ReverseGroups(uint32_t value, uint32_t depth) {
    uint32_t reversed = 0;
    for (uint32_t k = 0; k < 8 / depth; ++k)
        reversed |= (value >> (8 - depth * (k + 1)) & ((1u << depth) - 1)) << (depth * k);
    return static_cast<uint8_t>(reversed);
}

}  // namespace

LevelGrid::LevelGrid(const LevelImage& levels, const ConvertOptions& options, uint32_t tileSize)
    : image(levels), layout(options), depth(levels.Depth()), tileBytes(tileSize) {
    const Geometry g = GeometryOf(image.Width(), image.Height(), depth, layout);
    perByte = g.perByte;
    laneLength = g.laneLength;
    lanes = g.lanes;
    bytesPerLane = g.bytesPerLane;
    laneIsLine = g.laneIsLine;
    items = laneIsLine ? bytesPerLane : lanes;
    lines = laneIsLine ? lanes : bytesPerLane;
    FillWith(layout.fillOnes ? 0xFF : 0);
    for (uint32_t v = 0; v < 256; ++v)
        inOrder[v] = layout.msbReverse ? ReverseGroups(v, depth) : static_cast<uint8_t>(v);
}

void LevelGrid::FillWith(uint32_t value) {
    fill = value & ((1u << depth) - 1);
    const uint32_t spare = laneLength % perByte == 0 ? 0 : perByte - laneLength % perByte;
    lastFill = 0;
    for (uint32_t k = 0; k < spare; ++k) lastFill = static_cast<uint8_t>(lastFill | fill << (depth * k));
}

uint8_t LevelGrid::LaneByte(uint32_t lane, uint32_t index) const {
    uint32_t byte = 0;
    for (uint32_t k = 0; k < perByte; ++k) {
        const uint32_t along = index * perByte + k;
        uint32_t value = fill;
        if (along < laneLength) value = layout.bitHorizontal ? image.Get(along, lane) : image.Get(lane, along);
        byte |= value << (8 - depth * (k + 1));
    }
    return inOrder[byte];
}

uint8_t LevelGrid::GetByte(uint32_t item, uint32_t line) const {
    if (item >= items || line >= lines) return 0;
    return laneIsLine ? LaneByte(line, item) : LaneByte(item, line);
}

void LevelGrid::Pack(uint32_t line, uint32_t first, uint32_t count, uint8_t* out) {
    if (layout.bitHorizontal && layout.byteHorizontal) {  // a line is a stored row
        const uint8_t* row = image.Row(line);
        for (uint32_t i = 0; i < count; ++i) out[i] = RowByte(row, first + i);
        return;
    }
    if (line < tileFirst || line >= tileFirst + tileLines) FillTile(line);
    const uint8_t* from = tile.data() + static_cast<size_t>(line - tileFirst) * items + first;
    for (uint32_t i = 0; i < count; ++i) out[i] = from[i];
}

void LevelGrid::BandBytes(uint32_t band, uint32_t first, uint32_t count, uint8_t* out) {
    const uint32_t height = image.Height(), mask = image.MaxValue();
    std::fill(out, out + count, uint8_t(0));
    for (uint32_t k = 0; k < perByte; ++k) {
        const uint32_t y = band * perByte + k;
        const uint32_t shift = layout.msbReverse ? depth * k : 8 - depth * (k + 1);
        if (y >= height) {  // a spare pixel of the partial last band
            for (uint32_t i = 0; i < count; ++i) out[i] = static_cast<uint8_t>(out[i] | fill << shift);
            continue;
        }
        // The row's bytes from `first`, each holding 8 / depth values.
        const uint8_t* row = image.Row(y) + first / perByte;
        for (uint32_t i = 0; i < count;) {
            uint32_t byte = *row++;
            for (uint32_t j = 0; j < perByte && i < count; ++j, ++i, byte <<= depth)
                out[i] = static_cast<uint8_t>(out[i] | (byte >> (8 - depth) & mask) << shift);
        }
    }
}

void LevelGrid::FillTile(uint32_t line) {
    const uint32_t perTile = std::max<uint32_t>(1, tileBytes / std::max<uint32_t>(1, items));
    if (layout.bitHorizontal) {
        // Byte columns of every row: each stored row gives one byte to each.
        tileFirst = line;
        tileLines = std::min(lines - line, perTile);
        tile.resize(static_cast<size_t>(tileLines) * items);
        // Eight rows at a time, so that each line takes eight bytes in one go.
        uint32_t y = 0;
        for (; y + 8 <= image.Height(); y += 8) {
            const uint8_t* rows[8];
            for (uint32_t i = 0; i < 8; ++i) rows[i] = image.Row(y + i);
            for (uint32_t l = 0; l < tileLines; ++l) {
                uint8_t* to = &tile[static_cast<size_t>(l) * items + y];
                for (uint32_t i = 0; i < 8; ++i) to[i] = RowByte(rows[i], tileFirst + l);
            }
        }
        for (; y < image.Height(); ++y) {
            const uint8_t* row = image.Row(y);
            for (uint32_t l = 0; l < tileLines; ++l)
                tile[static_cast<size_t>(l) * items + y] = RowByte(row, tileFirst + l);
        }
        return;
    }
    if (layout.byteHorizontal) {
        // Bands across: a line is one band's byte for every column.
        tileFirst = line;
        tileLines = std::min(lines - line, perTile);
        tile.resize(static_cast<size_t>(tileLines) * items);
        for (uint32_t l = 0; l < tileLines; ++l)
            BandBytes(tileFirst + l, 0, items, &tile[static_cast<size_t>(l) * items]);
        return;
    }
    // Columns down: a line is one column's byte of every band, made for a
    // run of columns that starts on a stored byte.
    tileFirst = line / perByte * perByte;
    tileLines = std::min(lines - tileFirst, std::max(perByte, perTile / perByte * perByte));
    tile.resize(static_cast<size_t>(tileLines) * items);
    // Eight bands at a time, so that each column takes eight bytes in one go.
    values.resize(static_cast<size_t>(tileLines) * 8);
    for (uint32_t band = 0; band < items; band += 8) {
        const uint32_t bands = std::min<uint32_t>(8, items - band);
        for (uint32_t b = 0; b < bands; ++b)
            BandBytes(band + b, tileFirst, tileLines, &values[static_cast<size_t>(b) * tileLines]);
        for (uint32_t c = 0; c < tileLines; ++c) {
            uint8_t* to = &tile[static_cast<size_t>(c) * items + band];
            for (uint32_t b = 0; b < bands; ++b) to[b] = values[static_cast<size_t>(b) * tileLines + c];
        }
    }
}

uint64_t PackedLevelSize(const PackedShape& shape) {
    const Geometry g = GeometryOf(shape.width, shape.height, BitsOf(shape.format), shape.layout);
    return static_cast<uint64_t>(g.lanes) * g.bytesPerLane;
}

bool UnpackLevels(const uint8_t* bytes, size_t count, const PackedShape& shape, LevelImage* image) {
    const uint32_t depth = BitsOf(shape.format);
    if (depth != 1 && depth != 2 && depth != 4 && depth != 8) return false;
    if (PackedLevelSize(shape) > count || !image->Create(shape.width, shape.height, depth)) return false;
    const ConvertOptions& layout = shape.layout;
    const Geometry g = GeometryOf(shape.width, shape.height, depth, layout);
    const uint32_t mask = (1u << depth) - 1;
    const uint32_t items = g.laneIsLine ? g.bytesPerLane : g.lanes;
    for (uint32_t lane = 0; lane < g.lanes; ++lane) {
        for (uint32_t index = 0; index < g.bytesPerLane; ++index) {
            const uint32_t item = g.laneIsLine ? index : lane, line = g.laneIsLine ? lane : index;
            const uint32_t byte = bytes[static_cast<size_t>(line) * items + item];
            for (uint32_t k = 0; k < g.perByte; ++k) {
                const uint32_t along = index * g.perByte + k;
                if (along >= g.laneLength) break;
                const uint32_t shift = layout.msbReverse ? depth * k : 8 - depth * (k + 1);
                const uint32_t value = byte >> shift & mask;
                if (layout.bitHorizontal)
                    image->Set(along, lane, value);
                else
                    image->Set(lane, along, value);
            }
        }
    }
    return true;
}
