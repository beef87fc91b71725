// What the C forms share: the comment above an image, its values in lines,
// its size as constants, the include guard, and the tables of a collection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>
#include <utility>

#include "core/block_writer.h"
#include "core/buffer_sizes.h"
#include "forms/output_form.h"

// A file name is free text to the file system but must not end the comment
// it is shown in, nor break its line.
std::string CommentSafe(const std::string& text);

// "/* logo.png: 128 x 64 pixels, ..., msb first, ...; 1024 bytes */": the
// source, its size and format, the layout, `more`, and the bytes.
std::string SourceComment(const ArraySource& source, uint64_t bytes, const std::string& more);

// NAME_width and NAME_height: enum constants, or #defines.
std::string SizeConstants(bool defines, const std::string& name, uint32_t width, uint32_t height);

// "unsigned char ", or with 2 or 4 bytes a word "uint16_t " or "uint32_t ".
std::string ValueType(uint32_t wordBytes);

// The include guard of a header of several images named `collection`, and
// its end.
std::string GuardOpening(const std::string& collection);
const char* GuardClosing();

// What stands around an image's values: its comment and declaration, and
// what closes them.
struct Enclosure {
    Enclosure(std::string opening, std::string closing) : before(std::move(opening)), after(std::move(closing)) {}
    std::string before, after;
    // Where the values break into a second array: after `splitAt` bytes
    // (0: never), the first array closed and `between` opening the next.
    uint64_t splitAt = 0;
    std::string between;
};

// Writes what goes before, the grid's bytes as lines of "    0xA0, 0x60,
// ..." values (`perLine` a line, or values of `wordBytes` bytes, the first
// the least significant), then what goes after. True when every block was
// accepted.
bool WriteValues(PackedGrid& grid, const Enclosure& around, const FormOptions& options, ByteSink sink, void* context,
                 const BufferSizes& sizes);

// Text to the sink in blocks. True when every block was accepted.
bool WriteText(const std::string& text, ByteSink sink, void* context);

// How a form's tables name its images: "static const " or "const ", the
// type pointed to, "&" before each name or none, a suffix after it
// ("_bits"), and counts and sizes as #defines or enum constants.
// "static const " in a header, "const " in a source file.
const char* DataQualifier(const FormOptions& options);

struct TableStyle {
    const char* qualifier;
    std::string type;
    const char* address;
    const char* suffix;
    bool defines;
    const char* tableSuffix = "";  // after the pointer table's name: "_black"
};

// The names the tables of a collection named `name` declare.
std::vector<std::string> CollectionNames(const std::string& name);

// The tables of a collection: for images NAME_images (pointers), NAME_widths,
// NAME_heights and NAME_count; for frames NAME_frames, NAME_delays,
// NAME_frame_count, NAME_width and NAME_height, which all frames share.
// With `pointersOnly`, the pointer table alone (a second plane's).
std::string CollectionTables(const TableStyle& style, const FormCollection& collection, bool pointersOnly = false);
