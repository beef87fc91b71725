// The converter's two other output forms: the same bytes as a compilable C
// declaration, and the bytes themselves.
#pragma once

#include <cstdint>
#include <string>

#include "core/block_writer.h"
#include "core/budget.h"
#include "core/convert_options.h"

class ByteScanner;

// What the comment line above a C declaration tells about its source.
struct ArraySource {
    std::string fileName;  // shown as given, without control characters
    uint32_t width = 0;
    uint32_t height = 0;
    ConvertOptions options = {};
    bool invert = false;
};

// A comment line describing the source, then
//   const unsigned char NAME[N] = {
// one line per line of bytes, the array text's line without its leading
// ", ", indented and ended with a comma, and a closing "};".
// `name` must be a C identifier.
bool EmitCArray(const ByteScanner& scanner, const ArraySource& source, const char* name,
                TextSink sink, void* context, const Budget& budget = Budget());

// The packed bytes, line after line, with nothing between them.
bool EmitPackedBytes(const ByteScanner& scanner, TextSink sink, void* context,
                     const Budget& budget = Budget());
