#include "cli/output_formats.h"

#include <cinttypes>
#include <cstdio>

#include "core/array_text.h"
#include "core/byte_scanner.h"

namespace {

// A file name is free text to the file system but must not end the comment
// it is shown in, nor break its line.
std::string CommentSafe(const std::string& text) {
    std::string safe;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        bool endsComment = c == '*' && i + 1 < text.size() && text[i + 1] == '/';
        safe += (c < 0x20 || c == 0x7F || endsComment) ? '?' : text[i];
    }
    return safe;
}

void PutString(BlockWriter& writer, const std::string& text) {
    for (size_t at = 0; at < text.size(); at += BlockWriter::kBlockSize) {
        size_t size = text.size() - at;
        if (size > BlockWriter::kBlockSize) size = BlockWriter::kBlockSize;
        writer.Put(text.data() + at, static_cast<uint32_t>(size));
    }
}

}  // namespace

std::string LayoutInWords(const ConvertOptions& options, bool invert) {
    std::string words = options.msbReverse ? "lsb first" : "msb first";
    words += options.bitHorizontal ? ", bits horizontal" : ", bits vertical";
    words += options.byteHorizontal ? ", bytes horizontal" : ", bytes vertical";
    words += options.fillOnes ? ", fill one" : ", fill zero";
    if (invert) words += ", invert";
    return words;
}

bool EmitCArray(const ByteScanner& scanner, const ArraySource& source, const char* name,
                TextSink sink, void* context) {
    uint64_t count = static_cast<uint64_t>(scanner.ItemsPerLine()) * scanner.LineCount();
    char numbers[128];
    std::snprintf(numbers, sizeof numbers, ": %" PRIu32 " x %" PRIu32 " pixels, ", source.width,
                  source.height);
    char sizes[64];
    std::snprintf(sizes, sizeof sizes, "; %" PRIu64 " bytes */\n", count);
    std::string opening = "/* " + CommentSafe(source.fileName) + numbers +
                          LayoutInWords(source.options, source.invert) + sizes;
    std::snprintf(sizes, sizeof sizes, "[%" PRIu64 "] = {\n", count);
    opening += std::string("const unsigned char ") + name + sizes;

    BlockWriter writer(sink, context);
    PutString(writer, opening);
    for (uint32_t line = 0; line < scanner.LineCount(); ++line) {
        writer.Put("    ", 4);
        for (uint32_t item = 0; item < scanner.ItemsPerLine(); ++item) {
            const char* text = ArrayItemText(scanner.GetByte(item, line));
            if (item == 0) {
                writer.Put(text + 2, kArrayItemChars - 2);  // no ", " before the first
            } else {
                writer.Put(text, kArrayItemChars);
            }
        }
        writer.Put(",\n", 2);
    }
    writer.Put("};\n", 3);
    return writer.Finish();
}

bool EmitPackedBytes(const ByteScanner& scanner, TextSink sink, void* context) {
    BlockWriter writer(sink, context);
    for (uint32_t line = 0; line < scanner.LineCount(); ++line) {
        for (uint32_t item = 0; item < scanner.ItemsPerLine(); ++item)
            writer.PutByte(scanner.GetByte(item, line));
    }
    return writer.Finish();
}
