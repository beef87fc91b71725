// Reading a whole file, or a whole stream, into memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "io/file_io.h"

// Read this much at a time.
const size_t kReadChunk = size_t(1) << 20;

// Appends all of a file open for reading, or of a stream, to `bytes`,
// `chunk` bytes at a time: up to its end, or to one chunk past `limit`
// bytes in all, which tells the caller that it is larger. False when a read
// fails.
bool ReadWholeFile(FileHandle file, std::vector<uint8_t>* bytes, size_t limit, size_t chunk = kReadChunk);
bool ReadWholeStream(FILE* in, std::vector<uint8_t>* bytes, size_t limit, size_t chunk = kReadChunk);
