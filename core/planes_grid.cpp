#include "core/planes_grid.h"

#include "core/level_image.h"
#include "core/scanner_table.h"

template <typename Marks>
bool PlanesGrid::AddPlane(const LevelImage& levels, Marks marks, const ConvertOptions& layout, const BufferSizes& sizes,
                          std::optional<uint32_t> fill) {
    const uint32_t width = levels.Width(), height = levels.Height();
    std::unique_ptr<BitPlane> plane(new BitPlane);
    plane->scanner = NewScanner(layout);
    // A created bitmap is light; a dark pixel, a clear bit, packs as a 1.
    if (!plane->scanner || !plane->bitmap.Create(width, height)) return false;
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* row = plane->bitmap.Row(y);
        for (uint32_t x = 0; x < width; ++x)
            if (marks(levels.Get(x, y))) row[x >> 3] &= static_cast<uint8_t>(~(0x80u >> (x & 7)));
    }
    const uint8_t fillOnes = fill ? marks(*fill) : layout.fillOnes;
    if (!plane->scanner->Attach(&plane->bitmap, fillOnes)) return false;
    plane->grid.reset(new ScannerGrid(*plane->scanner, sizes));
    planes.push_back(std::move(plane));
    return true;
}

bool PlanesGrid::Finish() {
    if (planes.empty()) return false;
    items = planes.front()->grid->ItemsPerLine();
    linesPerPlane = planes.front()->grid->LineCount();
    return true;
}

bool PlanesGrid::Make(const LevelImage& levels, const ConvertOptions& layout, const BufferSizes& sizes,
                      std::optional<uint32_t> fill) {
    planes.clear();
    for (uint32_t bit = levels.Depth(); bit-- > 0;) {
        if (!AddPlane(
                levels, [bit](uint32_t value) { return (value >> bit & 1) != 0; }, layout, sizes, fill))
            return false;
    }
    return Finish();
}

bool PlanesGrid::MakeInks(const LevelImage& levels, const std::vector<InkPlane>& inks, const ConvertOptions& layout,
                          const BufferSizes& sizes, std::optional<uint32_t> fill) {
    planes.clear();
    for (const InkPlane& ink : inks) {
        const bool setOnInk = ink.inkBit != 0;
        if (!AddPlane(
                levels, [ink, setOnInk](uint32_t value) { return (value == ink.value) == setOnInk; }, layout, sizes,
                fill))
            return false;
    }
    return Finish();
}

void PlanesGrid::Pack(uint32_t line, uint32_t first, uint32_t count, uint8_t* out) {
    planes[line / linesPerPlane]->grid->Pack(line % linesPerPlane, first, count, out);
}
