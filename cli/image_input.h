// One input of the converter, as the 1-bit image that is packed. A 1-bit
// BMP that the Windows program reads takes the same loader and gives the
// same image; anything else goes to the decoder and the tone options.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "cli/tone.h"

class MonoBitmap;

// Loads `input`, a path or "-" for the bytes of `in`, into `bitmap`. False
// with `why` when it cannot: one line, without the input's name, such as
// "cannot open: no such file" or "unsupported BMP: RLE8 compression".
bool LoadInput(const char* input, const ToneOptions& tone, FILE* in, MonoBitmap* bitmap,
               std::string* why);

// The same for a whole file in memory.
bool LoadInputBytes(const uint8_t* data, size_t size, const ToneOptions& tone, MonoBitmap* bitmap,
                    std::string* why);

// What keeps the decoder from reading a BMP correctly, in a few words, or
// empty when nothing does. `data` starts with "BM".
std::string BmpProblem(const uint8_t* data, size_t size);

// The same for a binary PGM or PPM: its three header numbers must be
// whole numbers the decoder can hold. `data` starts with "P5" or "P6".
std::string PnmProblem(const uint8_t* data, size_t size);
