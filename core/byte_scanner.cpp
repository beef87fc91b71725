#include "core/byte_scanner.h"

#include <typeinfo>

#include "core/mono_bitmap.h"

namespace {

bool CanAttach(const MonoBitmap* bitmap, uint8_t fill) {
    return bitmap && bitmap->Width() != 0 && bitmap->Height() != 0 && fill <= 1;
}

// The partial last byte of a lane keeps the bits under `mask` and takes
// `fillBits` in its spare bits; a lane that ends on a byte boundary has mask 0.
void LaneLayout(uint32_t laneLength, uint8_t fill, uint32_t* bytesPerLane, uint8_t* mask,
                uint8_t* fillBits) {
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

// The two roots differ only in which way a lane runs; their Attach and
// GetByte are these, with `Rows` true for lanes along pixel rows.
template <bool Rows>
struct Lanes {
    static uint32_t Length(const MonoBitmap& bitmap) { return Rows ? bitmap.Width() : bitmap.Height(); }
    static uint32_t Count(const MonoBitmap& bitmap) { return Rows ? bitmap.Height() : bitmap.Width(); }
    static bool IsDark(const MonoBitmap& bitmap, uint32_t lane, uint32_t along) {
        return Rows ? bitmap.IsDark(along, lane) : bitmap.IsDark(lane, along);
    }
    // A whole byte inside the image, read from the stored rows in one go.
    static uint8_t WholeByte(const MonoBitmap& bitmap, uint32_t lane, uint32_t index) {
        return Rows ? bitmap.DarkByte(index, lane) : bitmap.DarkColumnByte(lane, index * 8);
    }

    static bool Attach(const MonoBitmap* target, uint8_t fill, const MonoBitmap** bitmap, uint32_t* bytesPerLane,
                       uint32_t* laneCount, uint8_t* lastByteMask, uint8_t* fillBits) {
        if (!CanAttach(target, fill)) return false;
        *laneCount = Count(*target);
        LaneLayout(Length(*target), fill, bytesPerLane, lastByteMask, fillBits);
        *bitmap = target;
        return true;
    }

    static uint8_t GetByte(const MonoBitmap* bitmap, uint32_t bytesPerLane, uint32_t laneCount, uint8_t lastByteMask,
                           uint8_t fillBits, uint32_t lane, uint32_t index) {
        if (lane >= laneCount || index >= bytesPerLane) return 0;
        const bool partial = index == bytesPerLane - 1 && lastByteMask != 0;
        if (!partial && index < Length(*bitmap) / 8 && lane < Count(*bitmap)) return WholeByte(*bitmap, lane, index);
        uint32_t v = 0;
        for (uint32_t k = 0; k < 8; ++k) {
            const uint32_t p = index * 8 + k;
            const uint32_t bit = p < Length(*bitmap) && IsDark(*bitmap, lane, p) ? 1 : 0;
            v = v << 1 | bit;
        }
        if (partial) v = (v & lastByteMask) | fillBits;
        return static_cast<uint8_t>(v);
    }
};

}  // namespace

uint8_t ReverseBits(uint8_t value) {
    value = static_cast<uint8_t>((value & 0xF0) >> 4 | (value & 0x0F) << 4);
    value = static_cast<uint8_t>((value & 0xCC) >> 2 | (value & 0x33) << 2);
    value = static_cast<uint8_t>((value & 0xAA) >> 1 | (value & 0x55) << 1);
    return value;
}

bool HBitVByteScanner::Attach(const MonoBitmap* target, uint8_t fill) {
    return Lanes<true>::Attach(target, fill, &bitmap, &bytesPerLane, &laneCount, &lastByteMask, &fillBits);
}

uint8_t HBitVByteScanner::GetByte(uint32_t lane, uint32_t index) const {
    return Lanes<true>::GetByte(bitmap, bytesPerLane, laneCount, lastByteMask, fillBits, lane, index);
}

uint8_t HBitVByteRevScanner::GetByte(uint32_t item, uint32_t line) const {
    return ReverseBits(HBitVByteScanner::GetByte(item, line));
}

uint8_t HBitHByteScanner::GetByte(uint32_t item, uint32_t line) const {
    return HBitVByteScanner::GetByte(line, item);
}

uint8_t HBitHByteRevScanner::GetByte(uint32_t item, uint32_t line) const {
    return ReverseBits(HBitHByteScanner::GetByte(item, line));
}

bool VBitHByteScanner::Attach(const MonoBitmap* target, uint8_t fill) {
    return Lanes<false>::Attach(target, fill, &bitmap, &bytesPerLane, &laneCount, &lastByteMask, &fillBits);
}

uint8_t VBitHByteScanner::GetByte(uint32_t lane, uint32_t index) const {
    return Lanes<false>::GetByte(bitmap, bytesPerLane, laneCount, lastByteMask, fillBits, lane, index);
}

uint8_t VBitHByteRevScanner::GetByte(uint32_t item, uint32_t line) const {
    return ReverseBits(VBitHByteScanner::GetByte(item, line));
}

uint8_t VBitVByteScanner::GetByte(uint32_t item, uint32_t line) const {
    return VBitHByteScanner::GetByte(line, item);
}

uint8_t VBitVByteRevScanner::GetByte(uint32_t item, uint32_t line) const {
    return ReverseBits(VBitVByteScanner::GetByte(item, line));
}

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
