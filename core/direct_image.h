// An image in a direct colour format: each pixel its own value (see
// core/colour.h), rows from the top.
#pragma once

#include <cstdint>
#include <memory>

#include "core/colour.h"

class DirectImage {
public:
    // A new width x height image, every value 0. False, with nothing held,
    // for DirectFormat::None or when it would not fit in memory.
    bool Create(uint32_t width, uint32_t height, DirectFormat format);
    void Release();

    uint32_t Width() const { return width; }
    uint32_t Height() const { return height; }
    DirectFormat Format() const { return format; }

    uint32_t* Row(uint32_t y) { return values.get() + static_cast<size_t>(y) * width; }
    const uint32_t* Row(uint32_t y) const { return values.get() + static_cast<size_t>(y) * width; }
    uint32_t Get(uint32_t x, uint32_t y) const { return Row(y)[x]; }

private:
    std::unique_ptr<uint32_t[]> values;
    uint32_t width = 0, height = 0;
    DirectFormat format = DirectFormat::None;
};
