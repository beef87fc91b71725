// Collects output in blocks of 64 KiB and hands each full block to a sink,
// so that a file or stream sees few, large writes.
#pragma once

#include <cstdint>
#include <cstring>

// Receives the output in order, in blocks. False marks the block as not
// written; the walk goes on regardless.
typedef bool (*TextSink)(void* context, const char* text, uint32_t size);

class BlockWriter {
public:
    static const uint32_t kBlockSize = 64 * 1024;

    BlockWriter(TextSink sink, void* context) : sink(sink), context(context) {}
    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    // `size` is at most kBlockSize.
    void Put(const char* text, uint32_t size) {
        if (used + size > kBlockSize) Flush();
        std::memcpy(block + used, text, size);
        used += size;
    }

    void PutByte(uint8_t value) {
        if (used == kBlockSize) Flush();
        block[used++] = static_cast<char>(value);
    }

    // Hands over what is left. True when every block was accepted.
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
