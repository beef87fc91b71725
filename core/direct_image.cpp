#include "core/direct_image.h"

#include <cstring>
#include <new>

bool DirectImage::Create(uint32_t newWidth, uint32_t newHeight, PixelFormat newFormat) {
    Release();
    const uint64_t count = static_cast<uint64_t>(newWidth) * newHeight;
    if (!IsDirect(newFormat) || count > (uint64_t(1) << 28)) return false;
    values.reset(new (std::nothrow) uint32_t[count ? static_cast<size_t>(count) : 1]);
    if (!values) return false;
    std::memset(values.get(), 0, static_cast<size_t>(count) * sizeof(uint32_t));
    width = newWidth;
    height = newHeight;
    format = newFormat;
    held = true;
    return true;
}

void DirectImage::Release() {
    values.reset();
    width = height = 0;
    held = false;
}
