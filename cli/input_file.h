// One input of the converter by its name: a file, or "-" for a stream.
#pragma once

#include <cstdio>
#include <string>

#include "image/image_input.h"

class MonoBitmap;

// Loads `input`, a path or "-" for the bytes of `in`, into `bitmap`. False
// with `why` when it cannot: one line, without the input's name, such as
// "cannot open: no such file" or "unsupported BMP: RLE8 compression".
bool LoadInput(const char* input, const ImageOptions& options, FILE* in, MonoBitmap* bitmap,
               std::string* why, InputSize* source = nullptr);
