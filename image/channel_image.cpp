#include "image/channel_image.h"

#include <cstring>
#include <new>

#include "core/pixel_image.h"
#include "image/image_decoder.h"

bool ChannelImage::Create(uint32_t newWidth, uint32_t newHeight, uint8_t fill, uint32_t newChannels) {
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

void ChannelImage::View(const PixelRows& rows) {
    owned.reset();
    pixels = const_cast<uint8_t*>(rows.pixels);
    width = rows.width;
    height = rows.height;
    channels = rows.channels;
}

void FlattenRow(const PixelRows& rows, uint32_t y, uint32_t background, uint8_t* out, GreyFrom from) {
    const uint32_t channels = rows.channels, width = rows.width;
    const uint8_t* p = rows.Row(y);
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

bool FlattenImage(const PixelRows& rows, uint32_t background, ChannelImage* flat, GreyFrom from) {
    if (!flat->Create(rows.width, rows.height, 0)) return false;
    for (uint32_t y = 0; y < rows.height; ++y) FlattenRow(rows, y, background, flat->Row(y), from);
    return true;
}

bool ShownPixels(const PixelImage& image, GreyFrom from, ChannelImage* pixels) {
    const uint32_t channels = ShownChannels(image.Format()) == 1 ? 1 : 4;
    if (!pixels->Create(image.Width(), image.Height(), 0, channels)) return false;
    if (image.Width() == 0) return true;  // a 1-bit file may claim any number of empty rows
    for (uint32_t y = 0; y < image.Height(); ++y) {
        uint8_t* row = pixels->Row(y);
        for (uint32_t x = 0; x < image.Width(); ++x) {
            uint8_t rgba[4];
            image.ShownColour(x, y, rgba);
            if (channels == 4) {
                std::memcpy(row + 4 * x, rgba, 4);
            } else {
                row[x] = static_cast<uint8_t>(from == GreyFrom::Coverage ? 255 - rgba[0] : rgba[0]);
            }
        }
    }
    return true;
}
