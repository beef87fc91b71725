// --xbm: an XBM file, as GIMP, ImageMagick and u8g2 read it.
#include "forms/c_source.h"
#include "image/presets.h"

namespace {

class Xbm : public OutputForm {
public:
    bool Image(const FormImage& image, const FormOptions& options, ByteSink sink, void* context,
               const BufferSizes& sizes) const override {
        const std::string before = SizeConstants(true, image.name, image.source.width, image.source.height) +
                                   "static unsigned char " + image.name + "_bits[] = {\n";
        return WriteValues(*image.grid, {before, "};\n"}, options, sink, context, sizes);
    }

    // Rows, the first pixel in bit 0: the xbm preset's.
    const ConvertOptions* FixedLayout(const FormOptions&) const override { return &FindPreset("xbm")->layout; }

    std::vector<std::string> NamesOfImage(const FormOptions&, const std::string& name) const override {
        return {name + "_bits", name + "_width", name + "_height"};
    }
};

}  // namespace

const OutputForm& XbmForm() {
    static const Xbm form;
    return form;
}
