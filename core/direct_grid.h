// The bytes of a direct colour image: each pixel's value in BytesOfValue()
// bytes, least significant first (little-endian, as LVGL and most MCUs
// hold them in memory) or most significant first (big-endian, the order
// ST7735 and ILI9341 controllers take on the wire). A line is a row of
// pixels with --bytes-horizontal, a column with --bytes-vertical; the
// other packing options, about pixels within a byte, have nothing to say.
// RGB565A8 (LVGL's) packs every RGB565 value, then every alpha byte, the
// colour lines each as two lines of the alpha's length.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/convert_options.h"
#include "core/direct_image.h"
#include "core/packed_grid.h"

class DirectGrid : public PackedGrid {
public:
    // `image` must outlive the grid.
    DirectGrid(const DirectImage& image, const ConvertOptions& layout, bool bigEndian);

    uint32_t ItemsPerLine() const override { return items; }
    uint32_t LineCount() const override { return lines; }
    void Pack(uint32_t line, uint32_t first, uint32_t count, uint8_t* out) override;

private:
    uint32_t Value(uint32_t line, uint32_t pixel) const {
        return rows ? image.Get(pixel, line) : image.Get(line, pixel);
    }

    const DirectImage& image;
    bool rows, bigEndian, alphaPlane;
    uint32_t bytes, pixelLines, items, lines;
};

// The bytes a width x height image of `format` packs into.
uint64_t PackedDirectSize(uint32_t width, uint32_t height, DirectFormat format);

// The way back: the first PackedDirectSize() of `bytes` as a new width x
// height image of `format`. False when there are fewer bytes or memory is
// short.
bool UnpackDirect(const uint8_t* bytes, size_t count, uint32_t width, uint32_t height, DirectFormat format,
                  const ConvertOptions& layout, bool bigEndian, DirectImage* image);
