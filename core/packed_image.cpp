#include "core/packed_image.h"

#include "core/byte_scanner.h"
#include "core/direct_grid.h"
#include "core/level_grid.h"
#include "core/line_packer.h"
#include "core/pixel_image.h"
#include "core/planes_grid.h"
#include "core/scanner_table.h"
#include "core/unpack.h"

namespace {

// A 1-bit image through a scanner of its own.
class BitmapGrid : public PackedGrid {
public:
    bool Start(const MonoBitmap& bitmap, const ConvertOptions& layout, const BufferSizes& sizes) {
        scanner = NewScanner(layout);
        if (!scanner || !scanner->Attach(&bitmap, layout.fillOnes)) return false;
        grid.reset(new ScannerGrid(*scanner, sizes));
        return true;
    }
    uint32_t ItemsPerLine() const override { return grid->ItemsPerLine(); }
    uint32_t LineCount() const override { return grid->LineCount(); }
    void Pack(uint32_t line, uint32_t first, uint32_t count, uint8_t* out) override {
        grid->Pack(line, first, count, out);
    }

private:
    std::unique_ptr<ByteScanner> scanner;
    std::unique_ptr<ScannerGrid> grid;
};

}  // namespace

std::unique_ptr<PackedGrid> PackImage(const PixelImage& image, const PackOptions& options, const BufferSizes& sizes) {
    if (image.Width() == 0 || image.Height() == 0) return nullptr;
    switch (KindOf(image.Format())) {
    case PixelKind::Mono: {
        std::unique_ptr<BitmapGrid> grid(new BitmapGrid);
        ConvertOptions layout = options.layout;
        if (options.fillValue) layout.fillOnes = *options.fillValue & 1;
        if (!grid->Start(image.Bitmap(), layout, sizes)) return nullptr;
        return grid;
    }
    case PixelKind::Direct:
        return std::unique_ptr<PackedGrid>(new DirectGrid(image.Direct(), options.layout, options.bigEndian));
    default:
        break;
    }
    if (!options.planes) {
        std::unique_ptr<LevelGrid> levels(new LevelGrid(image.Levels(), options.layout));
        if (options.fillValue) levels->FillWith(*options.fillValue);
        return levels;
    }
    std::unique_ptr<PlanesGrid> planes(new PlanesGrid);
    const std::vector<InkPlane> inks = {{0, options.blackInk}, {2, options.colourInk}};
    const bool made = KindOf(image.Format()) == PixelKind::Index
                          ? planes->MakeInks(image.Levels(), inks, options.layout, sizes, options.fillValue)
                          : planes->Make(image.Levels(), options.layout, sizes, options.fillValue);
    if (!made) return nullptr;
    return planes;
}

uint64_t PackedImageSize(const PackedShape& shape) {
    switch (KindOf(shape.format)) {
    case PixelKind::Mono:
        return PackedBitmapSize(shape.width, shape.height, shape.layout);
    case PixelKind::Direct:
        return PackedDirectSize(shape);
    default:
        return PackedLevelSize(shape);
    }
}

bool UnpackPixels(const uint8_t* bytes, size_t count, const PackedShape& shape, PixelImage* image) {
    image->Release();
    bool unpacked;
    // An empty image of the format first, then its values in place.
    switch (KindOf(shape.format)) {
    case PixelKind::Mono:
        unpacked = UnpackBitmap(bytes, count, shape.width, shape.height, shape.layout, &image->Bitmap());
        break;
    case PixelKind::Direct:
        unpacked = image->Create(0, 0, shape.format) && UnpackDirect(bytes, count, shape, &image->Direct());
        break;
    default:
        unpacked = image->Create(0, 0, shape.format) && UnpackLevels(bytes, count, shape, &image->Levels());
        break;
    }
    if (!unpacked) image->Release();
    return unpacked;
}
