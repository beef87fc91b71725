// Packing of a bitmap's pixels into bytes, eight pixels to a byte, computed
// on demand. Two root classes define the packing along rows and along
// columns; the others derive from them by swapping the roles of item and
// line, or by reversing the bits of each byte.
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
