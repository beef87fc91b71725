#include "core/level_grid.h"

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

LevelGrid::LevelGrid(const LevelImage& levels, const ConvertOptions& options)
    : image(levels), layout(options), depth(levels.Depth()) {
    const Geometry g = GeometryOf(image.Width(), image.Height(), depth, layout);
    perByte = g.perByte;
    laneLength = g.laneLength;
    lanes = g.lanes;
    bytesPerLane = g.bytesPerLane;
    laneIsLine = g.laneIsLine;
    items = laneIsLine ? bytesPerLane : lanes;
    lines = laneIsLine ? lanes : bytesPerLane;
    const uint32_t spare = laneLength % perByte == 0 ? 0 : perByte - laneLength % perByte;
    if (layout.fillOnes) lastFill = static_cast<uint8_t>((1u << (spare * depth)) - 1);
    for (uint32_t v = 0; v < 256; ++v)
        inOrder[v] = layout.msbReverse ? ReverseGroups(v, depth) : static_cast<uint8_t>(v);
}

uint8_t LevelGrid::LaneByte(uint32_t lane, uint32_t index) const {
    uint32_t byte = 0;
    for (uint32_t k = 0; k < perByte; ++k) {
        const uint32_t along = index * perByte + k;
        uint32_t value = image.MaxValue() * layout.fillOnes;
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
    } else if (layout.bitHorizontal) {  // a line is byte `line` of every row
        for (uint32_t i = 0; i < count; ++i) out[i] = RowByte(image.Row(first + i), line);
    } else {
        for (uint32_t i = 0; i < count; ++i)
            out[i] = laneIsLine ? LaneByte(line, first + i) : LaneByte(first + i, line);
    }
}

uint64_t PackedLevelSize(uint32_t width, uint32_t height, uint32_t depth, const ConvertOptions& layout) {
    const Geometry g = GeometryOf(width, height, depth, layout);
    return static_cast<uint64_t>(g.lanes) * g.bytesPerLane;
}

bool UnpackLevels(const uint8_t* bytes, size_t count, uint32_t width, uint32_t height, uint32_t depth,
                  const ConvertOptions& layout, LevelImage* image) {
    if (depth != 2 && depth != 4 && depth != 8) return false;
    if (PackedLevelSize(width, height, depth, layout) > count || !image->Create(width, height, depth)) return false;
    const Geometry g = GeometryOf(width, height, depth, layout);
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
