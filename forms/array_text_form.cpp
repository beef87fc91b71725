// The array text, as the Windows program's Save command writes it: a line
// of ", 0xA0, 0x60" values a line of packed bytes.
#include "core/array_text.h"
#include "forms/output_form.h"

namespace {

class ArrayText : public OutputForm {
public:
    bool Image(const FormImage& image, const FormOptions&, ByteSink sink, void* context,
               const BufferSizes& sizes) const override {
        return EmitArrayText(*image.grid, sink, context, sizes);
    }
};

}  // namespace

const OutputForm& ArrayTextForm() {
    static const ArrayText form;
    return form;
}
