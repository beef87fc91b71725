#include "core/mono_bitmap.h"

#include "core/file_io.h"

namespace {

bool ReadExactly(FileHandle file, uint32_t offset, void* into, uint32_t size) {
    uint32_t delivered = 0;
    return SeekFile(file, offset) && ReadFileBytes(file, into, size, &delivered) &&
           delivered == size;
}

// Blue and green decide; red and the reserved byte are never looked at.
bool IsWhite(const bmp::RGBQUAD& entry) {
    return entry.rgbBlue == 0xFF && entry.rgbGreen == 0xFF;
}

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

bool MonoBitmap::Load(const char* path) {
    loaded = false;
    Unload();
    FileHandle file = OpenFileForRead(path, FileShare::ReadWrite);
    if (!file) return false;
    bool ok = ReadFrom(file);
    CloseFile(file);
    loaded = ok;
    return ok;
}

bool MonoBitmap::ReadFrom(FileObject* file) {
    if (!ReadExactly(file, bmp::kFileHeaderOffset, &fileHeader, sizeof fileHeader)) return false;
    if (fileHeader.bfType != bmp::kSignature) return false;

    if (!ReadExactly(file, bmp::kInfoHeaderOffset, &infoHeader, sizeof infoHeader)) return false;
    if (infoHeader.biSize != sizeof(bmp::BITMAPINFOHEADER)) return false;
    if (infoHeader.biBitCount != 1) return false;
    if (infoHeader.biCompression != 0) return false;
    if (infoHeader.biHeight < 0) return false;
    // A negative width has no row length that covers it.
    if (infoHeader.biWidth < 0) return false;

    if (!ReadExactly(file, bmp::kPaletteOffset, palette, sizeof palette)) return false;

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
    if (GetFileLength(file, &fileLength) && fileHeader.bfOffBits + rowBytes > fileLength &&
        rowBytes != 0)
        return false;

    uint32_t size = static_cast<uint32_t>(rowBytes);
    if (!pixels.Allocate(size)) return false;
    // Column packing walks the rows a stride apart, a page or more each.
    if (size >= 4u << 20) AdviseScatteredReads(pixels.At(0), size);
    if (size == 0) return true;  // nothing to read; the offset does not matter
    return ReadExactly(file, fileHeader.bfOffBits, pixels.At(0), size);
}
