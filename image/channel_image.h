// What an image is between its decoding and its tone, while it is turned,
// scaled and placed in its frame: rows from the top of 1 to 4 channels of
// 8 bits (grey, grey and alpha, RGB, RGBA, straight alpha): a grey level
// or a coverage a byte for a grey format, the picture's own channels for
// a format that keeps colour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

class PixelImage;

// Rows of pixels of 1 to 4 channels, held elsewhere.
struct PixelRows {
    const uint8_t* pixels;
    uint32_t width, height, channels;
    size_t stride;  // bytes from a row to the next
    const uint8_t* Row(uint32_t y) const { return pixels + y * stride; }
};

class ChannelImage {
public:
    // Every byte `fill`. False, with no pixels, when the image would have
    // more than kMaxDecodedPixels or memory is short.
    bool Create(uint32_t width, uint32_t height, uint8_t fill, uint32_t channels = 1);

    uint32_t Width() const { return width; }
    uint32_t Height() const { return height; }
    uint32_t Channels() const { return channels; }  // 1 to 4, alpha last when even
    uint8_t* Row(uint32_t y) { return pixels + static_cast<size_t>(y) * width * channels; }
    const uint8_t* Row(uint32_t y) const { return pixels + static_cast<size_t>(y) * width * channels; }
    PixelRows Rows() const { return {pixels, width, height, channels, static_cast<size_t>(width) * channels}; }

    // An image that reads other pixels (a decoded image's) without a copy;
    // they must outlive it, and it is only read.
    void View(const PixelRows& rows);

private:
    std::unique_ptr<uint8_t[]> owned;
    uint8_t* pixels = nullptr;
    uint32_t width = 0, height = 0, channels = 1;
};

// What the one byte a pixel of a grey format's image says of it.
enum class GreyFrom {
    Luminance,  // its grey: 0 black to 255 white
    Coverage,   // how much of it is covered, 0 none to 255 all: its alpha, or
                // in an image without alpha its darkness (255 less its grey)
};

// Row y of `rows`: colours by their luminance (77 R + 150 G + 29 B) / 256,
// the ITU-R BT.601 weights, then alpha composited over `background` (255
// white or 0 black); or its coverage. `out` holds a row.
void FlattenRow(const PixelRows& rows, uint32_t y, uint32_t background, uint8_t* out,
                GreyFrom from = GreyFrom::Luminance);

// The whole image so. False when it cannot be held.
bool FlattenImage(const PixelRows& rows, uint32_t background, ChannelImage* flat, GreyFrom from = GreyFrom::Luminance);

// The colours an image shows, as pixels to frame again: a grey a byte where
// it shows in greys (as coverage with `from` Coverage), else RGBA. False
// when they cannot be held.
bool ShownPixels(const PixelImage& image, GreyFrom from, ChannelImage* pixels);
