#include "image/grey_plane.h"

#include <cstring>
#include <new>

#include "core/mono_bitmap.h"
#include "image/image_decoder.h"

bool Plane::Create(uint32_t newWidth, uint32_t newHeight, uint8_t fill, uint32_t newChannels) {
    owned.reset();
    pixels = nullptr;
    width = height = 0;
    const uint64_t count = static_cast<uint64_t>(newWidth) * newHeight;
    if (count > kMaxDecodedPixels || newChannels < 1 || newChannels > 4) return false;
    const uint64_t size = count * newChannels;
    owned.reset(new (std::nothrow) uint8_t[size ? size : 1]);
    if (!owned) return false;
    pixels = owned.get();
    std::memset(pixels, fill, static_cast<size_t>(size));
    width = newWidth;
    height = newHeight;
    channels = newChannels;
    return true;
}

void FlattenRow(const GreyImage& image, uint32_t y, uint32_t background, uint8_t* out, GreyFrom from) {
    const uint32_t channels = image.Channels(), width = image.Width();
    const uint8_t* p = image.Pixels() + static_cast<size_t>(y) * width * channels;
    if (from == GreyFrom::Coverage) {
        for (uint32_t x = 0; x < width; ++x, p += channels) {
            const uint32_t grey = channels >= 3 ? (77u * p[0] + 150u * p[1] + 29u * p[2]) >> 8 : p[0];
            out[x] = static_cast<uint8_t>(channels % 2 == 0 ? p[channels - 1] : 255 - grey);
        }
        return;
    }
    for (uint32_t x = 0; x < width; ++x, p += channels) {
        uint32_t grey = channels >= 3 ? (77u * p[0] + 150u * p[1] + 29u * p[2]) >> 8 : p[0];
        if (channels % 2 == 0) {
            uint32_t alpha = p[channels - 1];
            grey = (grey * alpha + background * (255 - alpha) + 127) / 255;
        }
        out[x] = static_cast<uint8_t>(grey);
    }
}

bool FlattenImage(const GreyImage& image, uint32_t background, Plane* plane, GreyFrom from) {
    if (!plane->Create(image.Width(), image.Height(), 0)) return false;
    for (uint32_t y = 0; y < image.Height(); ++y) FlattenRow(image, y, background, plane->Row(y), from);
    return true;
}

bool PlaneFromBitmap(const MonoBitmap& bitmap, Plane* plane, GreyFrom from) {
    const uint8_t light = from == GreyFrom::Coverage ? 0 : 255;
    if (!plane->Create(bitmap.Width(), bitmap.Height(), light)) return false;
    if (bitmap.Width() == 0) return true;  // a 1-bit file may claim any number of empty rows
    for (uint32_t y = 0; y < bitmap.Height(); ++y) {
        uint8_t* row = plane->Row(y);
        for (uint32_t x = 0; x < bitmap.Width(); ++x)
            if (bitmap.IsDark(x, y)) row[x] = static_cast<uint8_t>(255 - light);
    }
    return true;
}

void Plane::View(const uint8_t* from, uint32_t newWidth, uint32_t newHeight, uint32_t newChannels) {
    owned.reset();
    pixels = const_cast<uint8_t*>(from);
    width = newWidth;
    height = newHeight;
    channels = newChannels;
}
