#include "core/array_text.h"

#include <cstring>

#include "core/byte_scanner.h"

namespace {

const uint32_t kItemChars = 6;  // ", 0x" and two upper-case digits
const uint32_t kBlockSize = 64 * 1024;

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

// Collects text and hands it to the sink in blocks of kBlockSize.
class BlockWriter {
public:
    BlockWriter(TextSink sink, void* context) : sink(sink), context(context) {}

    void PutItem(const char* item) {
        if (used + kItemChars > kBlockSize) Flush();
        std::memcpy(block + used, item, kItemChars);
        used += kItemChars;
    }

    void Put(const char* text, uint32_t size) {
        if (used + size > kBlockSize) Flush();
        std::memcpy(block + used, text, size);
        used += size;
    }

    bool Finish() {
        Flush();
        return allWritten;
    }

private:
    void Flush() {
        if (used == 0) return;
        if (!sink(context, block, used)) allWritten = false;
        used = 0;
    }

    TextSink sink;
    void* context;
    char block[kBlockSize];
    uint32_t used = 0;
    bool allWritten = true;
};

bool WriteToFile(void* context, const char* text, uint32_t size) {
    return WriteFileBytes(static_cast<FileHandle>(context), text, size);
}

}  // namespace

bool EmitArrayText(const ByteScanner& scanner, TextSink sink, void* context) {
    const ItemTable& items = Items();
    BlockWriter writer(sink, context);
    for (uint32_t line = 0; line < scanner.LineCount(); ++line) {
        for (uint32_t item = 0; item < scanner.ItemsPerLine(); ++item)
            writer.PutItem(items.text[scanner.GetByte(item, line)]);
        writer.Put("\n", 1);
    }
    return writer.Finish();
}

bool WriteArrayText(const ByteScanner& scanner, FileHandle file) {
    return EmitArrayText(scanner, WriteToFile, file);
}

uint64_t ArrayTextLength(const ByteScanner& scanner) {
    return static_cast<uint64_t>(scanner.LineCount()) *
           (static_cast<uint64_t>(kItemChars) * scanner.ItemsPerLine() + 1);
}
