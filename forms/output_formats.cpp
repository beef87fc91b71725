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
