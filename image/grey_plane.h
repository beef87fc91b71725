// One grey level a pixel, 0 black to 255 white, rows from the top: what an
// image is between its decoding and its threshold, while it is turned,
// scaled and placed in its frame.
#pragma once

#include <cstdint>
#include <memory>

class GreyImage;
class MonoBitmap;

class GreyPlane {
public:
    // Every pixel `fill`. False, with no pixels, when the plane would have
    // more than kMaxDecodedPixels or memory is short.
    bool Create(uint32_t width, uint32_t height, uint8_t fill);

    uint32_t Width() const { return width; }
    uint32_t Height() const { return height; }
    uint8_t* Row(uint32_t y) { return pixels.get() + static_cast<size_t>(y) * width; }
    const uint8_t* Row(uint32_t y) const { return pixels.get() + static_cast<size_t>(y) * width; }

private:
    std::unique_ptr<uint8_t[]> pixels;
    uint32_t width = 0, height = 0;
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
bool FlattenImage(const GreyImage& image, uint32_t background, GreyPlane* plane, GreyFrom from = GreyFrom::Luminance);

// A 1-bit image as black (0) and white (255), or as coverage (a dark pixel
// 255). False when the plane cannot be held.
bool PlaneFromBitmap(const MonoBitmap& bitmap, GreyPlane* plane, GreyFrom from = GreyFrom::Luminance);
