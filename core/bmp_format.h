// The on-disk records of a BMP file with a 40-byte information header.
// Field names follow the format's own; all fields are little-endian.
#pragma once

#include <cstdint>

namespace bmp {

#pragma pack(push, 1)
struct BITMAPFILEHEADER {
    uint16_t bfType;
    uint32_t bfSize;
    uint16_t bfReserved1;
    uint16_t bfReserved2;
    uint32_t bfOffBits;
};

struct BITMAPINFOHEADER {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};

struct RGBQUAD {
    uint8_t rgbBlue;
    uint8_t rgbGreen;
    uint8_t rgbRed;
    uint8_t rgbReserved;
};
#pragma pack(pop)

static_assert(sizeof(BITMAPFILEHEADER) == 14, "file header is 14 bytes on disk");
static_assert(sizeof(BITMAPINFOHEADER) == 40, "information header is 40 bytes on disk");
static_assert(sizeof(RGBQUAD) == 4, "palette entry is 4 bytes on disk");

const uint16_t kSignature = 0x4D42;  // "BM"
const uint32_t kFileHeaderOffset = 0;
const uint32_t kInfoHeaderOffset = 14;
const uint32_t kPaletteOffset = 54;

}  // namespace bmp
