// Bytes already made (a compressed stream, a file's header and data) as a
// grid of lines, for the writers that take a grid.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "core/packed_grid.h"

class BytesGrid : public PackedGrid {
public:
    // `bytes` outlives the grid.
    explicit BytesGrid(const std::vector<uint8_t>& bytes) : bytes(bytes) {}
    uint32_t ItemsPerLine() const override { return static_cast<uint32_t>(bytes.size()); }
    uint32_t LineCount() const override { return 1; }
    // One line, as long as the bytes (at most 4 GiB), asked for in pieces.
    void Pack(uint32_t, uint32_t first, uint32_t count, uint8_t* out) override {
        std::memcpy(out, bytes.data() + first, count);
    }

private:
    const std::vector<uint8_t>& bytes;
};
