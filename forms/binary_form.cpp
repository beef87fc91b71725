#include "forms/binary_form.h"

#include <algorithm>

#include "core/array_text.h"
#include "core/line_packer.h"
#include "core/output_block.h"
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

class Binary : public OutputForm {
public:
    bool Image(const FormImage& image, const FormOptions&, ByteSink sink, void* context,
               const BufferSizes& sizes) const override {
        return EmitPackedBytes(*image.grid, sink, context, sizes);
    }
};

}  // namespace

const OutputForm& BinaryForm() {
    static const Binary form;
    return form;
}
