// An image in any pixel format: its size, its format, its values and, for
// a palette's values, the palette. A 1-bit image is held as the BMP reader
// and the scanners hold it (a MonoBitmap, its rows as the file has them);
// values of 1 to 8 bits as packed rows (LevelImage); direct colour a value
// a pixel (DirectImage). Only this room and the packers below it reach the
// storage; the rest ask the format, or Get and ShownColour.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/direct_image.h"
#include "core/level_image.h"
#include "core/mono_bitmap.h"
#include "core/pixel_format.h"

class PixelImage {
public:
    PixelImage() = default;
    PixelImage(const PixelImage&) = delete;
    PixelImage& operator=(const PixelImage&) = delete;

    // A new width x height image of `format`, every value 0 (a 1-bit image:
    // every pixel light). False, with nothing held, when it would not fit
    // in memory.
    bool Create(uint32_t width, uint32_t height, PixelFormat format);
    // Nothing held; the format is Mono again, ready for Bitmap() to load.
    void Release();
    // Nothing held, of `format`: for a writer that creates the values
    // itself, in Bitmap(), Levels() or Direct() as the format says.
    void Start(PixelFormat format);
    // The two images change places.
    void Swap(PixelImage& other);

    // The 1-bit image: a BMP is loaded into it directly, which makes the
    // image that 1-bit image.
    MonoBitmap& Bitmap() { return bitmap; }
    const MonoBitmap& Bitmap() const { return bitmap; }
    const LevelImage& Levels() const { return levels; }
    LevelImage& Levels() { return levels; }
    const DirectImage& Direct() const { return direct; }
    DirectImage& Direct() { return direct; }

    // Anything at all held, pixels or not (a 1-bit file may claim rows of
    // no pixels).
    bool Held() const;
    PixelFormat Format() const { return format; }
    uint32_t Width() const;
    uint32_t Height() const;

    // Value v of a palette's values is the colour Palette()[v] (for the
    // files and libraries that take colours), and looks like Inks()[v] on
    // the panel (black past their ends). Without inks of their own the
    // inks are the colours.
    const std::vector<Rgb>& Palette() const { return palette; }
    const std::vector<Rgb>& Inks() const { return inks; }
    void SetPalette(const std::vector<Rgb>& colours) { palette = inks = colours; }
    void SetPalette(const std::vector<Rgb>& colours, const std::vector<Rgb>& looks) {
        palette = colours;
        inks = looks;
    }

    // The value of pixel (x, y), inside the image: a 1-bit image's 1 is a
    // dark pixel; a level, an index or a direct value.
    uint32_t Get(uint32_t x, uint32_t y) const;
    void Set(uint32_t x, uint32_t y, uint32_t value);

    // Dark and light swap: a 1-bit image's dark palette entry changes
    // sides, a level v becomes the top less v. A palette's values and
    // direct colour have no dark and light: they stay.
    void Invert();

    // The colour pixel (x, y) shows as: its grey (for coverage the ink's),
    // its palette ink or its direct colour widened to 8 bits a channel;
    // alpha 255 but where a direct format keeps it. `rgba` gets four bytes.
    void ShownColour(uint32_t x, uint32_t y, uint8_t rgba[4]) const;

    // "key: value" lines of how the values are held: for a 1-bit image its
    // stride, palette and dark palette entry; for levels their depth, pixels
    // a byte, stride and levels; for a palette's values the palette (and
    // the inks, where they are not its colours); for
    // direct colour its format and bytes a pixel.
    std::string DescribeValues() const;

private:
    PixelFormat format = PixelFormat::Mono;
    MonoBitmap bitmap;
    LevelImage levels;
    DirectImage direct;
    std::vector<Rgb> palette;
    std::vector<Rgb> inks;
};
