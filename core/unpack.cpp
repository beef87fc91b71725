#include "core/unpack.h"

#include "core/mono_bitmap.h"

namespace {

uint32_t BytesFor(uint32_t pixels) { return pixels / 8 + (pixels % 8 != 0 ? 1 : 0); }

// As the scanners lay the bytes out: a lane is a pixel row (bits
// horizontal) or column (bits vertical) cut into bytes, and a line is
// either one lane or one byte of every lane.
struct Grid {
    uint32_t items, lines;
};

Grid GridOf(uint32_t width, uint32_t height, const ConvertOptions& layout) {
    const uint32_t lanes = layout.bitHorizontal ? height : width;
    const uint32_t bytesPerLane = BytesFor(layout.bitHorizontal ? width : height);
    // Rows across, or columns across: a line is one lane; otherwise a line
    // is one byte of every lane.
    const bool laneIsLine = layout.bitHorizontal == layout.byteHorizontal;
    return laneIsLine ? Grid{bytesPerLane, lanes} : Grid{lanes, bytesPerLane};
}

}  // namespace

uint64_t PackedBitmapSize(uint32_t width, uint32_t height, const ConvertOptions& layout) {
    const Grid grid = GridOf(width, height, layout);
    return static_cast<uint64_t>(grid.items) * grid.lines;
}

bool UnpackBitmap(const uint8_t* bytes, size_t count, uint32_t width, uint32_t height, const ConvertOptions& layout,
                  MonoBitmap* bitmap) {
    if (PackedBitmapSize(width, height, layout) > count || !bitmap->Create(width, height)) return false;
    const Grid grid = GridOf(width, height, layout);
    const bool laneIsLine = layout.bitHorizontal == layout.byteHorizontal;
    for (uint32_t line = 0; line < grid.lines; ++line) {
        for (uint32_t item = 0; item < grid.items; ++item) {
            const uint8_t value = bytes[static_cast<size_t>(line) * grid.items + item];
            if (value == 0) continue;
            const uint32_t lane = laneIsLine ? line : item, index = laneIsLine ? item : line;
            for (uint32_t k = 0; k < 8; ++k) {
                if (!(value & (layout.msbReverse ? 1u << k : 0x80u >> k))) continue;
                const uint32_t along = index * 8 + k;  // the pixel's place in its lane
                const uint32_t x = layout.bitHorizontal ? along : lane;
                const uint32_t y = layout.bitHorizontal ? lane : along;
                if (x < width && y < height) bitmap->Row(y)[x >> 3] &= static_cast<uint8_t>(~(0x80u >> (x & 7)));
            }
        }
    }
    return true;
}
