// The packed bytes of an image as a grid of lines of items, handed out a
// piece at a time: what every output form of packed bytes reads, whatever
// packs them (the scanners for a 1-bit image, LevelGrid for more bits).
#pragma once

#include <cstdint>

class PackedGrid {
public:
    virtual ~PackedGrid() = default;
    virtual uint32_t ItemsPerLine() const = 0;
    virtual uint32_t LineCount() const = 0;
    // Items [first, first + count) of `line`, all inside the grid.
    virtual void Pack(uint32_t line, uint32_t first, uint32_t count, uint8_t* out) = 0;
};
