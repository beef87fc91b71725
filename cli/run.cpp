#include "cli/run.h"

#include <cstring>

#include "cli/output_paths.h"
#include "fonts/c_font_reader.h"
#include "fonts/font_face.h"
#include "forms/lvgl_form.h"
#include "image/image_info.h"
#include "io/array_text_file.h"
#include "io/replacing_file.h"

const char kName[] = "quillgrid-cli";

std::string DisplayName(const char* input) { return std::string(input) == "-" ? "(standard input)" : input; }

bool WriteToStream(void* context, const char* text, uint32_t size) {
    return std::fwrite(text, 1, size, static_cast<FILE*>(context)) == size;
}

bool WriteText(const Run& run, const std::string& text) {
    return WriteToStream(run.out, text.data(), static_cast<uint32_t>(text.size()));
}

void Refuse(const Run& run, const char* input, const std::string& why) {
    std::fprintf(run.err, "%s: %s: %s\n", kName, DisplayName(input).c_str(), why.c_str());
}

FormImage ImageForForm(const Run& run, const InputImage& image, const char* input, const std::string& name) {
    const Conversion& c = run.conversion;
    ArraySource source;
    source.fileName = BaseName(DisplayName(input));
    source.width = image.picture.Width();
    source.height = image.picture.Height();
    source.options = c.pack.layout;
    source.invert = c.invert;
    source.format = image.picture.Format();
    source.planes = c.pack.planes;
    const Palette& palette = c.image.palette;
    source.palette = palette.name.empty() ? palette.Text() : palette.name;
    source.bigEndian = c.pack.bigEndian;
    source.fillWhite = c.pack.fillValue.has_value();
    return {image.picture, image.grid.get(), source, name};
}

bool Emit(const Run& run, const InputImage& image, const Job& job, ByteSink sink, void* context) {
    const Conversion& c = run.conversion;
    const OutputForm& form = c.Form().form;
    return form.Opening(c.formOptions, "", sink, context) &&
           form.Image(ImageForForm(run, image, job.input, job.arrayName), c.formOptions, sink, context);
}

bool WriteOutput(Run& run, const InputImage& image, const Job& job) {
    if (job.output.empty()) return Emit(run, image, job, WriteToStream, run.out) && std::fflush(run.out) == 0;
    ReplacingFile file;
    if (!file.Open(job.output.c_str())) return false;
    // On failure the destructor discards the temporary file.
    if (!Emit(run, image, job, WriteToFile, file.Handle()) || !file.Commit()) return false;
    run.written.emplace_back(job.output, job.input);
    return true;
}

namespace {

// A file no image reader takes may be a font given without a font form.
std::string FontHint(const char* input, const std::string& why) {
    if (why.rfind("not an image", 0) != 0 || std::strcmp(input, "-") == 0) return why;
    std::vector<uint8_t> head;
    std::string unused;
    if (!ReadInputBytes(input, nullptr, size_t(1) << 20, &head, &unused)) return why;
    const std::string text(head.begin(), head.end());
    if (LooksLikeCFont(text))
        return std::string("a font in C: give a font form to draw it or write it anew, such as ") +
               (text.find("GFXfont") != std::string::npos       ? "--gfx-font"
                : text.find("lv_font_fmt") != std::string::npos ? "--lvgl-font"
                                                                : "--u8g2-font") +
               " NAME --preview";
    if (!LooksLikeFont(head.data(), head.size())) return why;
    return "a font: give it a font form, such as --gfx-font NAME --font-size 16, or --vlw --font-size 16";
}

// The input as the image's picture: an image file, or packed bytes read back.
bool ReadImage(const Run& run, const char* input, InputImage* image) {
    std::string why;
    const Conversion& c = run.conversion;
    if (!c.read.given) {
        if (run.images ? run.images->Read(input, c.image, run.in, image, &why)
                       : ReadInputImage(input, c.image, run.in, image, &why))
            return true;
        Refuse(run, input, FontHint(input, why));
        return false;
    }
    std::vector<uint8_t> bytes;
    std::string warning;
    const PackedShape shape = {c.read.width, c.read.height, c.image.format, c.read.layout, c.pack.bigEndian};
    image->Release();
    if (!ReadArrayInput(input, c.read.binary, run.in, &bytes, &why) ||
        !UnpackArrayInput(bytes, shape, c.image.palette, &image->picture, &why, &warning) ||
        !FrameHeldImage(c.image, &image->picture, &why, &image->source)) {
        image->picture.Release();
        Refuse(run, input, why);
        return false;
    }
    if (!warning.empty()) std::fprintf(run.err, "%s: %s: %s\n", kName, DisplayName(input).c_str(), warning.c_str());
    return true;
}

}  // namespace

Outcome Prepare(const Run& run, const char* input, InputImage* image) {
    image->grid.reset();
    if (!ReadImage(run, input, image)) return Outcome::Refused;
    if (image->animation.Count() > 0) return Outcome::Frames;
    if (!run.conversion.frames.empty())
        std::fprintf(run.err, "%s: %s: --frames does nothing: a still image is its one frame\n", kName,
                     DisplayName(input).c_str());
    return Pack(run, input, image);
}

Outcome Pack(const Run& run, const char* input, InputImage* image) {
    const Conversion& c = run.conversion;
    PixelImage& picture = image->picture;
    image->grid.reset();
    if (c.invert) picture.Invert();
    if (picture.Width() == 0 || picture.Height() == 0) {
        std::fprintf(run.err, "%s: %s: the image is %u x %u pixels; there is nothing to pack\n", kName,
                     DisplayName(input).c_str(), picture.Width(), picture.Height());
        return Outcome::Refused;
    }
    if (IsLvglImage(c.form) && (picture.Width() > 65535 || picture.Height() > 65535)) {
        Refuse(run, input, "an LVGL image is at most 65535 pixels wide and high");
        return Outcome::Refused;
    }
    if (c.form == OutputFormat::Lvgl && c.formOptions.lvglVersion == 8 &&
        (picture.Width() > 2047 || picture.Height() > 2047)) {
        Refuse(run, input, "an LVGL 8 image is at most 2047 pixels wide and high: give --size, or --lvgl-version 9");
        return Outcome::Refused;
    }
    // LVGL's header holds the stride in 16 bits too.
    if (IsLvglImage(c.form) && c.formOptions.lvgl && LvglStride(*c.formOptions.lvgl, picture.Width()) > 65535) {
        Refuse(run, input,
               "an LVGL image's row is at most 65535 bytes (the header's stride); at " +
                   std::to_string(LvglStride(*c.formOptions.lvgl, 1) * 8) + " bits a pixel that is " +
                   std::to_string(65535 / LvglStride(*c.formOptions.lvgl, 1)) + " pixels");
        return Outcome::Refused;
    }
    image->grid = PackImage(picture, c.pack);
    if (!image->grid) {
        Refuse(run, input, c.pack.planes ? "not enough memory for the planes" : "not enough memory to pack the image");
        return Outcome::Refused;
    }
    if (run.images)
        run.images->Packed(picture, c.formOptions.setBitLight,
                           DescribeImage(DisplayName(input).c_str(), image->source, picture, c.pack.layout, c.invert,
                                         image->grid.get(), c.pack.fillValue.has_value()));
    return Outcome::Done;
}
