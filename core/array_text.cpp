#include "core/array_text.h"

#include <cstring>

#include "core/block_writer.h"
#include "core/byte_scanner.h"
#include "core/line_packer.h"
#include "core/output_block.h"

namespace {

const uint32_t kItemChars = kArrayItemChars;

// Eight bytes an item, so that one wide store writes it.
struct ItemTable {
    char text[256][8];
    ItemTable() {
        static const char digits[] = "0123456789ABCDEF";
        for (int v = 0; v < 256; ++v) {
            char* t = text[v];
            t[0] = ',';
            t[1] = ' ';
            t[2] = '0';
            t[3] = 'x';
            t[4] = digits[v >> 4];
            t[5] = digits[v & 15];
        }
    }
};

const ItemTable& Items() {
    static const ItemTable table;
    return table;
}

}  // namespace

char* PutArrayItems(char* at, const uint8_t* bytes, uint32_t count) {
    const ItemTable& items = Items();
    for (uint32_t i = 0; i < count; ++i, at += kItemChars) std::memcpy(at, items.text[bytes[i]], 8);
    return at;
}

bool EmitArrayText(const ByteScanner& scanner, ByteSink sink, void* context, const BufferSizes& sizes) {
    ScannerGrid grid(scanner, sizes);
    return EmitArrayText(grid, sink, context, sizes);
}

bool EmitArrayText(PackedGrid& grid, ByteSink sink, void* context, const BufferSizes& sizes) {
    PackedLines lines(grid, sizes);
    OutputBlock text(sink, context, ArrayTextLength(grid), TextBytesFor(sizes));
    const uint8_t* bytes;
    uint32_t count;
    bool endsLine;
    while (lines.Next(&bytes, &count, &endsLine)) {
        char* at = PutArrayItems(text.Reserve(count * kItemChars + 1), bytes, count);
        if (endsLine) *at++ = '\n';
        text.Commit(at);
    }
    return text.Finish();
}

bool EmitArrayTextPerByte(const ByteScanner& scanner, ByteSink sink, void* context, const BufferSizes& sizes) {
    const ItemTable& items = Items();
    BlockWriter writer(sink, context, sizes.blockBytes);
    for (uint32_t line = 0; line < scanner.LineCount(); ++line) {
        for (uint32_t item = 0; item < scanner.ItemsPerLine(); ++item)
            writer.Put(items.text[scanner.GetByte(item, line)], kItemChars);
        writer.Put("\n", 1);
    }
    return writer.Finish();
}

const char* ArrayItemText(uint8_t value) { return Items().text[value]; }

uint32_t TextBytesFor(const BufferSizes& sizes) {
    uint64_t piece = static_cast<uint64_t>(sizes.pieceItems) * kItemChars + 8;
    return piece > sizes.textBytes ? static_cast<uint32_t>(piece) : sizes.textBytes;
}

uint64_t ArrayTextLength(const ByteScanner& scanner) {
    return static_cast<uint64_t>(scanner.LineCount()) *
           (static_cast<uint64_t>(kItemChars) * scanner.ItemsPerLine() + 1);
}

uint64_t ArrayTextLength(const PackedGrid& grid) {
    return static_cast<uint64_t>(grid.LineCount()) * (static_cast<uint64_t>(kItemChars) * grid.ItemsPerLine() + 1);
}
