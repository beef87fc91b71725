// How much the packing and the writing take at a time. The defaults keep
// memory small and writes large; the tests make every one small, so that
// small images cross each boundary between two tiles, pieces or blocks.
#pragma once

#include <cstdint>

struct BufferSizes {
    uint32_t tileBytes = 2u << 20;    // the tiles of the two down-running layouts
    uint32_t pieceItems = 32768;      // packed items handed on at a time
    uint32_t textBytes = 256 * 1024;  // text handed to a sink at a time
    uint32_t blockBytes = 64 * 1024;  // the same, for output made a few bytes at a time
};
