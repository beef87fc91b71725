#include "core/byte_scanner.h"

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

}  // namespace

uint8_t ReverseBits(uint8_t value) {
    value = static_cast<uint8_t>((value & 0xF0) >> 4 | (value & 0x0F) << 4);
    value = static_cast<uint8_t>((value & 0xCC) >> 2 | (value & 0x33) << 2);
    value = static_cast<uint8_t>((value & 0xAA) >> 1 | (value & 0x55) << 1);
    return value;
}

// --- lanes along rows ---

bool HBitVByteScanner::Attach(const MonoBitmap* target, uint8_t fill) {
    if (!CanAttach(target, fill)) return false;
    laneCount = target->Height();
    LaneLayout(target->Width(), fill, &bytesPerLane, &lastByteMask, &fillBits);
    bitmap = target;
    return true;
}

uint8_t HBitVByteScanner::GetByte(uint32_t lane, uint32_t index) const {
    if (lane >= laneCount || index >= bytesPerLane) return 0;
    // A whole byte of a row is the stored byte itself, read in one go.
    bool partial = index == bytesPerLane - 1 && lastByteMask != 0;
    if (!partial && index < bitmap->Width() / 8 && lane < bitmap->Height())
        return bitmap->DarkByte(index, lane);
    uint32_t v = 0;
    for (uint32_t k = 0; k < 8; ++k) {
        uint32_t p = index * 8 + k;
        uint32_t bit = p < bitmap->Width() && bitmap->IsDark(p, lane) ? 1 : 0;
        v = v << 1 | bit;
    }
    if (index == bytesPerLane - 1 && lastByteMask != 0) v = (v & lastByteMask) | fillBits;
    return static_cast<uint8_t>(v);
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

// --- lanes along columns ---

bool VBitHByteScanner::Attach(const MonoBitmap* target, uint8_t fill) {
    if (!CanAttach(target, fill)) return false;
    laneCount = target->Width();
    LaneLayout(target->Height(), fill, &bytesPerLane, &lastByteMask, &fillBits);
    bitmap = target;
    return true;
}

uint8_t VBitHByteScanner::GetByte(uint32_t lane, uint32_t index) const {
    if (lane >= laneCount || index >= bytesPerLane) return 0;
    bool partial = index == bytesPerLane - 1 && lastByteMask != 0;
    if (!partial && index < bitmap->Height() / 8 && lane < bitmap->Width())
        return bitmap->DarkColumnByte(lane, index * 8);
    uint32_t v = 0;
    for (uint32_t k = 0; k < 8; ++k) {
        uint32_t p = index * 8 + k;
        uint32_t bit = p < bitmap->Height() && bitmap->IsDark(lane, p) ? 1 : 0;
        v = v << 1 | bit;
    }
    if (index == bytesPerLane - 1 && lastByteMask != 0) v = (v & lastByteMask) | fillBits;
    return static_cast<uint8_t>(v);
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
