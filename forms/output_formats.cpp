#include "forms/output_formats.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "core/array_text.h"
#include "core/byte_scanner.h"
#include "core/line_packer.h"
#include "core/text_block.h"
#include "image/presets.h"

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

}  // namespace

bool EmitCArray(const ByteScanner& scanner, const ArraySource& source, const char* name,
                TextSink sink, void* context, const Budget& budget) {
    uint64_t total = static_cast<uint64_t>(scanner.ItemsPerLine()) * scanner.LineCount();
    char numbers[128];
    std::snprintf(numbers, sizeof numbers, ": %" PRIu32 " x %" PRIu32 " pixels, ", source.width,
                  source.height);
    char sizes[64];
    std::snprintf(sizes, sizeof sizes, "; %" PRIu64 " bytes */\n", total);
    std::string opening = "/* " + CommentSafe(source.fileName) + numbers +
                          LayoutInWords(source.options, source.invert) + sizes;
    std::snprintf(sizes, sizeof sizes, "[%" PRIu64 "] = {\n", total);
    opening += std::string("const unsigned char ") + name + sizes;

    const uint32_t blockBytes = TextBytesFor(budget);
    TextBlock text(sink, context, TextBlock::kSize, blockBytes);
    for (size_t at = 0; at < opening.size(); at += blockBytes) {
        size_t size = std::min<size_t>(opening.size() - at, blockBytes);
        char* to = text.Reserve(static_cast<uint32_t>(size));
        text.Commit(std::copy_n(opening.data() + at, size, to));
    }
    PackedLines lines(scanner, budget);
    const uint8_t* bytes;
    uint32_t count;
    bool endsLine, startsLine = true;
    while (lines.Next(&bytes, &count, &endsLine)) {
        char* at = text.Reserve(count * kArrayItemChars + 4);
        if (startsLine) {
            // The indent, and no ", " before the first item: the items go
            // two characters in, and the indent covers their first ", ".
            char* end = PutArrayItems(at + 2, bytes, count);
            std::memcpy(at, "    ", 4);
            at = count ? end : at + 4;
        } else {
            at = PutArrayItems(at, bytes, count);
        }
        if (endsLine) *at++ = ',', *at++ = '\n';
        text.Commit(at);
        startsLine = endsLine;
    }
    char* at = text.Reserve(3);
    text.Commit(std::copy_n("};\n", 3, at));
    return text.Finish();
}

bool EmitPackedBytes(const ByteScanner& scanner, TextSink sink, void* context, const Budget& budget) {
    TextBlock text(sink, context, static_cast<uint64_t>(scanner.ItemsPerLine()) * scanner.LineCount(),
                   TextBytesFor(budget));
    PackedLines lines(scanner, budget);
    const uint8_t* bytes;
    uint32_t count;
    bool endsLine;
    while (lines.Next(&bytes, &count, &endsLine)) {
        char* at = text.Reserve(count);
        text.Commit(std::copy_n(reinterpret_cast<const char*>(bytes), count, at));
    }
    return text.Finish();
}
