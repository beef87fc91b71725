#include "image/exif_orientation.h"

namespace {

// `bytes` bytes at `at` in the TIFF's byte order.
uint32_t Read(const uint8_t* at, int bytes, bool bigEndian) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= static_cast<uint32_t>(at[i]) << 8 * (bigEndian ? bytes - 1 - i : i);
    return value;
}

}  // namespace

int ExifOrientation(const uint8_t* data, size_t size) {
    if (size < 8) return 1;
    const bool bigEndian = data[0] == 'M' && data[1] == 'M';
    if (!bigEndian && !(data[0] == 'I' && data[1] == 'I')) return 1;
    if (Read(data + 2, 2, bigEndian) != 42) return 1;
    const uint32_t directory = Read(data + 4, 4, bigEndian);
    if (directory > size - 2) return 1;
    const uint32_t entries = Read(data + directory, 2, bigEndian);
    for (uint32_t i = 0; i < entries; ++i) {
        const uint64_t at = directory + 2 + uint64_t(12) * i;
        if (at + 12 > size) return 1;
        const uint8_t* entry = data + at;
        if (Read(entry, 2, bigEndian) != 0x0112) continue;
        // A SHORT, one of it, held in the first two bytes of the value.
        if (Read(entry + 2, 2, bigEndian) != 3 || Read(entry + 4, 4, bigEndian) != 1) return 1;
        const uint32_t orientation = Read(entry + 8, 2, bigEndian);
        return orientation >= 1 && orientation <= 8 ? static_cast<int>(orientation) : 1;
    }
    return 1;
}
