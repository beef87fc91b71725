// An image of 2, 4 or 8 bits a pixel: each pixel's value is its level of
// brightness, 0 black (or off) to 2^depth - 1 white (or full on). Held as
// packed rows from the top, each padded to whole bytes, the first pixel of
// a byte in its high bits: one byte holds 8 / depth pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

#include "core/pixel_format.h"

class LevelImage {
public:
    // A new width x height image of `depth` (1, 2, 4 or 8) bits a pixel,
    // every value 0. False, with nothing held, for another depth or when
    // the rows would not fit in memory.
    bool Create(uint32_t width, uint32_t height, uint32_t depth);
    void Release();
    void Swap(LevelImage& other) {
        values.swap(other.values);
        std::swap(width, other.width), std::swap(height, other.height);
        std::swap(depth, other.depth), std::swap(stride, other.stride);
    }

    uint32_t Width() const { return width; }
    uint32_t Height() const { return height; }
    uint32_t Depth() const { return depth; }
    uint32_t MaxValue() const { return (1u << depth) - 1; }
    // Bytes a stored row.
    uint32_t Stride() const { return stride; }

    uint8_t* Row(uint32_t y) { return values.get() + static_cast<size_t>(y) * stride; }
    const uint8_t* Row(uint32_t y) const { return values.get() + static_cast<size_t>(y) * stride; }

    // x from the left, y from the top; both inside the image.
    uint32_t Get(uint32_t x, uint32_t y) const {
        const uint32_t bit = x * depth;
        return Row(y)[bit >> 3] >> (8 - depth - (bit & 7)) & MaxValue();
    }
    void Set(uint32_t x, uint32_t y, uint32_t value) {
        const uint32_t bit = x * depth, shift = 8 - depth - (bit & 7);
        uint8_t& byte = Row(y)[bit >> 3];
        byte = static_cast<uint8_t>((byte & ~(MaxValue() << shift)) | (value & MaxValue()) << shift);
    }

    // Every value v becomes MaxValue() - v: dark and light swap.
    void Invert();

private:
    std::unique_ptr<uint8_t[]> values;
    uint32_t width = 0, height = 0, depth = 0, stride = 0;
};
