// The image as text on the terminal, to look at before it goes anywhere.
#include "core/pixel_image.h"
#include "forms/output_form.h"
#include "image/preview.h"

namespace {

class Preview : public OutputForm {
public:
    // The 1-bit image in the glyphs of dark and light; any other in its
    // shades, in colour where the terminal takes it or it is asked for.
    bool Image(const FormImage& image, const FormOptions& options, ByteSink sink, void* context,
               const BufferSizes& sizes) const override {
        const PreviewChoice choice = options.preview;
        if (IsMono(image.image.Format()))
            return EmitPreview(image.image.Bitmap(),
                               choice == PreviewChoice::Ascii ? PreviewStyle::Ascii : PreviewStyle::HalfBlocks, sink,
                               context, sizes, options.setBitLight);
        const bool colour =
            choice == PreviewChoice::Colour || (choice == PreviewChoice::Blocks && options.terminalColour);
        return EmitShadesPreview(image.image, colour, sink, context, sizes);
    }
};

}  // namespace

const OutputForm& PreviewForm() {
    static const Preview form;
    return form;
}
