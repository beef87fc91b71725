#include "core/planes_grid.h"

#include "core/level_image.h"
#include "core/scanner_table.h"

bool PlanesGrid::Make(const LevelImage& levels, const ConvertOptions& layout, const BufferSizes& sizes) {
    planes.clear();
    const uint32_t width = levels.Width(), height = levels.Height();
    for (uint32_t bit = levels.Depth(); bit-- > 0;) {
        std::unique_ptr<Plane> plane(new Plane);
        plane->scanner = NewScanner(layout);
        // A created bitmap is light; a dark pixel, a clear bit, packs as a 1.
        if (!plane->scanner || !plane->bitmap.Create(width, height)) return false;
        for (uint32_t y = 0; y < height; ++y) {
            uint8_t* row = plane->bitmap.Row(y);
            for (uint32_t x = 0; x < width; ++x)
                if (levels.Get(x, y) >> bit & 1) row[x >> 3] &= static_cast<uint8_t>(~(0x80u >> (x & 7)));
        }
        if (!plane->scanner->Attach(&plane->bitmap, layout.fillOnes)) return false;
        plane->grid.reset(new ScannerGrid(*plane->scanner, sizes));
        planes.push_back(std::move(plane));
    }
    if (planes.empty()) return false;
    items = planes.front()->grid->ItemsPerLine();
    linesPerPlane = planes.front()->grid->LineCount();
    return true;
}

void PlanesGrid::Pack(uint32_t line, uint32_t first, uint32_t count, uint8_t* out) {
    planes[line / linesPerPlane]->grid->Pack(line % linesPerPlane, first, count, out);
}
