#include "core/mono_bitmap.h"

#include <cstring>
#include <utility>

namespace {

class MemorySource : public BmpSource {
public:
    MemorySource(const uint8_t* data, size_t size) : data(data), size(size) {}
    bool Read(uint32_t offset, void* into, uint32_t count) const override {
        if (offset > size || count > size - offset) return false;
        std::memcpy(into, data + offset, count);
        return true;
    }
    bool Length(uint64_t* length) const override {
        *length = size;
        return true;
    }

private:
    const uint8_t* data;
    size_t size;
};

// Blue and green decide; red and the reserved byte are never looked at.
bool IsWhite(const bmp::RGBQUAD& entry) { return entry.rgbBlue == 0xFF && entry.rgbGreen == 0xFF; }

}  // namespace

int32_t MonoBitmap::StrideFor(int32_t width) {
    if (width < 0) return -1;
    if (width % 32 == 0) return width / 8;
    return (width / 32) * 4 + 4;
}

void MonoBitmap::Unload() {
    loaded = false;
    pixels.Release();
}

bool MonoBitmap::LoadFromMemory(const uint8_t* data, size_t size) { return LoadFrom(MemorySource(data, size)); }

bool MonoBitmap::LoadFrom(const BmpSource& source) {
    loaded = false;
    Unload();
    loaded = ReadFrom(source);
    return loaded;
}

bool MonoBitmap::Create(uint32_t width, uint32_t height) {
    Unload();
    if (width > 0x7FFFFFFFu || height > 0x7FFFFFFFu) return false;
    int32_t rowBytes = StrideFor(static_cast<int32_t>(width));
    uint64_t size = static_cast<uint64_t>(rowBytes) * height;
    const uint32_t headers = bmp::kPaletteOffset + sizeof palette;
    if (size > 0xFFFFFFFFu - headers || !pixels.Allocate(static_cast<uint32_t>(size))) return false;
    if (size != 0) std::memset(pixels.At(0), 0xFF, static_cast<size_t>(size));
    fileHeader = bmp::BITMAPFILEHEADER{bmp::kSignature, static_cast<uint32_t>(headers + size), 0, 0, headers};
    infoHeader = bmp::BITMAPINFOHEADER{sizeof infoHeader,
                                       static_cast<int32_t>(width),
                                       static_cast<int32_t>(height),
                                       1,
                                       1,
                                       0,
                                       static_cast<uint32_t>(size),
                                       0,
                                       0,
                                       2,
                                       0};
    palette[0] = bmp::RGBQUAD{0, 0, 0, 0};
    palette[1] = bmp::RGBQUAD{0xFF, 0xFF, 0xFF, 0};
    stride = rowBytes;
    rowCount = static_cast<int32_t>(height);
    darkIndex = 0;
    loaded = true;
    return true;
}

bool MonoBitmap::ReadFrom(const BmpSource& source) {
    if (!source.Read(bmp::kFileHeaderOffset, &fileHeader, sizeof fileHeader)) return false;
    if (fileHeader.bfType != bmp::kSignature) return false;

    if (!source.Read(bmp::kInfoHeaderOffset, &infoHeader, sizeof infoHeader)) return false;
    if (infoHeader.biSize != sizeof(bmp::BITMAPINFOHEADER)) return false;
    if (infoHeader.biBitCount != 1) return false;
    if (infoHeader.biCompression != 0) return false;
    if (infoHeader.biHeight < 0) return false;
    // A negative width has no row length that covers it.
    if (infoHeader.biWidth < 0) return false;

    if (!source.Read(bmp::kPaletteOffset, palette, sizeof palette)) return false;

    stride = StrideFor(infoHeader.biWidth);
    rowCount = infoHeader.biHeight;
    darkIndex = 0;
    for (uint8_t i = 0; i < 2; ++i) {
        if (!IsWhite(palette[i])) {
            darkIndex = i;
            break;
        }
    }

    // The rows must fit the 32-bit block size and the seek range, and a file
    // too short to hold them is refused before anything is allocated.
    uint64_t rowBytes = static_cast<uint64_t>(stride) * static_cast<uint64_t>(rowCount);
    if (rowBytes > 0xFFFFFFFFu) return false;
    if (fileHeader.bfOffBits > 0x7FFFFFFFu) return false;
    uint64_t fileLength = 0;
    if (source.Length(&fileLength) && fileHeader.bfOffBits + rowBytes > fileLength && rowBytes != 0) return false;

    uint32_t size = static_cast<uint32_t>(rowBytes);
    if (!pixels.Allocate(size)) return false;
    source.RowsAllocated(pixels.At(0), size);
    if (size == 0) return true;  // nothing to read; the offset does not matter
    return source.Read(fileHeader.bfOffBits, pixels.At(0), size);
}

void MonoBitmap::Swap(MonoBitmap& other) {
    std::swap(fileHeader, other.fileHeader);
    std::swap(infoHeader, other.infoHeader);
    std::swap(palette, other.palette);
    pixels.Swap(other.pixels);
    std::swap(stride, other.stride);
    std::swap(rowCount, other.rowCount);
    std::swap(darkIndex, other.darkIndex);
    std::swap(loaded, other.loaded);
}
