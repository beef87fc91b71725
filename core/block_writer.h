// Collects output in blocks of 64 KiB and hands each full block to a sink,
// so that a file or stream sees few, large writes: for output made a few
// bytes at a time.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/output_block.h"

class BlockWriter {
public:
    BlockWriter(ByteSink sink, void* context, uint32_t blockSize)
        : block(sink, context, blockSize, blockSize), blockSize(blockSize < 64 ? 64 : blockSize) {}
    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    // `size` is at most BlockSize().
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

    uint32_t BlockSize() const { return blockSize; }

private:
    OutputBlock block;
    uint32_t blockSize;
};
