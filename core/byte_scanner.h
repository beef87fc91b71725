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

// Lanes are pixel rows; the first pixel of a byte is bit 7.
class HBitVByteScanner : public ByteScanner {
public:
    HBitVByteScanner() : bytesPerLane(0), laneCount(0) {}
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

class HBitVByteRevScanner : public HBitVByteScanner {
public:
    uint8_t GetByte(uint32_t item, uint32_t line) const override;
};

class HBitHByteScanner : public HBitVByteScanner {
public:
    uint32_t ItemsPerLine() const override { return bytesPerLane; }
    uint32_t LineCount() const override { return laneCount; }
    uint8_t GetByte(uint32_t item, uint32_t line) const override;
};

class HBitHByteRevScanner : public HBitHByteScanner {
public:
    uint8_t GetByte(uint32_t item, uint32_t line) const override;
};

// Lanes are pixel columns; the first pixel of a byte is bit 7.
class VBitHByteScanner : public ByteScanner {
public:
    VBitHByteScanner() : bytesPerLane(0), laneCount(0) {}
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

class VBitHByteRevScanner : public VBitHByteScanner {
public:
    uint8_t GetByte(uint32_t item, uint32_t line) const override;
};

class VBitVByteScanner : public VBitHByteScanner {
public:
    uint32_t ItemsPerLine() const override { return bytesPerLane; }
    uint32_t LineCount() const override { return laneCount; }
    uint8_t GetByte(uint32_t item, uint32_t line) const override;
};

class VBitVByteRevScanner : public VBitVByteScanner {
public:
    uint8_t GetByte(uint32_t item, uint32_t line) const override;
};

// Bit i of the result is bit 7 - i of `value`.
uint8_t ReverseBits(uint8_t value);

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
