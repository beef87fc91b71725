#include "cli/cli.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/input_file.h"
#include "cli/output_paths.h"
#include "core/array_text.h"
#include "core/byte_scanner.h"
#include "core/direct_grid.h"
#include "core/mono_bitmap.h"
#include "core/level_bmp_writer.h"
#include "core/level_grid.h"
#include "core/line_packer.h"
#include "core/mono_bmp_writer.h"
#include "core/planes_grid.h"
#include "core/scanner_table.h"
#include "forms/c_forms.h"
#include "forms/layout_guess.h"
#include "forms/packed_bytes.h"
#include "forms/png_form.h"
#include "image/image_info.h"
#include "image/level_preview.h"
#include "image/preview.h"
#include "io/array_text_file.h"
#include "io/file_io.h"
#include "io/replacing_file.h"
#include "settings/settings_file.h"

namespace {

const char kName[] = "quillgrid-cli";

enum class Outcome { Done, Refused, NotWritten };

// What every input of one run shares, and the image each input becomes in
// turn with its packed bytes: one run's own, never another's.
struct Run {
    const CliRequest& request;
    const ConvertOptions& options;
    bool invert;
    ByteScanner* scanner;  // this run's own, attached to a 1-bit image
    Picture* picture;
    std::unique_ptr<PackedGrid>* grid;  // the picture's packed bytes
    bool colour;                        // previews of levels in 24-bit colour
    FILE* in;
    FILE* out;
    FILE* err;
    ImageSource* images;  // null: files and standard input
};

// How an input is named in messages and generated text.
std::string DisplayName(const char* input) { return std::string(input) == "-" ? "(standard input)" : input; }

// One input's conversion: where it goes and what it is called.
struct Job {
    const char* input;
    const std::string& output;  // empty: standard output
    const std::string& arrayName;
};

bool WriteToStream(void* context, const char* text, uint32_t size) {
    return std::fwrite(text, 1, size, static_cast<FILE*>(context)) == size;
}

// A terminal that takes colour: output to a terminal that takes escapes,
// TERM not "dumb", and NO_COLOR not set (no-color.org).
bool TakesColour(FILE* out) {
    const char* term = std::getenv("TERM");
    return !std::getenv("NO_COLOR") && !(term && std::strcmp(term, "dumb") == 0) && IsEscapeTerminal(out);
}

int UsageError(FILE* err, const std::string& problem) {
    std::fprintf(err, "%s: %s\n%s", kName, problem.c_str(), kCliUsage);
    return kExitUsage;
}

// The defaults, the preset's layout, the settings file's, or the layout
// that a C style's reader takes.
bool StartingOptions(const CliRequest& request, ConvertOptions* options, std::string* problem) {
    *options = ConvertOptions();
    SetDefaultOptions(options);
    if (const ConvertOptions* layout = StartingLayoutOfStyle(request.cForm.style)) *options = *layout;
    if (request.preset) *options = request.preset->options;
    if (!request.settings) return true;
    switch (ReadOptionsFile(request.settings, options)) {
    case OptionsFileStatus::Read:
        return true;
    case OptionsFileStatus::CannotOpen:
        *problem = std::string("cannot open settings file '") + request.settings + "'";
        return false;
    case OptionsFileStatus::TooShort:
        *problem = std::string("settings file '") + request.settings + "' is shorter than 16 bytes or cannot be read";
        return false;
    }
    return false;
}

// XBM, u8g2 and LVGL have one layout; a different one given is a mistake.
bool CheckStyleLayout(const CliRequest& request, const ConvertOptions& options, std::string* problem) {
    const ConvertOptions* layout = LayoutOfStyle(request.cForm.style);
    if (!layout || (options.msbReverse == layout->msbReverse && options.bitHorizontal == layout->bitHorizontal &&
                    options.byteHorizontal == layout->byteHorizontal))
        return true;
    const char* form = request.format == OutputFormat::Xbm    ? "--xbm"
                       : request.format == OutputFormat::Lvgl ? "--lvgl"
                                                              : "--c-style u8g2";
    *problem = std::string(form) + " writes rows with the first pixel in bit " + (layout->msbReverse ? "0" : "7") +
               " (" + (layout->msbReverse ? "--lsb-first" : "--msb-first") +
               " --bits-horizontal --bytes-horizontal), as its reader takes them; the layout given is " +
               LayoutInWords(options);
    return false;
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
    if (!Emit(run, job, WriteToFile, file.Handle())) return false;
    return file.Commit();
}

void Refuse(const Run& run, const char* input, const std::string& why) {
    std::fprintf(run.err, "%s: %s: %s\n", kName, DisplayName(input).c_str(), why.c_str());
}

// The input as the run's picture: an image file, or packed bytes read back.
bool ImageOfInput(const Run& run, const char* input, InputSize* source) {
    std::string why;
    const CliRequest& request = run.request;
    Picture* picture = run.picture;
    if (!request.read.given) {
        if (run.images ? run.images->Read(input, request.image, run.in, picture, &why, source)
                       : ReadInputImage(input, request.image, run.in, picture, &why, source))
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

// Loads the input as the 1-bit image to pack and attaches the scanner;
// says why not on the error stream. `source` receives the input's own size.
Outcome Prepare(const Run& run, const char* input, InputSize* source = nullptr) {
    InputSize size;
    run.grid->reset();
    if (!ImageOfInput(run, input, &size)) return Outcome::Refused;
    if (source) *source = size;
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

Outcome Convert(const Run& run, const Job& job) {
    Outcome prepared = Prepare(run, job.input);
    if (prepared != Outcome::Done) return prepared;
    if (!WriteOutput(run, job)) {
        std::fprintf(run.err, "%s: cannot write %s\n", kName,
                     job.output.empty() ? "to standard output" : job.output.c_str());
        return Outcome::NotWritten;
    }
    return Outcome::Done;
}

// Several inputs into one header, then the tables of them: written only
// when every input was converted.
void ConvertIntoOneHeader(const Run& run, const std::vector<std::string>& names, unsigned* refused,
                          unsigned* notWritten) {
    const CliRequest& request = run.request;
    ReplacingFile file;
    bool written =
        file.Open(request.output) && EmitCOpening(request.cForm, request.arrayName, WriteToFile, file.Handle());
    std::vector<TableEntry> tables;
    for (size_t i = 0; i < request.inputs.size(); ++i) {
        if (Prepare(run, request.inputs[i]) != Outcome::Done) {
            ++*refused;
            continue;
        }
        written = written && (tables.empty() || WriteToFile(file.Handle(), "\n", 1)) &&
                  EmitCImage(**run.grid, SourceOf(run, request.inputs[i]), names[i], request.cForm, WriteToFile,
                             file.Handle());
        tables.push_back({names[i], run.picture->Width(), run.picture->Height()});
    }
    if (*refused > 0) return;  // the header would lack an image: it is left as it was
    if (written && EmitCTables(request.cForm, request.arrayName, tables, WriteToFile, file.Handle()) && file.Commit())
        return;
    std::fprintf(run.err, "%s: cannot write %s\n", kName, request.output);
    ++*notWritten;
}

bool WriteText(const Run& run, const std::string& text) {
    return WriteToStream(run.out, text.data(), static_cast<uint32_t>(text.size()));
}

// --guess-layout: the bytes read back in every packing, most picture-like
// first, then the preview of the first.
Outcome Guess(const Run& run, const char* input, bool* shown) {
    const ArrayInput& read = run.request.read;
    std::vector<uint8_t> bytes;
    std::string why;
    if (!ReadArrayInput(input, read.binary, run.in, &bytes, &why)) {
        Refuse(run, input, why);
        return Outcome::Refused;
    }
    const uint32_t depth = run.request.image.depth;
    const std::vector<LayoutGuess> guesses = GuessLayouts(bytes.data(), bytes.size(), read.width, read.height, depth);
    if (!guesses[0].enough) {
        Refuse(run, input,
               std::to_string(bytes.size()) + " bytes are too few for " + std::to_string(read.width) + " x " +
                   std::to_string(read.height) + " in any packing");
        return Outcome::Refused;
    }
    std::string text = *shown ? "\n" : "";
    if (run.request.inputs.size() > 1) text += DisplayName(input) + ":\n";
    text +=
        "bits to code the image from its neighbours, fewest first (a picture is predictable, a wrong packing is "
        "not):\n";
    for (const LayoutGuess& guess : guesses) {
        char score[32];
        std::snprintf(score, sizeof score, "%10s  ",
                      guess.enough ? std::to_string((guess.cost + 32768) >> 16).c_str() : "too few");
        const ConvertOptions& l = guess.layout;
        text += std::string(score) + (l.msbReverse ? "--lsb-first" : "--msb-first") +
                (l.bitHorizontal ? " --bits-horizontal" : " --bits-vertical") +
                (l.byteHorizontal ? " --bytes-horizontal" : " --bytes-vertical");
        const Preset* preset = MatchingPreset(l, false, depth);
        if (preset) text += "  (--preset " + std::string(preset->name) + ")";
        text += "\n";
    }
    if (guesses[1].enough && guesses[1].cost == guesses[0].cost)
        text +=
            "The first two score the same: an image read across instead of down can look as "
            "picture-like (a square one most of all); the preview shows the first.\n";
    text += "\n";
    Picture& best = *run.picture;
    UnpackArrayInput(bytes, read.width, read.height, run.request.image, false, guesses[0].layout, &best, &why, &why);
    if (!WriteText(run, text) || !EmitPicturePreview(run, best) || std::fflush(run.out) != 0) {
        std::fprintf(run.err, "%s: cannot write to standard output\n", kName);
        return Outcome::NotWritten;
    }
    *shown = true;
    return Outcome::Done;
}

// --info and --preview: something about each input on standard output,
// blocks kept apart by an empty line.
Outcome Show(const Run& run, const char* input, bool* shown) {
    if (run.request.read.guess) return Guess(run, input, shown);
    InputSize source;
    Outcome prepared = Prepare(run, input, &source);
    // --info describes an image without pixels too; there is nothing to preview.
    const Picture& picture = *run.picture;
    if (!picture.Held() || (run.request.preview && prepared != Outcome::Done)) return prepared;
    bool written;
    if (run.request.info) {
        std::string text =
            (*shown ? "\n" : "") + DescribeImage(DisplayName(input).c_str(), source, picture, run.options, run.invert,
                                                 prepared == Outcome::Done ? run.grid->get() : nullptr);
        written = WriteText(run, text);
    } else {
        std::string heading = *shown ? "\n" : "";
        if (run.request.inputs.size() > 1) heading += DisplayName(input) + ":\n";
        written = WriteText(run, heading) && EmitPicturePreview(run, picture);
    }
    if (!written || std::fflush(run.out) != 0) {
        std::fprintf(run.err, "%s: cannot write to standard output\n", kName);
        return Outcome::NotWritten;
    }
    *shown = true;
    return prepared;
}

// A refused input decides the status over an unwritten output, as a build
// needs to know first that its inputs are wrong.
int ExitStatus(unsigned refused, unsigned notWritten, unsigned total, unsigned outputs, FILE* err) {
    if (total > 1 && refused > 0) std::fprintf(err, "%s: %u of %u inputs refused\n", kName, refused, total);
    if (outputs > 1 && notWritten > 0)
        std::fprintf(err, "%s: %u of %u outputs not written\n", kName, notWritten, outputs);
    if (refused > 0) return kExitRefused;
    return notWritten > 0 ? kExitOutput : kExitDone;
}

}  // namespace

int RunCli(int argc, const char* const* argv, FILE* in, FILE* out, FILE* err, ImageSource* images) {
    CliRequest request;
    std::string problem;
    if (!ParseCliArgs(argc, argv, &request, &problem)) return UsageError(err, problem);
    if (request.help) {
        std::fputs(CliHelp().c_str(), out);
        return kExitDone;
    }
    if (request.version) {
        std::fprintf(out, "%s 1.00\n", kName);
        return kExitDone;
    }

    ConvertOptions options;
    if (!StartingOptions(request, &options, &problem)) return UsageError(err, problem);
    ApplyOverrides(request, &options);
    if (!CheckStyleLayout(request, options, &problem)) return UsageError(err, problem);
    std::unique_ptr<ByteScanner> scanner = NewScanner(options);
    if (!scanner) return UsageError(err, "these options select no packing");
    const PathKind outDir = request.outDir ? GetPathKind(request.outDir) : PathKind::Folder;
    if (outDir != PathKind::Folder && outDir != PathKind::Missing)
        return UsageError(err, std::string("'") + request.outDir + "' is not a folder");
    const bool showOnly = request.info || request.preview || request.read.guess;
    std::vector<std::string> outputs(request.inputs.size()), arrayNames(request.inputs.size());
    if (!showOnly && !PlanOutputs(request, &outputs, &problem)) return UsageError(err, problem);
    if (IsCForm(request.format) && !PlanArrayNames(request, &arrayNames, &problem)) return UsageError(err, problem);

    // A missing output folder is made, as for any build step's output.
    if (outDir == PathKind::Missing && !CreateFolders(request.outDir)) {
        std::fprintf(err, "%s: cannot create the folder '%s'\n", kName, request.outDir);
        return kExitOutput;
    }
    Picture picture;
    std::unique_ptr<PackedGrid> grid;
    const Run run = {request, options, Inverts(request), scanner.get(), &picture, &grid, TakesColour(out), in, out,
                     err,     images};
    unsigned refused = 0, notWritten = 0;
    if (OneHeader(request)) {
        ConvertIntoOneHeader(run, arrayNames, &refused, &notWritten);
        return ExitStatus(refused, notWritten, static_cast<unsigned>(request.inputs.size()), 1, err);
    }
    bool shown = false;
    for (size_t i = 0; i < request.inputs.size(); ++i) {
        Outcome outcome;
        if (showOnly) {
            outcome = Show(run, request.inputs[i], &shown);
        } else {
            Job job = {request.inputs[i], outputs[i], arrayNames[i]};
            outcome = Convert(run, job);
        }
        if (outcome == Outcome::Refused) ++refused;
        if (outcome == Outcome::NotWritten) ++notWritten;
    }
    const unsigned total = static_cast<unsigned>(request.inputs.size());
    return ExitStatus(refused, notWritten, total, total, err);
}

int RunCli(int argc, const char* const* argv, FILE* out, FILE* err) { return RunCli(argc, argv, stdin, out, err); }
