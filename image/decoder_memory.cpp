#include "image/decoder_memory.h"

#include <cstdlib>

namespace {

size_t decoderMemory = 0;

struct alignas(16) BlockHeader {
    size_t size;
};

}  // namespace

void* DecoderMalloc(size_t size) {
    if (size > kDecoderMemoryLimit - decoderMemory) return nullptr;
    BlockHeader* block = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
    if (!block) return nullptr;
    block->size = size;
    decoderMemory += size;
    return block + 1;
}

void DecoderFree(void* pointer) {
    if (!pointer) return;
    BlockHeader* block = static_cast<BlockHeader*>(pointer) - 1;
    decoderMemory -= block->size;
    std::free(block);
}

void* DecoderRealloc(void* pointer, size_t size) {
    if (!pointer) return DecoderMalloc(size);
    BlockHeader* block = static_cast<BlockHeader*>(pointer) - 1;
    size_t old = block->size;
    if (size > old && size - old > kDecoderMemoryLimit - decoderMemory) return nullptr;
    BlockHeader* moved = static_cast<BlockHeader*>(std::realloc(block, sizeof(BlockHeader) + size));
    if (!moved) return nullptr;
    decoderMemory = decoderMemory - old + size;
    moved->size = size;
    return moved + 1;
}

size_t DecoderMemoryLeft() { return kDecoderMemoryLimit - decoderMemory; }
