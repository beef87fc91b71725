#include "forms/binary_form.h"

#include <algorithm>

#include "core/array_text.h"
#include "core/line_packer.h"
#include "core/output_block.h"
#include "compress/mcu_rle.h"
#include "core/pixel_image.h"
#include "forms/output_form.h"

bool EmitPackedBytes(PackedGrid& grid, ByteSink sink, void* context, const BufferSizes& sizes) {
    OutputBlock text(sink, context, static_cast<uint64_t>(grid.ItemsPerLine()) * grid.LineCount(), TextBytesFor(sizes));
    PackedLines lines(grid, sizes);
    const uint8_t* bytes;
    uint32_t count;
    bool endsLine;
    while (lines.Next(&bytes, &count, &endsLine)) {
        char* at = text.Reserve(count);
        text.Commit(std::copy_n(reinterpret_cast<const char*>(bytes), count, at));
    }
    return text.Finish();
}

namespace {

bool AppendBytes(void* context, const char* bytes, uint32_t size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    out->insert(out->end(), bytes, bytes + size);
    return true;
}

}  // namespace

void AppendPackedBytes(PackedGrid& grid, std::vector<uint8_t>* out) {
    out->reserve(out->size() + static_cast<size_t>(grid.ItemsPerLine()) * grid.LineCount());
    EmitPackedBytes(grid, AppendBytes, out);
}

uint32_t McuRleUnit(const FormImage& image) {
    const PixelFormat format = image.image.Format();
    if (!IsDirect(format) || DirectRowOf(format)->alphaPlane) return 1;
    const uint32_t unit = BytesOfValue(format);
    return image.grid->ItemsPerLine() % unit == 0 ? unit : 1;
}

bool McuRlePackedBytes(const FormImage& image, std::vector<uint8_t>* out) {
    std::vector<uint8_t> bytes;
    AppendPackedBytes(*image.grid, &bytes);
    return McuRleCompress(bytes.data(), image.grid->ItemsPerLine(), image.grid->LineCount(), McuRleUnit(image), out);
}

namespace {

class Binary : public OutputForm {
public:
    bool Image(const FormImage& image, const FormOptions& options, ByteSink sink, void* context,
               const BufferSizes& sizes) const override {
        if (options.compression == Compression::None) return EmitPackedBytes(*image.grid, sink, context, sizes);
        std::vector<uint8_t> stream;
        return McuRlePackedBytes(image, &stream) &&
               sink(context, reinterpret_cast<const char*>(stream.data()), static_cast<uint32_t>(stream.size()));
    }
};

}  // namespace

const OutputForm& BinaryForm() {
    static const Binary form;
    return form;
}
