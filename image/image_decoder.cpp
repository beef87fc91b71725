#include "image/image_decoder.h"

#include <cstdlib>

namespace {

// Every block the decoder takes carries its size in front, so that the
// live total is known; a request past the limit fails like a full heap.
size_t decoderMemory = 0;

struct alignas(16) BlockHeader {
    size_t size;
};

void* CappedMalloc(size_t size) {
    if (size > kDecoderMemoryLimit - decoderMemory) return nullptr;
    BlockHeader* block = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
    if (!block) return nullptr;
    block->size = size;
    decoderMemory += size;
    return block + 1;
}

void CappedFree(void* pointer) {
    if (!pointer) return;
    BlockHeader* block = static_cast<BlockHeader*>(pointer) - 1;
    decoderMemory -= block->size;
    std::free(block);
}

void* CappedRealloc(void* pointer, size_t size) {
    if (!pointer) return CappedMalloc(size);
    BlockHeader* block = static_cast<BlockHeader*>(pointer) - 1;
    size_t old = block->size;
    if (size > old && size - old > kDecoderMemoryLimit - decoderMemory) return nullptr;
    BlockHeader* moved = static_cast<BlockHeader*>(std::realloc(block, sizeof(BlockHeader) + size));
    if (!moved) return nullptr;
    decoderMemory = decoderMemory - old + size;
    moved->size = size;
    return moved + 1;
}

}  // namespace

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_PNM
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_FAILURE_USERMSG
#define STBI_MAX_DIMENSIONS (1 << 20)
#define STBI_MALLOC(size) CappedMalloc(size)
#define STBI_REALLOC(pointer, size) CappedRealloc(pointer, size)
#define STBI_FREE(pointer) CappedFree(pointer)
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

GreyImage::~GreyImage() { Release(); }

bool DeclaredSize(const uint8_t* data, size_t size, uint32_t* width, uint32_t* height) {
    int w = 0, h = 0, channels = 0;
    const bool pngOrBmp = size >= 2 && ((data[0] == 0x89 && data[1] == 'P') || (data[0] == 'B' && data[1] == 'M'));
    if (!pngOrBmp || size > 0x7FFFFFFFu || !stbi_info_from_memory(data, static_cast<int>(size), &w, &h, &channels))
        return false;
    *width = static_cast<uint32_t>(w);
    *height = static_cast<uint32_t>(h < 0 ? -static_cast<int64_t>(h) : h);
    return true;
}

void GreyImage::Release() {
    stbi_image_free(pixels);
    pixels = nullptr;
    width = height = channels = 0;
}

bool DecodeGrey(const uint8_t* data, size_t size, GreyImage* image, std::string* why) {
    stbi_image_free(image->pixels);
    image->pixels = nullptr;
    image->width = image->height = image->channels = 0;
    if (size > 0x7FFFFFFFu) {
        *why = "the file is larger than 2 GiB";
        return false;
    }
    int width = 0, height = 0, channels = 0;
    const int length = static_cast<int>(size);
    if (!stbi_info_from_memory(data, length, &width, &height, &channels)) {
        *why = stbi_failure_reason();
        return false;
    }
    // Checked before anything is decoded, so that no header can ask for
    // more than the limit. A top-down BMP tells its height as negative here.
    const uint64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
    if (static_cast<uint64_t>(width) * rows > kMaxDecodedPixels) {
        *why = "the image is " + std::to_string(width) + " x " + std::to_string(rows) + " pixels, more than the " +
               std::to_string(kMaxDecodedPixels) + " pixels this converter decodes";
        return false;
    }
    uint8_t* pixels = stbi_load_from_memory(data, length, &width, &height, &channels, 0);
    if (!pixels) {
        *why = stbi_failure_reason();
        return false;
    }
    image->pixels = pixels;
    image->width = static_cast<uint32_t>(width);
    image->height = static_cast<uint32_t>(height);
    image->channels = static_cast<uint32_t>(channels);
    return true;
}
