// What an image is between its decoding and its tone, while it is turned,
// scaled and placed in its frame: a plane of pixels, rows from the top,
// each pixel one byte (a grey level, 0 black to 255 white, or a coverage),
// or for colour output the decoded image's channels: grey and alpha, RGB
// or RGBA (straight alpha).
#pragma once

#include <cstdint>
#include <memory>

class GreyImage;
class MonoBitmap;

// Rows of pixels of 1 to 4 channels: grey, grey and alpha, RGB, RGBA.
struct PixelRows {
    const uint8_t* pixels;
    uint32_t width, height, channels;
    size_t stride;  // bytes from a row to the next
    const uint8_t* Row(uint32_t y) const { return pixels + y * stride; }
};

class Plane {
public:
    // Every byte `fill`. False, with no pixels, when the plane would have
    // more than kMaxDecodedPixels or memory is short.
    bool Create(uint32_t width, uint32_t height, uint8_t fill, uint32_t channels = 1);

    uint32_t Width() const { return width; }
    uint32_t Height() const { return height; }
    uint32_t Channels() const { return channels; }  // 1 to 4, alpha last when even
    uint8_t* Row(uint32_t y) { return pixels + static_cast<size_t>(y) * width * channels; }
    const uint8_t* Row(uint32_t y) const { return pixels + static_cast<size_t>(y) * width * channels; }
    PixelRows Rows() const { return {pixels, width, height, channels, static_cast<size_t>(width) * channels}; }

    // A plane that reads another's pixels (a decoded image's) without a
    // copy; they must outlive it, and it is only read.
    void View(const uint8_t* pixels, uint32_t width, uint32_t height, uint32_t channels);

private:
    std::unique_ptr<uint8_t[]> owned;
    uint8_t* pixels = nullptr;
    uint32_t width = 0, height = 0, channels = 1;
};

// What the one byte a pixel of a plane says of it.
enum class GreyFrom {
    Luminance,  // its grey: 0 black to 255 white
    Coverage,   // how much of it is covered, 0 none to 255 all: its alpha, or
                // in an image without alpha its darkness (255 less its grey)
};

// Row y of a decoded image: colours by their luminance (77 R + 150 G +
// 29 B) / 256, the ITU-R BT.601 weights, then alpha composited over
// `background` (255 white or 0 black); or its coverage. `out` holds a row.
void FlattenRow(const GreyImage& image, uint32_t y, uint32_t background, uint8_t* out,
                GreyFrom from = GreyFrom::Luminance);

// The whole image so. False when the plane cannot be held.
bool FlattenImage(const GreyImage& image, uint32_t background, Plane* plane, GreyFrom from = GreyFrom::Luminance);

// A 1-bit image as black (0) and white (255), or as coverage (a dark pixel
// 255). False when the plane cannot be held.
bool PlaneFromBitmap(const MonoBitmap& bitmap, Plane* plane, GreyFrom from = GreyFrom::Luminance);
