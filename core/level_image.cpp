#include "core/level_image.h"

#include <cstring>
#include <new>

bool LevelImage::Create(uint32_t newWidth, uint32_t newHeight, uint32_t newDepth) {
    Release();
    if (newDepth != 1 && newDepth != 2 && newDepth != 4 && newDepth != 8) return false;
    const uint64_t rowBytes = (static_cast<uint64_t>(newWidth) * newDepth + 7) / 8;
    const uint64_t size = rowBytes * newHeight;
    if (size > (uint64_t(1) << 31)) return false;
    values.reset(new (std::nothrow) uint8_t[size ? static_cast<size_t>(size) : 1]);
    if (!values) return false;
    std::memset(values.get(), 0, static_cast<size_t>(size));
    width = newWidth;
    height = newHeight;
    depth = newDepth;
    stride = static_cast<uint32_t>(rowBytes);
    return true;
}

void LevelImage::Release() {
    values.reset();
    width = height = depth = stride = 0;
}

void LevelImage::Invert() {
    // Every bit of a value flips; the spare bits at a row's end stay 0.
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* row = Row(y);
        for (uint32_t i = 0; i < stride; ++i) row[i] = static_cast<uint8_t>(~row[i]);
        const uint32_t used = width * depth % 8;
        if (used != 0) row[stride - 1] &= static_cast<uint8_t>(0xFF00u >> used);
    }
}
