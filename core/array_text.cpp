#include "core/array_text.h"

#include <cstring>

#include "core/block_writer.h"
#include "core/byte_scanner.h"

namespace {

const uint32_t kItemChars = kArrayItemChars;

struct ItemTable {
    char text[256][kItemChars];
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

bool WriteToFile(void* file, const char* text, uint32_t size) {
    return WriteFileBytes(static_cast<FileHandle>(file), text, size);
}

bool EmitArrayText(const ByteScanner& scanner, TextSink sink, void* context) {
    const ItemTable& items = Items();
    BlockWriter writer(sink, context);
    for (uint32_t line = 0; line < scanner.LineCount(); ++line) {
        for (uint32_t item = 0; item < scanner.ItemsPerLine(); ++item)
            writer.Put(items.text[scanner.GetByte(item, line)], kItemChars);
        writer.Put("\n", 1);
    }
    return writer.Finish();
}

const char* ArrayItemText(uint8_t value) {
    return Items().text[value];
}

bool WriteArrayText(const ByteScanner& scanner, FileHandle file) {
    return EmitArrayText(scanner, WriteToFile, file);
}

uint64_t ArrayTextLength(const ByteScanner& scanner) {
    return static_cast<uint64_t>(scanner.LineCount()) *
           (static_cast<uint64_t>(kItemChars) * scanner.ItemsPerLine() + 1);
}
