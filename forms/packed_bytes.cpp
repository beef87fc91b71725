#include "forms/packed_bytes.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "core/array_text.h"
#include "core/byte_scanner.h"
#include "core/line_packer.h"
#include "core/output_block.h"
#include "image/presets.h"

bool EmitPackedBytes(const ByteScanner& scanner, ByteSink sink, void* context, const BufferSizes& sizes) {
    OutputBlock text(sink, context, static_cast<uint64_t>(scanner.ItemsPerLine()) * scanner.LineCount(),
                     TextBytesFor(sizes));
    PackedLines lines(scanner, sizes);
    const uint8_t* bytes;
    uint32_t count;
    bool endsLine;
    while (lines.Next(&bytes, &count, &endsLine)) {
        char* at = text.Reserve(count);
        text.Commit(std::copy_n(reinterpret_cast<const char*>(bytes), count, at));
    }
    return text.Finish();
}
