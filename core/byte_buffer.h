// Sole owner of one heap block. Never copied.
#pragma once

#include <cstdint>
#include <utility>

class ByteBuffer {
public:
    ByteBuffer() = default;
    ~ByteBuffer() { Release(); }
    ByteBuffer(const ByteBuffer&) = delete;
    ByteBuffer& operator=(const ByteBuffer&) = delete;

    // Frees the old block first. A request for 0 bytes yields a valid block.
    // Null on failure, with the buffer left empty; never throws.
    uint8_t* Allocate(uint32_t n);
    void Release();
    // The two buffers change blocks.
    void Swap(ByteBuffer& other) {
        std::swap(data, other.data);
        std::swap(base, other.base);
        std::swap(size, other.size);
    }

    // No bounds check: callers keep `offset` below Size().
    uint8_t* At(uint32_t offset) const { return base + offset; }
    uint32_t Size() const { return size; }

private:
    uint8_t* data = nullptr;
    uint8_t* base = nullptr;
    uint32_t size = 0;
};
