#include "forms/c_source.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/array_text.h"
#include "core/line_packer.h"
#include "core/output_block.h"
#include "core/packed_grid.h"
#include "image/presets.h"

namespace {

const uint32_t kLongestLine = 4096;  // values; --per-line keeps to it

std::string Upper(const std::string& text) {
    std::string upper = text;
    for (char& c : upper) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    return upper;
}

// Text into a block, from strings of any length.
void PutText(OutputBlock& text, const std::string& piece) {
    for (size_t at = 0; at < piece.size();) {
        const uint32_t size = static_cast<uint32_t>(std::min<size_t>(piece.size() - at, text.Capacity()));
        char* to = text.Reserve(size);
        text.Commit(std::copy_n(piece.data() + at, size, to));
        at += size;
    }
}

// Bytes as lines of "    0xA0, 0x60, ..." values, each line ended by a
// comma, `perLine` values a line whatever the packed lines are; or with
// `wordBytes` 2 or 4, values of that many bytes, the first the least
// significant ("0x07E0").
class ValueLines {
public:
    ValueLines(OutputBlock& text, uint32_t perLine, uint32_t wordBytes = 1)
        : text(text),
          wordBytes(wordBytes),
          perLine(std::max<uint32_t>(1, std::min(perLine, kLongestLine)) * wordBytes) {
        pending.reserve(this->perLine);
    }
    void Put(const uint8_t* bytes, uint32_t count) {
        while (count > 0) {
            const uint32_t take = std::min<uint32_t>(count, perLine - static_cast<uint32_t>(pending.size()));
            pending.insert(pending.end(), bytes, bytes + take);
            bytes += take;
            count -= take;
            if (pending.size() == perLine) EndLine();
        }
    }
    void Finish() {
        if (!pending.empty()) EndLine();
    }

private:
    // The items go two characters in, so that the indent covers the first
    // item's ", ".
    void EndLine() {
        const uint32_t count = static_cast<uint32_t>(pending.size());
        char* at = text.Reserve(count * kArrayItemChars + 4);
        char* end = wordBytes == 1 ? PutArrayItems(at + 2, pending.data(), count) : PutWords(at + 2, count);
        std::memcpy(at, "    ", 4);
        *end++ = ',';
        *end++ = '\n';
        text.Commit(end);
        pending.clear();
    }

    // ", 0x07E0" for each whole value pending.
    char* PutWords(char* at, uint32_t count) const {
        static const char kHex[] = "0123456789ABCDEF";
        for (uint32_t i = 0; i + wordBytes <= count; i += wordBytes) {
            *at++ = ',';
            *at++ = ' ';
            *at++ = '0';
            *at++ = 'x';
            for (uint32_t b = wordBytes; b-- > 0;) {
                *at++ = kHex[pending[i + b] >> 4];
                *at++ = kHex[pending[i + b] & 15];
            }
        }
        return at;
    }

    OutputBlock& text;
    const uint32_t wordBytes;
    const uint32_t perLine;  // bytes a line
    std::vector<uint8_t> pending;
};

// ", rgb565 little-endian", ", 2 bits a pixel of palette bwr", ", 4 bits a
// pixel": what the comment says of the format, beside the size.
std::string FormatWords(const ArraySource& source) {
    const uint32_t bits = BitsOf(source.format);
    const bool inks = source.planes && IsIndexed(source.format);
    std::string words;
    if (IsDirect(source.format)) {
        words = std::string(", ") + PixelFormatName(source.format);
        if (BytesOfValue(source.format) > 1) words += source.bigEndian ? " big-endian" : " little-endian";
    } else if (IsIndexed(source.format)) {
        words = ", " + std::to_string(bits) + (bits == 1 ? " bit" : " bits") + " a pixel of palette " +
                CommentSafe(source.palette);
        if (inks) words += " as its black plane and its colour plane";
    } else if (bits > 1) {
        words = ", " + std::to_string(bits) + " bits a pixel";
    }
    if (source.planes && !inks) words += " as " + std::to_string(bits) + " planes, the high bit's first";
    return words;
}

// One table of pointers or of numbers.
std::string Table(const TableStyle& style, const std::string& type, const std::string& name,
                  const std::vector<std::string>& values, bool lines) {
    std::string text = style.qualifier + type + name + "[] = {" + (lines ? "\n" : "");
    for (size_t i = 0; i < values.size(); ++i) text += lines ? "    " + values[i] + ",\n" : (i ? ", " : "") + values[i];
    return text + "};\n";
}

}  // namespace

std::string CommentSafe(const std::string& text) {
    std::string safe;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        bool endsComment = c == '*' && i + 1 < text.size() && text[i + 1] == '/';
        safe += (c < 0x20 || c == 0x7F || endsComment) ? '?' : text[i];
    }
    return safe;
}

std::string SourceComment(const ArraySource& source, uint64_t bytes, const std::string& more) {
    return "/* " + CommentSafe(source.fileName) + ": " + std::to_string(source.width) + " x " +
           std::to_string(source.height) + " pixels" + FormatWords(source) + ", " +
           LayoutInWords(source.options, source.invert, source.fillWhite) + more + "; " + std::to_string(bytes) +
           " bytes */\n";
}

std::string SizeConstants(bool defines, const std::string& name, uint32_t width, uint32_t height) {
    if (!defines)
        return "enum { " + name + "_width = " + std::to_string(width) + ", " + name +
               "_height = " + std::to_string(height) + " };\n";
    return "#define " + name + "_width " + std::to_string(width) + "\n#define " + name + "_height " +
           std::to_string(height) + "\n";
}

const char* DataQualifier(const FormOptions& options) { return options.header ? "static const " : "const "; }

std::string ValueType(uint32_t wordBytes) {
    return wordBytes == 2 ? "uint16_t " : wordBytes == 4 ? "uint32_t " : "unsigned char ";
}

std::string GuardOpening(const std::string& collection) {
    if (collection.empty()) return std::string();
    return "#ifndef QUILLGRID_" + Upper(collection) + "_H\n#define QUILLGRID_" + Upper(collection) + "_H\n\n";
}

const char* GuardClosing() { return "\n#endif\n"; }

bool WriteValues(PackedGrid& grid, const Enclosure& around, const FormOptions& options, ByteSink sink, void* context,
                 const BufferSizes& sizes) {
    const uint32_t words = std::max<uint32_t>(1, options.wordBytes);
    const uint32_t lineBytes = std::min(options.perLine, kLongestLine) * (kArrayItemChars + 2 * words) + 16;
    OutputBlock text(sink, context, OutputBlock::kSize, std::max(TextBytesFor(sizes), lineBytes));
    PutText(text, around.before);
    ValueLines values(text, options.perLine, words);
    PackedLines lines(grid, sizes);
    const uint8_t* bytes;
    uint32_t count;
    bool endsLine;
    uint64_t written = 0;
    while (lines.Next(&bytes, &count, &endsLine)) {
        if (around.splitAt > written && around.splitAt - written <= count) {
            const uint32_t first = static_cast<uint32_t>(around.splitAt - written);
            values.Put(bytes, first);
            values.Finish();
            PutText(text, around.between);
            bytes += first;
            count -= first;
            written += first;
        }
        values.Put(bytes, count);
        written += count;
    }
    values.Finish();
    PutText(text, around.after);
    return text.Finish();
}

bool WriteText(const std::string& text, ByteSink sink, void* context) {
    OutputBlock block(sink, context, text.size());
    PutText(block, text);
    return block.Finish();
}

std::vector<std::string> CollectionNames(const std::string& name) {
    return {name + "_images", name + "_widths", name + "_heights", name + "_count"};
}

std::string CollectionTables(const TableStyle& style, const FormCollection& collection, bool pointersOnly) {
    const std::string& name = collection.name;
    std::vector<std::string> pointers, widths, heights, delays;
    for (const FormCollection::Entry& entry : collection.entries) {
        pointers.push_back(style.address + entry.name + style.suffix);
        widths.push_back(std::to_string(entry.width));
        heights.push_back(std::to_string(entry.height));
    }
    for (uint32_t delay : collection.delays) delays.push_back(std::to_string(delay));
    const std::string count = std::to_string(collection.entries.size());
    const std::string pointer = style.type + "* const ";
    std::string text = "\n";
    const std::string pointerTable = name + (collection.kind == FormCollection::Images ? "_images" : "_frames");
    text += Table(style, pointer, pointerTable + style.tableSuffix, pointers, true);
    if (pointersOnly) return text;
    if (collection.kind == FormCollection::Images) {
        text += Table(style, "unsigned int ", name + "_widths", widths, false);
        text += Table(style, "unsigned int ", name + "_heights", heights, false);
        return text + (style.defines ? "#define " + name + "_count " + count + "\n"
                                     : "enum { " + name + "_count = " + count + " };\n");
    }
    text += Table(style, "unsigned int ", name + "_delays", delays, false);
    const FormCollection::Entry last =
        collection.entries.empty() ? FormCollection::Entry{"", 0, 0} : collection.entries.back();
    const std::string w = std::to_string(last.width), h = std::to_string(last.height);
    if (style.defines)
        return text + "#define " + name + "_frame_count " + count + "\n#define " + name + "_width " + w + "\n#define " +
               name + "_height " + h + "\n";
    return text + "enum { " + name + "_frame_count = " + count + ", " + name + "_width = " + w + ", " + name +
           "_height = " + h + " };\n";
}
