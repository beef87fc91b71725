// Maps the three packing options to the one shared scanner for them.
#pragma once

#include <cstdint>
#include <memory>

#include "core/convert_options.h"

class ByteScanner;

struct ScannerRow {
    uint32_t msbReverse;
    uint32_t bitHorizontal;
    uint32_t byteHorizontal;
    ByteScanner* scanner;
};

extern const ScannerRow ScannerTable[8];

// The shared instance for the options, or null when a field is neither 0
// nor 1. `fillOnes` is not part of the key.
ByteScanner* SelectScanner(const ConvertOptions& options);

// A scanner of its own, of the class SelectScanner picks, for a caller that
// must not share the program's instances (each run of the converter). Null
// when SelectScanner gives null.
std::unique_ptr<ByteScanner> NewScanner(const ConvertOptions& options);
