// Collects output in blocks of 64 KiB and hands each full block to a sink,
// so that a file or stream sees few, large writes: for output made a few
// bytes at a time.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/text_block.h"

class BlockWriter {
public:
    static constexpr uint32_t kBlockSize = 64 * 1024;

    BlockWriter(TextSink sink, void* context) : block(sink, context, kBlockSize) {}
    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    // `size` is at most kBlockSize.
    void Put(const char* text, uint32_t size) {
        char* at = block.Reserve(size);
        std::memcpy(at, text, size);
        block.Commit(at + size);
    }

    void PutByte(uint8_t value) {
        char* at = block.Reserve(1);
        *at = static_cast<char>(value);
        block.Commit(at + 1);
    }

    // Hands over what is left. True when every block was accepted.
    bool Finish() { return block.Finish(); }

private:
    TextBlock block;
};
