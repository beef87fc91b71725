// Any image's packed bytes, whatever its pixel format: the scanners for a
// 1-bit image, LevelGrid for values of 2 to 8 bits (and of 1 bit beside a
// 1-bit image: coverage, a two-colour palette), PlanesGrid for planes,
// DirectGrid for direct colour; and the way back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/buffer_sizes.h"
#include "core/packed_grid.h"
#include "core/packed_shape.h"

class PixelImage;

struct PackOptions {
    ConvertOptions layout = {};
    bool bigEndian = false;  // a direct value's bytes, most significant first
    // Each bit of the values as a 1-bit plane, the high bit's first; for a
    // palette's values the black plane (value 0) and the colour plane
    // (value 2) of a three-colour panel, a pixel of the plane's value
    // marked by its ink bit.
    bool planes = false;
    uint32_t blackInk = 1, colourInk = 1;
    // A row's spare pixels (of its partial last byte) take this value, the
    // one a white pixel packs as, instead of the layout's fill bits: an
    // e-paper driver draws every bit of a row's last byte.
    std::optional<uint32_t> fillValue;
};

// The image's bytes as a grid, which reads the image (it must outlive the
// grid). Null when the image has no pixels or memory is short.
std::unique_ptr<PackedGrid> PackImage(const PixelImage& image, const PackOptions& options,
                                      const BufferSizes& sizes = BufferSizes());

// The bytes an image of the shape packs into (without planes).
uint64_t PackedImageSize(const PackedShape& shape);

// The way back: the first PackedImageSize() of `bytes` as a new image of
// the shape. False when there are fewer bytes or memory is short.
bool UnpackPixels(const uint8_t* bytes, size_t count, const PackedShape& shape, PixelImage* image);
