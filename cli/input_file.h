// One input of the converter by its name: a file, or "-" for a stream.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/convert_options.h"
#include "image/image_decoder.h"
#include "image/image_input.h"

class MonoBitmap;

// The image in `input`, a path or "-" for the bytes of `in`, as the 1-bit
// image or the levels the options ask for. False with `why` when it
// cannot: one line, without the input's name, such as "cannot open: no
// such file" or "unsupported BMP: RLE8 compression". With `animation`, a
// GIF of more than one frame is decoded whole into it instead, and
// `picture` stays empty.
bool ReadInputImage(const char* input, const ImageOptions& options, FILE* in, Picture* picture, std::string* why,
                    InputSize* source = nullptr, Animation* animation = nullptr);

// The same for a file already in memory, let go once it is decoded.
bool ImageOfBytes(std::vector<uint8_t>* bytes, const ImageOptions& options, Picture* picture, std::string* why,
                  InputSize* source, Animation* animation);

// All the bytes of `input`, a path or "-" for the bytes of `in`, up to one
// chunk past `limit`. False with `why` when they cannot be read.
bool ReadInputBytes(const char* input, FILE* in, size_t limit, std::vector<uint8_t>* bytes, std::string* why);

// The largest text an array is read from.
const size_t kLargestArrayText = size_t(256) << 20;

// The bytes of a packed image in `input`: raw (`binary`), or written in
// any of the text forms. False with `why` when they cannot be read.
bool ReadArrayInput(const char* input, bool binary, FILE* in, std::vector<uint8_t>* bytes, std::string* why);

// Those bytes as the width x height image they pack in `layout` at the
// options' depth (the 1-bit image, or levels), as a palette's values, or
// in a direct colour format with its bytes in that order. False with
// `why` when they are too few; `warning` tells of bytes left over.
bool UnpackArrayInput(const std::vector<uint8_t>& bytes, uint32_t width, uint32_t height, const ImageOptions& options,
                      bool bigEndian, const ConvertOptions& layout, Picture* picture, std::string* why,
                      std::string* warning);
