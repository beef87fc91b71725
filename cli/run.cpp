#include "cli/run.h"

#include <cstring>

#include "cli/input_file.h"
#include "cli/output_paths.h"
#include "core/array_text.h"
#include "core/direct_grid.h"
#include "core/level_bmp_writer.h"
#include "core/level_grid.h"
#include "core/mono_bmp_writer.h"
#include "core/planes_grid.h"
#include "forms/packed_bytes.h"
#include "forms/png_form.h"
#include "image/image_info.h"
#include "image/level_preview.h"
#include "image/preview.h"
#include "io/array_text_file.h"
#include "io/replacing_file.h"

const char kName[] = "quillgrid-cli";



std::string DisplayName(const char* input) { return std::string(input) == "-" ? "(standard input)" : input; }


bool WriteToStream(void* context, const char* text, uint32_t size) {
    return std::fwrite(text, 1, size, static_cast<FILE*>(context)) == size;
}

ArraySource SourceOf(const Run& run, const char* input) {
    ArraySource source;
    source.fileName = BaseName(DisplayName(input));
    source.width = run.picture->Width();
    source.height = run.picture->Height();
    source.options = run.options;
    source.invert = run.invert;
    source.depth = run.request.image.depth;
    source.planes = run.request.planes ? source.depth : 0;
    const Palette& palette = run.request.image.palette;
    if (!palette.Empty()) {
        source.palette = palette.name;
        for (size_t v = 0; v < palette.colours.size() && palette.name.empty(); ++v)
            source.palette += (v ? "," : "") + (palette.unused[v] ? std::string("-") : ColourText(palette.colours[v]));
        source.inkPlanes = run.request.planes;
    }
    source.colour = run.request.image.direct;
    source.bigEndian = run.request.byteOrderBig;
    return source;
}

bool Emit(const Run& run, const Job& job, ByteSink sink, void* context) {
    PackedGrid& grid = **run.grid;
    const Picture& picture = *run.picture;
    switch (run.request.format) {
    case OutputFormat::CArray:
    case OutputFormat::Xbm:
    case OutputFormat::Lvgl:
        return EmitCOpening(run.request.cForm, "", sink, context) &&
               EmitCImage(grid, SourceOf(run, job.input), job.arrayName, run.request.cForm, sink, context);
    case OutputFormat::Binary:
        return EmitPackedBytes(grid, sink, context);
    case OutputFormat::Bmp:
        if (picture.InDirect()) return EmitDirectBmp(picture.direct, sink, context);
        if (picture.InColour())
            return EmitLevelBmp(picture.levels, sink, context, false, BufferSizes(), &picture.palette);
        return picture.InLevels() ? EmitLevelBmp(picture.levels, sink, context, picture.coverage)
                                  : EmitMonoBmp(picture.mono, sink, context);
    case OutputFormat::Png:
        if (picture.InColour()) return EmitColourPng(picture, sink, context);
        return picture.InLevels() ? EmitPng(picture.levels, sink, context, picture.coverage)
                                  : EmitPng(picture.mono, sink, context);
    case OutputFormat::ArrayText:
        break;
    }
    return EmitArrayText(grid, sink, context);
}

// The picture as text: half blocks or characters.
bool EmitPicturePreview(const Run& run, const Picture& picture) {
    const PreviewChoice choice = run.request.previewChoice;
    if (picture.InColour()) {
        const bool colour = choice == PreviewChoice::Colour || (choice == PreviewChoice::Blocks && run.colour);
        return EmitColourPreview(picture, colour, WriteToStream, run.out);
    }
    if (!picture.InLevels())
        return EmitPreview(picture.mono,
                           choice == PreviewChoice::Ascii ? PreviewStyle::Ascii : PreviewStyle::HalfBlocks,
                           WriteToStream, run.out);
    const bool colour = choice == PreviewChoice::Colour || (choice == PreviewChoice::Blocks && run.colour);
    return EmitLevelPreview(picture.levels, colour, WriteToStream, run.out, picture.coverage);
}

bool WriteOutput(const Run& run, const Job& job) {
    if (job.output.empty()) return Emit(run, job, WriteToStream, run.out) && std::fflush(run.out) == 0;
    ReplacingFile file;
    if (!file.Open(job.output.c_str())) return false;
    // On failure the destructor discards the temporary file.
    if (!Emit(run, job, WriteToFile, file.Handle()) || !file.Commit()) return false;
    run.written->emplace_back(job.output, job.input);
    return true;
}

void Refuse(const Run& run, const char* input, const std::string& why) {
    std::fprintf(run.err, "%s: %s: %s\n", kName, DisplayName(input).c_str(), why.c_str());
}

namespace {

// The input as the run's picture: an image file, or packed bytes read back.
bool ImageOfInput(const Run& run, const char* input, InputSize* source) {
    std::string why;
    const CliRequest& request = run.request;
    Picture* picture = run.picture;
    if (!request.read.given) {
        if (run.animation) run.animation->Release();
        if (run.images ? run.images->Read(input, request.image, run.in, picture, &why, source, run.animation)
                       : ReadInputImage(input, request.image, run.in, picture, &why, source, run.animation))
            return true;
        Refuse(run, input, why);
        return false;
    }
    std::vector<uint8_t> bytes;
    std::string warning;
    const ConvertOptions& layout = request.read.layoutGiven ? request.read.layout : run.options;
    if (!ReadArrayInput(input, request.read.binary, run.in, &bytes, &why) ||
        !UnpackArrayInput(bytes, request.read.width, request.read.height, request.image, request.byteOrderBig, layout,
                          picture, &why, &warning) ||
        !(picture->InLevels() || picture->InDirect() ? FrameLevels(request.image, picture, &why, source)
                                                     : FramePicture(request.image, picture, &why, source))) {
        picture->Release();
        Refuse(run, input, why);
        return false;
    }
    if (!warning.empty()) std::fprintf(run.err, "%s: %s: %s\n", kName, DisplayName(input).c_str(), warning.c_str());
    return true;
}

}  // namespace

Outcome Prepare(const Run& run, const char* input, InputSize* source) {
    InputSize size;
    run.grid->reset();
    if (!ImageOfInput(run, input, &size)) return Outcome::Refused;
    if (source) *source = size;
    if (run.animation && run.animation->Count() > 0) return Outcome::Frames;
    return Pack(run, input, size);
}

Outcome Pack(const Run& run, const char* input, const InputSize& size) {
    run.grid->reset();
    Picture& picture = *run.picture;
    if (run.invert) picture.InLevels() ? picture.levels.Invert() : picture.mono.InvertDark();
    const bool pixels = picture.Width() != 0 && picture.Height() != 0;
    const bool mono = !picture.InLevels() && !picture.InDirect();
    if (!pixels || (mono && !run.scanner->Attach(&picture.mono, run.options.fillOnes))) {
        std::fprintf(run.err, "%s: %s: the image is %u x %u pixels; there is nothing to pack\n", kName,
                     DisplayName(input).c_str(), picture.Width(), picture.Height());
        return Outcome::Refused;
    }
    if (run.request.format == OutputFormat::Lvgl && (picture.Width() > 65535 || picture.Height() > 65535)) {
        Refuse(run, input, "an LVGL image is at most 65535 pixels wide and high");
        return Outcome::Refused;
    }
    if (picture.InDirect()) {
        run.grid->reset(new DirectGrid(picture.direct, run.options, run.request.byteOrderBig));
    } else if (!picture.InLevels()) {
        run.grid->reset(new ScannerGrid(*run.scanner));
    } else if (run.request.planes) {
        std::unique_ptr<PlanesGrid> planes(new PlanesGrid);
        // A three-colour palette's planes: black (value 0), then the ink (value 2).
        const std::vector<InkPlane> inks = {{0, run.request.blackInk}, {2, run.request.colourInk}};
        const bool made = picture.InColour() ? planes->MakeInks(picture.levels, inks, run.options)
                                             : planes->Make(picture.levels, run.options);
        if (!made) {
            Refuse(run, input, "not enough memory for the planes");
            return Outcome::Refused;
        }
        run.grid->reset(planes.release());
    } else {
        run.grid->reset(new LevelGrid(picture.levels, run.options));
    }
    if (run.images)
        run.images->Packed(picture, DescribeImage(DisplayName(input).c_str(), size, picture, run.options, run.invert,
                                                  run.grid->get()));
    return Outcome::Done;
}

bool WriteText(const Run& run, const std::string& text) {
    return WriteToStream(run.out, text.data(), static_cast<uint32_t>(text.size()));
}

