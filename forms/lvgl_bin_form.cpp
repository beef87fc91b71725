// --lvgl-bin: an LVGL v9 image file, for lv_image_set_src(img, "S:/logo.bin")
// through LVGL's file system: the 12-byte lv_image_header_t (magic 0x19,
// the colour format, flags, width, height, stride, 16 bits reserved:
// little-endian), then the data as the C descriptor's array holds it,
// compressed or not. As lv_bin_decoder.c reads it.
#include <cstdint>
#include <vector>

#include "forms/binary_form.h"
#include "forms/lvgl_form.h"
#include "forms/output_form.h"

namespace {

constexpr uint8_t kHeaderMagic = 0x19;      // LV_IMAGE_HEADER_MAGIC
constexpr uint16_t kFlagCompressed = 0x08;  // LV_IMAGE_FLAGS_COMPRESSED

void PutLittle16(std::vector<uint8_t>* out, uint32_t value) {
    out->push_back(static_cast<uint8_t>(value));
    out->push_back(static_cast<uint8_t>(value >> 8));
}

class LvglBin : public OutputForm {
public:
    bool Image(const FormImage& image, const FormOptions& options, ByteSink sink, void* context,
               const BufferSizes&) const override {
        const LvglFormatRow& format = *options.lvgl;
        const bool compressed = options.compression != Compression::None;
        std::vector<uint8_t> file = {kHeaderMagic, format.code};
        PutLittle16(&file, compressed ? kFlagCompressed : 0);
        PutLittle16(&file, image.source.width);
        PutLittle16(&file, image.source.height);
        PutLittle16(&file, LvglStride(format, image.source.width));
        PutLittle16(&file, 0);
        std::vector<uint8_t> data = LvglImageData(image, options);
        if (compressed) {
            std::vector<uint8_t> packed;
            if (!LvglCompress(data, format, options.compression, &packed)) return false;
            data.swap(packed);
        }
        file.insert(file.end(), data.begin(), data.end());
        constexpr size_t kPiece = 1 << 20;
        for (size_t at = 0; at < file.size(); at += kPiece) {
            const size_t size = file.size() - at < kPiece ? file.size() - at : kPiece;
            if (!sink(context, reinterpret_cast<const char*>(file.data() + at), static_cast<uint32_t>(size)))
                return false;
        }
        return true;
    }

    // LVGL's rows, the first pixel in the high bits, as --lvgl writes them.
    const ConvertOptions* FixedLayout(const FormOptions& options) const override {
        return LvglForm().FixedLayout(options);
    }
};

}  // namespace

const OutputForm& LvglBinForm() {
    static const LvglBin form;
    return form;
}
