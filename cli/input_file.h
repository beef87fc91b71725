// One input of the converter by its name: a file, or "-" for a stream.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/packed_grid.h"
#include "core/packed_shape.h"
#include "image/image_decoder.h"
#include "image/image_input.h"

// One input's image on its way: read, toned, packed.
struct InputImage {
    PixelImage picture;
    std::unique_ptr<PackedGrid> grid;  // its packed bytes, once packed
    Animation animation;               // an animated GIF's frames, decoded whole instead
    InputSize source;                  // its size as it came, before the frame

    // Nothing held: for the next input.
    void Release() {
        picture.Release();
        grid.reset();
        animation.Release();
    }
};

// The image in `input`, a path or "-" for the bytes of `in`, into
// `into->picture` as the options ask. False with `why` when it cannot: one
// line, without the input's name, such as "cannot open: no such file" or
// "unsupported BMP: RLE8 compression". A GIF of more than one frame is
// decoded whole into `into->animation` instead, and the picture stays
// empty.
bool ReadInputImage(const char* input, const ImageOptions& options, FILE* in, InputImage* into, std::string* why);

// The same for a file already in memory, let go once it is decoded.
bool ImageOfBytes(std::vector<uint8_t>* bytes, const ImageOptions& options, InputImage* into, std::string* why);

// All the bytes of `input`, a path or "-" for the bytes of `in`, up to one
// chunk past `limit`. False with `why` when they cannot be read.
bool ReadInputBytes(const char* input, FILE* in, size_t limit, std::vector<uint8_t>* bytes, std::string* why);

// The largest text an array is read from.
const size_t kLargestArrayText = size_t(256) << 20;

// The bytes of a packed image in `input`: raw (`binary`), or written in
// any of the text forms. False with `why` when they cannot be read.
bool ReadArrayInput(const char* input, bool binary, FILE* in, std::vector<uint8_t>* bytes, std::string* why);

// Those bytes as the image of the shape (a palette's values take the
// palette's colours). False with `why` when they are too few; `warning`
// tells of bytes left over.
bool UnpackArrayInput(const std::vector<uint8_t>& bytes, const PackedShape& shape, const Palette& palette,
                      PixelImage* picture, std::string* why, std::string* warning);
