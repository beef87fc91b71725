// Packing of a bitmap's pixels into bytes, eight pixels to a byte, computed
// on demand. Two root classes define the packing along rows and along
// columns; the others derive from them by swapping the roles of item and
// line, or by reversing the bits of each byte.
//
// Words used with the packing, here and in the line packer:
//   lane   the pixels along the bit direction: a pixel row (bits
//          horizontal) or a pixel column (bits vertical), cut into bytes
//          of eight consecutive pixels
//   item   one byte of an output line; a line holds ItemsPerLine() items
//   line   one output line: one lane, or one byte of every lane
//   band   eight pixel rows packed together by column bytes
//   msbReverse  the first pixel of a byte in bit 0 instead of bit 7: the
//          classes whose name ends in Rev, the CLI's --lsb-first, the
//          dialog's reverse button
#pragma once

#include <cstdint>

class MonoBitmap;

class ByteScanner {
public:
    virtual ~ByteScanner() {}
    // `fill` must be 0 or 1; an image without width or height is refused.
    virtual bool Attach(const MonoBitmap* bitmap, uint8_t fill) = 0;
    virtual uint32_t ItemsPerLine() const = 0;
    virtual uint32_t LineCount() const = 0;
    // 0 for any position outside the grid.
    virtual uint8_t GetByte(uint32_t item, uint32_t line) const = 0;
};

// The two root classes, HBitVByteScanner (lanes are pixel rows) and
// VBitHByteScanner (lanes are pixel columns): one class template, as they
// differ only in which way a lane runs. The first pixel of a byte is bit 7;
// a line is one byte of every lane.
template <bool Rows>
class LaneScanner : public ByteScanner {
public:
    LaneScanner() : bytesPerLane(0), laneCount(0) {}
    bool Attach(const MonoBitmap* bitmap, uint8_t fill) override;
    uint32_t ItemsPerLine() const override { return laneCount; }
    uint32_t LineCount() const override { return bytesPerLane; }
    uint8_t GetByte(uint32_t lane, uint32_t index) const override;
    // The bitmap of the last successful Attach, for packing whole lines.
    const MonoBitmap* AttachedBitmap() const { return bitmap; }

protected:
    const MonoBitmap* bitmap;
    uint32_t bytesPerLane;
    uint32_t laneCount;
    uint8_t lastByteMask;
    uint8_t fillBits;
};

typedef LaneScanner<true> HBitVByteScanner;
typedef LaneScanner<false> VBitHByteScanner;

// Item and line swap roles: a line is one lane.
template <class Root>
class SwappedScanner : public Root {
public:
    uint32_t ItemsPerLine() const override { return this->bytesPerLane; }
    uint32_t LineCount() const override { return this->laneCount; }
    uint8_t GetByte(uint32_t item, uint32_t line) const override { return Root::GetByte(line, item); }
};

// Bit i of the result is bit 7 - i of `value`.
uint8_t ReverseBits(uint8_t value);

// Every byte of the base's reversed, fill bits included: the first pixel
// in bit 0.
template <class Base>
class RevScanner : public Base {
public:
    uint8_t GetByte(uint32_t item, uint32_t line) const override { return ReverseBits(Base::GetByte(item, line)); }
};

typedef RevScanner<HBitVByteScanner> HBitVByteRevScanner;
typedef SwappedScanner<HBitVByteScanner> HBitHByteScanner;
typedef RevScanner<HBitHByteScanner> HBitHByteRevScanner;
typedef RevScanner<VBitHByteScanner> VBitHByteRevScanner;
typedef SwappedScanner<VBitHByteScanner> VBitVByteScanner;
typedef RevScanner<VBitVByteScanner> VBitVByteRevScanner;

// What a scanner packs: the three packing options its class stands for, and
// the bitmap of its last successful Attach (null before one).
struct ScannerPacking {
    bool msbReverse;
    bool bitHorizontal;
    bool byteHorizontal;
    const MonoBitmap* bitmap;
};

// A scanner of one of the eight classes says what it packs; any other
// scanner gives false.
bool DescribeScanner(const ByteScanner& scanner, ScannerPacking* packing);
