// An image in a direct colour format: each pixel its own value (see
// core/pixel_format.h), rows from the top.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "core/pixel_format.h"

class DirectImage {
public:
    // A new width x height image, every value 0. False, with nothing held,
    // for a format that is not direct or when it would not fit in memory.
    bool Create(uint32_t width, uint32_t height, PixelFormat format);
    void Release();
    void Swap(DirectImage& other) {
        values.swap(other.values);
        std::swap(width, other.width), std::swap(height, other.height);
        std::swap(format, other.format), std::swap(held, other.held);
    }

    bool Held() const { return held; }
    uint32_t Width() const { return width; }
    uint32_t Height() const { return height; }
    PixelFormat Format() const { return format; }

    uint32_t* Row(uint32_t y) { return values.get() + static_cast<size_t>(y) * width; }
    const uint32_t* Row(uint32_t y) const { return values.get() + static_cast<size_t>(y) * width; }
    uint32_t Get(uint32_t x, uint32_t y) const { return Row(y)[x]; }

private:
    std::unique_ptr<uint32_t[]> values;
    uint32_t width = 0, height = 0;
    PixelFormat format = PixelFormat::Rgb565;
    bool held = false;
};
