// Collects output (array text, C source, BMP or raw bytes) in one large
// block that the caller writes into directly, and hands each full block to a
// sink: for output made many items at a time.
#pragma once

#include <cstdint>
#include <memory>

// Receives the output in order, in blocks of any bytes. False marks the
// block as not written; the walk goes on regardless.
typedef bool (*ByteSink)(void* context, const char* text, uint32_t size);

class OutputBlock {
public:
    static constexpr uint32_t kSize = 256 * 1024;
    // Writers may store up to this many bytes past what they reserved.
    static constexpr uint32_t kSlack = 8;

    // `expected` is how much the whole output will be, if known: a small
    // output takes a small block. `size` is the largest block, at least 64.
    OutputBlock(ByteSink sink, void* context, uint64_t expected = kSize, uint32_t size = kSize)
        : sink(sink),
          context(context),
          capacity(expected < 64     ? 64
                   : expected < size ? static_cast<uint32_t>(expected)
                   : size < 64       ? 64
                                     : size),
          block(new char[capacity + kSlack]) {}
    OutputBlock(const OutputBlock&) = delete;
    OutputBlock& operator=(const OutputBlock&) = delete;

    // Where the next `size` bytes go: at most the block's capacity, which
    // is its largest size or the whole expected output. What was written before is
    // handed on first when they would not fit.
    char* Reserve(uint32_t size) {
        if (used + size > capacity) Flush();
        return block.get() + used;
    }
    // The most that one Reserve may ask for.
    uint32_t Capacity() const { return capacity; }

    // The bytes up to `end` are written.
    void Commit(const char* end) { used = static_cast<uint32_t>(end - block.get()); }

    // Hands over what is left. True when every block was accepted.
    bool Finish() {
        Flush();
        return allWritten;
    }

private:
    void Flush() {
        if (used == 0) return;
        if (!sink(context, block.get(), used)) allWritten = false;
        used = 0;
    }

    ByteSink sink;
    void* context;
    uint32_t capacity;
    std::unique_ptr<char[]> block;
    uint32_t used = 0;
    bool allWritten = true;
};
