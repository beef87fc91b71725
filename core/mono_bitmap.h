// A 1-bit, uncompressed, bottom-up BMP held in memory in the file's own row
// layout, answering whether a pixel is dark.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/bmp_format.h"
#include "core/byte_buffer.h"

// Where the bytes of a BMP come from: a file (io/bitmap_file.cpp), or a
// whole file already in memory.
class BmpSource {
public:
    // All `count` bytes at `offset`, or false.
    virtual bool Read(uint32_t offset, void* into, uint32_t count) const = 0;
    // The source's whole length, or false when it cannot be told.
    virtual bool Length(uint64_t* length) const = 0;
    // Told of the block the rows go to, before they are read into it.
    virtual void RowsAllocated(void* block, size_t size) const {
        (void)block;
        (void)size;
    }

protected:
    ~BmpSource() = default;
};

class MonoBitmap {
public:
    // True when the file was accepted and read completely. Whatever was
    // loaded before is gone either way. Defined with the file layer.
    bool Load(const char* path);
    // The same for a whole file already read into memory.
    bool LoadFromMemory(const uint8_t* data, size_t size);
    // The same for any source.
    bool LoadFrom(const BmpSource& source);
    void Unload();
    // The two images change places, rows and all.
    void Swap(MonoBitmap& other);

    // A blank image for a decoder to draw into, as if loaded from a BMP
    // with palette entry 0 black and entry 1 white: every pixel light.
    // False, with nothing loaded, when the rows would not fit in memory.
    bool Create(uint32_t width, uint32_t height);
    // The stored bytes of row y from the top, leftmost pixel in bit 7; a
    // bit that equals DarkIndex() is a dark pixel. y must be below Height().
    uint8_t* Row(uint32_t y) { return pixels.At(static_cast<uint32_t>(stride) * (Height() - 1 - y)); }
    const uint8_t* Row(uint32_t y) const { return pixels.At(static_cast<uint32_t>(stride) * (Height() - 1 - y)); }
    // Makes the other palette entry the dark one: every pixel changes sides.
    void InvertDark() { darkIndex ^= 1; }

    bool IsLoaded() const { return loaded; }
    uint32_t Width() const { return loaded ? static_cast<uint32_t>(infoHeader.biWidth) : 0; }
    uint32_t Height() const { return loaded ? static_cast<uint32_t>(infoHeader.biHeight) : 0; }
    // Bytes per stored row, padding included.
    uint32_t Stride() const { return loaded ? static_cast<uint32_t>(stride) : 0; }
    // The palette entry whose pixels are dark: the first that is not white.
    uint8_t DarkIndex() const { return darkIndex; }
    const bmp::RGBQUAD& PaletteEntry(uint8_t index) const { return palette[index & 1]; }

    // x from the left, y from the top of the image as displayed. False
    // outside the image and while nothing is loaded.
    bool IsDark(uint32_t x, uint32_t y) const {
        if (!loaded || x >= Width() || y >= Height()) return false;
        uint32_t storedRow = Height() - 1 - y;
        uint8_t b = *pixels.At(static_cast<uint32_t>(stride) * storedRow + (x >> 3));
        if (darkIndex == 0) b = static_cast<uint8_t>(~b);
        return (b & (0x80u >> (x & 7))) != 0;
    }

    // The dark bits of pixels 8 x index to 8 x index + 7 of row y, the first
    // in bit 7: what IsDark gives for each, eight at a time. 0 unless the
    // eight pixels all lie inside the image.
    uint8_t DarkByte(uint32_t index, uint32_t y) const {
        if (!loaded || index >= Width() / 8 || y >= Height()) return 0;
        uint8_t b = *pixels.At(static_cast<uint32_t>(stride) * (Height() - 1 - y) + index);
        return darkIndex == 0 ? static_cast<uint8_t>(~b) : b;
    }

    // The dark bits of pixels y to y + 7 of column x, pixel y in bit 7. 0
    // unless the eight pixels all lie inside the image.
    uint8_t DarkColumnByte(uint32_t x, uint32_t y) const {
        if (!loaded || x >= Width() || y >= Height() || Height() - y < 8) return 0;
        // Row y is stored above rows y + 1 to y + 7: walk the file downwards.
        uint32_t offset = static_cast<uint32_t>(stride) * (Height() - 1 - y) + (x >> 3);
        uint32_t mask = 0x80u >> (x & 7);
        uint32_t v = 0;
        for (uint32_t k = 0; k < 8; ++k, offset -= static_cast<uint32_t>(stride))
            v = v << 1 | ((*pixels.At(offset) & mask) != 0 ? 1 : 0);
        return static_cast<uint8_t>(darkIndex == 0 ? ~v : v);
    }

    // Bytes per stored row for a given width, or -1 for a negative width.
    static int32_t StrideFor(int32_t width);

private:
    bool ReadFrom(const BmpSource& source);

    bmp::BITMAPFILEHEADER fileHeader = {};
    bmp::BITMAPINFOHEADER infoHeader = {};
    bmp::RGBQUAD palette[2] = {};
    ByteBuffer pixels;
    int32_t stride = 0;
    int32_t rowCount = 0;
    uint8_t darkIndex = 0;
    bool loaded = false;
};

extern MonoBitmap g_bitmap;
