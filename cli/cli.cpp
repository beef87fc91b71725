#include "cli/cli.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/depfile.h"
#include "cli/frames.h"
#include "cli/input_file.h"
#include "cli/output_paths.h"
#include "cli/run.h"
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
#include "version.h"

namespace {

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

Outcome Convert(const Run& run, const Job& job) {
    Outcome prepared = Prepare(run, job.input);
    if (prepared == Outcome::Frames) return ConvertFrames(run, job);
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
        const Outcome prepared = Prepare(run, request.inputs[i]);
        if (prepared == Outcome::Frames)
            Refuse(run, request.inputs[i], "an animation's frames take a header of their own: give it its own -o");
        if (prepared != Outcome::Done) {
            ++*refused;
            continue;
        }
        written = written && (tables.empty() || WriteToFile(file.Handle(), "\n", 1)) &&
                  EmitCImage(**run.grid, SourceOf(run, request.inputs[i]), names[i], request.cForm, WriteToFile,
                             file.Handle());
        tables.push_back({names[i], run.picture->Width(), run.picture->Height()});
    }
    if (*refused > 0) return;  // the header would lack an image: it is left as it was
    if (written && EmitCTables(request.cForm, request.arrayName, tables, WriteToFile, file.Handle()) &&
        file.Commit()) {
        for (const char* input : request.inputs) run.written->emplace_back(request.output, input);
        return;
    }
    std::fprintf(run.err, "%s: cannot write %s\n", kName, request.output);
    ++*notWritten;
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
    if (prepared == Outcome::Frames) return ShowFrames(run, input, source, shown);
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
        std::fprintf(out, "%s %s (%s)\n", kName, QG_VERSION, QG_COMMIT);
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
    Animation animation;
    std::unique_ptr<PackedGrid> grid;
    std::vector<std::pair<std::string, std::string>> written;
    const Run run = {request, options, Inverts(request), scanner.get(), &picture, &grid, TakesColour(out), in, out,
                     err,     images,  &animation,       &written};
    unsigned refused = 0, notWritten = 0;
    if (OneHeader(request)) {
        ConvertIntoOneHeader(run, arrayNames, &refused, &notWritten);
        if (refused == 0 && notWritten == 0 && request.depfile && !WriteDepfile(request, written, err)) ++notWritten;
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
    // The dependencies of what was written, when all of it was.
    if (refused == 0 && notWritten == 0 && request.depfile && !WriteDepfile(request, written, err)) ++notWritten;
    return ExitStatus(refused, notWritten, total, total, err);
}

int RunCli(int argc, const char* const* argv, FILE* out, FILE* err) { return RunCli(argc, argv, stdin, out, err); }
