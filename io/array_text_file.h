// The array text, and any other output, into a file.
#pragma once

#include <cstdint>

#include "io/file_io.h"

class ByteScanner;

// A sink that writes to `file`, a FileHandle open for writing.
bool WriteToFile(void* file, const char* text, uint32_t size);

// Writes the array text to a file open for writing at its start. True when
// every byte was written.
bool WriteArrayText(const ByteScanner& scanner, FileHandle file);
