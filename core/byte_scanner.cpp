#include "core/byte_scanner.h"

#include <typeinfo>

#include "core/mono_bitmap.h"

namespace {

bool CanAttach(const MonoBitmap* bitmap, uint8_t fill) {
    return bitmap && bitmap->Width() != 0 && bitmap->Height() != 0 && fill <= 1;
}

// The partial last byte of a lane keeps the bits under `mask` and takes
// `fillBits` in its spare bits; a lane that ends on a byte boundary has mask 0.
void LaneLayout(uint32_t laneLength, uint8_t fill, uint32_t* bytesPerLane, uint8_t* mask, uint8_t* fillBits) {
    *bytesPerLane = laneLength / 8 + (laneLength % 8 != 0 ? 1 : 0);
    uint32_t spare = 8 - laneLength % 8;
    uint8_t m = 0, f = 0;
    for (uint32_t i = 0; i < spare; ++i) {
        m = static_cast<uint8_t>(m << 1 | 1);
        if (fill == 1) f = static_cast<uint8_t>(f << 1 | 1);
    }
    *mask = static_cast<uint8_t>(~m);
    *fillBits = f;
}

// How a lane runs: along a pixel row, or down a pixel column.
template <bool Rows>
uint32_t LaneLength(const MonoBitmap& bitmap) {
    return Rows ? bitmap.Width() : bitmap.Height();
}

template <bool Rows>
uint32_t LaneTotal(const MonoBitmap& bitmap) {
    return Rows ? bitmap.Height() : bitmap.Width();
}

}  // namespace

uint8_t ReverseBits(uint8_t value) {
    value = static_cast<uint8_t>((value & 0xF0) >> 4 | (value & 0x0F) << 4);
    value = static_cast<uint8_t>((value & 0xCC) >> 2 | (value & 0x33) << 2);
    value = static_cast<uint8_t>((value & 0xAA) >> 1 | (value & 0x55) << 1);
    return value;
}

template <bool Rows>
bool LaneScanner<Rows>::Attach(const MonoBitmap* target, uint8_t fill) {
    if (!CanAttach(target, fill)) return false;
    laneCount = LaneTotal<Rows>(*target);
    LaneLayout(LaneLength<Rows>(*target), fill, &bytesPerLane, &lastByteMask, &fillBits);
    bitmap = target;
    return true;
}

template <bool Rows>
uint8_t LaneScanner<Rows>::GetByte(uint32_t lane, uint32_t index) const {
    if (lane >= laneCount || index >= bytesPerLane) return 0;
    const uint32_t length = LaneLength<Rows>(*bitmap);
    const bool partial = index == bytesPerLane - 1 && lastByteMask != 0;
    // A whole byte inside the image is read from the stored rows in one go.
    if (!partial && index < length / 8 && lane < LaneTotal<Rows>(*bitmap))
        return Rows ? bitmap->DarkByte(index, lane) : bitmap->DarkColumnByte(lane, index * 8);
    uint32_t v = 0;
    for (uint32_t k = 0; k < 8; ++k) {
        const uint32_t p = index * 8 + k;
        const bool dark = p < length && (Rows ? bitmap->IsDark(p, lane) : bitmap->IsDark(lane, p));
        v = v << 1 | (dark ? 1 : 0);
    }
    if (partial) v = (v & lastByteMask) | fillBits;
    return static_cast<uint8_t>(v);
}

template class LaneScanner<true>;
template class LaneScanner<false>;

namespace {

// A scanner's class is its packing; the bitmap is read through its root.
template <class Scanner, class Root>
bool Describe(const ByteScanner& scanner, bool msbReverse, bool bitHorizontal, bool byteHorizontal,
              ScannerPacking* packing) {
    if (typeid(scanner) != typeid(Scanner)) return false;
    // Before its first Attach a scanner's bitmap is not set; its counts are 0.
    const MonoBitmap* bitmap =
        scanner.ItemsPerLine() != 0 ? static_cast<const Root&>(scanner).AttachedBitmap() : nullptr;
    *packing = ScannerPacking{msbReverse, bitHorizontal, byteHorizontal, bitmap};
    return true;
}

}  // namespace

bool DescribeScanner(const ByteScanner& scanner, ScannerPacking* packing) {
    typedef HBitVByteScanner Rows;
    typedef VBitHByteScanner Columns;
    return Describe<VBitHByteScanner, Columns>(scanner, false, false, true, packing) ||
           Describe<VBitHByteRevScanner, Columns>(scanner, true, false, true, packing) ||
           Describe<VBitVByteScanner, Columns>(scanner, false, false, false, packing) ||
           Describe<VBitVByteRevScanner, Columns>(scanner, true, false, false, packing) ||
           Describe<HBitVByteScanner, Rows>(scanner, false, true, false, packing) ||
           Describe<HBitVByteRevScanner, Rows>(scanner, true, true, false, packing) ||
           Describe<HBitHByteScanner, Rows>(scanner, false, true, true, packing) ||
           Describe<HBitHByteRevScanner, Rows>(scanner, true, true, true, packing);
}
