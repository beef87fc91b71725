// The image as a BMP: the 1-bit image as the Windows program opens it,
// levels and a palette's values as a palette BMP, direct colour in 24 bits.
#include "core/pixel_bmp.h"
#include "forms/output_form.h"

namespace {

class Bmp : public OutputForm {
public:
    bool Image(const FormImage& image, const FormOptions& options, ByteSink sink, void* context,
               const BufferSizes& sizes) const override {
        return EmitPixelBmp(image.image, sink, context, options.setBitLight, sizes);
    }
};

}  // namespace

const OutputForm& BmpForm() {
    static const Bmp form;
    return form;
}
