// One input of the converter, a whole file in memory, as the 1-bit image
// that is packed. A 1-bit BMP that the Windows program reads takes the same
// loader and gives the same image; anything else goes to the decoder and
// the tone options.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "image/tone.h"

class MonoBitmap;

// The largest input the decoder takes.
const size_t kLargestInput = size_t(0x7FFFFFFF);

// Loads the file in `data` into `bitmap`. False with `why` when it cannot:
// one line, without the input's name, such as "not an image this converter
// reads (PNG, BMP, PGM or PPM)" or "unsupported BMP: RLE8 compression".
bool LoadInputBytes(const uint8_t* data, size_t size, const ToneOptions& tone, MonoBitmap* bitmap,
                    std::string* why);

// The same through the decoder alone, for a file that the 1-bit reader has
// refused already.
bool DecodeInputBytes(const uint8_t* data, size_t size, const ToneOptions& tone, MonoBitmap* bitmap,
                      std::string* why);

// What keeps the decoder from reading a BMP correctly, in a few words, or
// empty when nothing does. `data` starts with "BM".
std::string BmpProblem(const uint8_t* data, size_t size);

// The same for a binary PGM or PPM: its three header numbers must be
// whole numbers the decoder can hold. `data` starts with "P5" or "P6".
std::string PnmProblem(const uint8_t* data, size_t size);
