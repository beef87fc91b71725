// An image of levels as 1-bit planes, each packed in a 1-bit layout by the
// scanners, the planes' lines one after another. Bit planes: plane b holds
// bit b of every pixel's value, a set bit where it is 1, the high bit's
// plane first; this is how some e-paper controllers take grey (Waveshare's
// 4-grey drivers send the high bit's plane with command 0x10 and the low
// bit's with 0x13). Ink planes: a plane a colour, marking where the pixels
// have that value, as three-colour e-paper takes its black and its red.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "core/byte_scanner.h"
#include "core/convert_options.h"
#include "core/line_packer.h"
#include "core/mono_bitmap.h"
#include "core/packed_grid.h"

class LevelImage;

// One ink plane: its bit is `inkBit` (0 or 1) where a pixel's value is
// `value`, the other bit elsewhere.
struct InkPlane {
    uint32_t value;
    uint32_t inkBit;
};

class PlanesGrid : public PackedGrid {
public:
    // The bit planes. False when memory is short or the image has no pixels.
    // With `fill`, a row's spare pixels are of that value in every plane,
    // rather than the layout's fill bits.
    bool Make(const LevelImage& levels, const ConvertOptions& layout, const BufferSizes& sizes = BufferSizes(),
              std::optional<uint32_t> fill = std::nullopt);
    // The ink planes, in the order given. False the same way.
    bool MakeInks(const LevelImage& levels, const std::vector<InkPlane>& inks, const ConvertOptions& layout,
                  const BufferSizes& sizes = BufferSizes(), std::optional<uint32_t> fill = std::nullopt);

    uint32_t ItemsPerLine() const override { return items; }
    uint32_t LineCount() const override { return linesPerPlane * static_cast<uint32_t>(planes.size()); }
    void Pack(uint32_t line, uint32_t first, uint32_t count, uint8_t* out) override;

private:
    struct BitPlane {
        MonoBitmap bitmap;
        std::unique_ptr<ByteScanner> scanner;
        std::unique_ptr<ScannerGrid> grid;
    };
    // A plane whose set bits are where `marks` says; false as Make.
    template <typename Marks>
    bool AddPlane(const LevelImage& levels, Marks marks, const ConvertOptions& layout, const BufferSizes& sizes,
                  std::optional<uint32_t> fill);
    bool Finish();

    std::vector<std::unique_ptr<BitPlane>> planes;
    uint32_t items = 0, linesPerPlane = 0;
};
