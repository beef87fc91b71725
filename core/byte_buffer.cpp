#include "core/byte_buffer.h"

#include <new>

uint8_t* ByteBuffer::Allocate(uint32_t n) {
    Release();
    // new[] of 0 bytes still returns a distinct block.
    uint8_t* block = new (std::nothrow) uint8_t[n];
    if (!block) return nullptr;
    data = block;
    base = block;
    size = n;
    return block;
}

void ByteBuffer::Release() {
    delete[] data;
    data = nullptr;
    base = nullptr;
    size = 0;
}
