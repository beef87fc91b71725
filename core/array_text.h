// The output format: one text line per output line of a scanner, each byte
// written as ", 0x%02X", each line ended by a single line feed.
#pragma once

#include <cstdint>

#include "core/block_writer.h"
#include "core/buffer_sizes.h"

class ByteScanner;
class PackedGrid;

// Walks the whole grid of an attached scanner, whole lines at a time. True
// when every block was accepted by the sink.
bool EmitArrayText(const ByteScanner& scanner, ByteSink sink, void* context, const BufferSizes& sizes = BufferSizes());

// The same for any grid of packed bytes.
bool EmitArrayText(PackedGrid& grid, ByteSink sink, void* context, const BufferSizes& sizes = BufferSizes());

// The same text from GetByte, item by item: the reference the line-at-a-time
// path is held to.
bool EmitArrayTextPerByte(const ByteScanner& scanner, ByteSink sink, void* context,
                          const BufferSizes& sizes = BufferSizes());

// The text of one item: ", 0x" and two upper-case hex digits, kArrayItemChars
// characters without a terminating NUL.
const uint32_t kArrayItemChars = 6;
const char* ArrayItemText(uint8_t value);

// Writes the items of `count` bytes at `at` and returns their end. Stores
// 8 bytes an item, so 2 bytes past the end may change (OutputBlock's slack).
char* PutArrayItems(char* at, const uint8_t* bytes, uint32_t count);

// The largest text block for `sizes`: its text bytes, or more where a
// whole piece of items with its line ends needs more.
uint32_t TextBytesFor(const BufferSizes& sizes);

// The length the text will have: LineCount() x (6 x ItemsPerLine() + 1).
uint64_t ArrayTextLength(const ByteScanner& scanner);
uint64_t ArrayTextLength(const PackedGrid& grid);
