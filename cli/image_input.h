// One input of the converter, as the 1-bit image that is packed. A 1-bit
// BMP that the Windows program reads takes the same loader and gives the
// same image; anything else goes to the decoder and the tone options.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/tone.h"
#include "core/file_io.h"

class MonoBitmap;

// Loads `input`, a path or "-" for the bytes of `in`, into `bitmap`. False
// with `why` when it cannot: one line, without the input's name, such as
// "cannot open: no such file" or "unsupported BMP: RLE8 compression".
bool LoadInput(const char* input, const ToneOptions& tone, FILE* in, MonoBitmap* bitmap,
               std::string* why);

// The same for a whole file in memory.
bool LoadInputBytes(const uint8_t* data, size_t size, const ToneOptions& tone, MonoBitmap* bitmap,
                    std::string* why);

// Inputs are read this much at a time, up to the largest the decoder takes.
const size_t kReadChunk = size_t(1) << 20;
const size_t kLargestInput = size_t(0x7FFFFFFF);

// Appends all of a file open for reading, or of a stream, to `bytes`,
// `chunk` bytes at a time: up to its end, or to one byte past the largest
// input, which the caller then refuses. False when a read fails.
bool ReadWholeFile(FileHandle file, std::vector<uint8_t>* bytes, size_t chunk = kReadChunk);
bool ReadWholeStream(FILE* in, std::vector<uint8_t>* bytes, size_t chunk = kReadChunk);

// What keeps the decoder from reading a BMP correctly, in a few words, or
// empty when nothing does. `data` starts with "BM".
std::string BmpProblem(const uint8_t* data, size_t size);

// The same for a binary PGM or PPM: its three header numbers must be
// whole numbers the decoder can hold. `data` starts with "P5" or "P6".
std::string PnmProblem(const uint8_t* data, size_t size);
