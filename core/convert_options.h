// The four conversion options, laid out exactly as the settings file holds
// them: four little-endian 32-bit slots, `fillOnes` in the low byte of the
// last one. The upper three bytes of that slot are carried, never read.
#pragma once

#include <cstddef>
#include <cstdint>

struct ConvertOptions {
    uint32_t msbReverse;      // 1: the first pixel of a byte goes to bit 0
    uint32_t bitHorizontal;   // 1: a byte holds 8 pixels side by side
    uint32_t byteHorizontal;  // 1: the bytes of a line advance rightwards
    uint8_t fillOnes;         // 1: spare bits of a partial byte are 1
    uint8_t fillSlotRest[3];
};

static_assert(sizeof(ConvertOptions) == 16, "the settings file is 16 bytes");
static_assert(offsetof(ConvertOptions, msbReverse) == 0, "slot 1 at byte 0");
static_assert(offsetof(ConvertOptions, bitHorizontal) == 4, "slot 2 at byte 4");
static_assert(offsetof(ConvertOptions, byteHorizontal) == 8, "slot 3 at byte 8");
static_assert(offsetof(ConvertOptions, fillOnes) == 12, "fill byte at byte 12");
static_assert(offsetof(ConvertOptions, fillSlotRest) == 13, "carried bytes at 13 to 15");

// Sets the four fields to 0, 0, 1, 0; the carried bytes are left alone.
inline void SetDefaultOptions(ConvertOptions* options) {
    options->msbReverse = 0;
    options->bitHorizontal = 0;
    options->byteHorizontal = 1;
    options->fillOnes = 0;
}
