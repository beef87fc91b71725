#include "cli/cli.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/conversion.h"
#include "cli/depfile.h"
#include "cli/font_run.h"
#include "cli/frames.h"
#include "cli/input_file.h"
#include "cli/output_paths.h"
#include "cli/run.h"
#include "forms/layout_guess.h"
#include "forms/lvgl_form.h"
#include "image/image_info.h"
#include "io/array_text_file.h"
#include "io/file_io.h"
#include "io/replacing_file.h"
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

Outcome Convert(Run& run, const Job& job) {
    InputImage image;
    Outcome prepared = Prepare(run, job.input, &image);
    if (prepared == Outcome::Frames) return ConvertFrames(run, image, job);
    if (prepared != Outcome::Done) return prepared;
    if (!WriteOutput(run, image, job)) {
        std::fputs(CannotWriteLine(job.output).c_str(), run.err);
        return Outcome::NotWritten;
    }
    return Outcome::Done;
}

// Several inputs into one file of a form that collects them, then the
// tables of them: written only when every input was converted.
void ConvertIntoOneHeader(Run& run, const std::vector<std::string>& names, unsigned* refused, unsigned* notWritten) {
    const Conversion& c = run.conversion;
    const OutputForm& form = c.Form().form;
    ReplacingFile file;
    // Into the file, replaced once whole; or, for -o -, to standard output.
    const bool opened = c.toStream || file.Open(c.output);
    const ByteSink sink = c.toStream ? WriteToStream : WriteToFile;
    void* const context = c.toStream ? static_cast<void*>(run.out) : static_cast<void*>(file.Handle());
    bool written = opened && form.Opening(c.formOptions, c.arrayName, sink, context);
    FormCollection collection;
    collection.name = c.arrayName;
    InputImage image;
    for (size_t i = 0; i < c.inputs.size(); ++i) {
        const Outcome prepared = Prepare(run, c.inputs[i], &image);
        if (prepared == Outcome::Frames)
            Refuse(run, c.inputs[i], "an animation's frames take a header of their own: give it its own -o");
        if (prepared != Outcome::Done) {
            ++*refused;
            continue;
        }
        written = written && (collection.entries.empty() || sink(context, "\n", 1)) &&
                  form.Image(ImageForForm(run, image, c.inputs[i], names[i]), c.formOptions, sink, context);
        collection.entries.push_back({names[i], image.picture.Width(), image.picture.Height()});
    }
    if (*refused > 0) return;  // the header would lack an image: it is left as it was
    if (written && form.Collection(collection, c.formOptions, sink, context) &&
        form.Closing(c.formOptions, sink, context) && (c.toStream ? std::fflush(run.out) == 0 : file.Commit())) {
        if (!c.toStream)
            for (const char* input : c.inputs) run.written.emplace_back(c.output, input);
        return;
    }
    std::fputs(CannotWriteLine(c.toStream ? "" : c.output).c_str(), run.err);
    ++*notWritten;
}

// --guess-layout: the bytes read back in every packing, most picture-like
// first, then the preview of the first.
Outcome Guess(const Run& run, const char* input, bool* shown) {
    const Conversion& c = run.conversion;
    std::vector<uint8_t> bytes;
    std::string why;
    if (!ReadArrayInput(input, c.read.binary, run.in, &bytes, &why)) {
        Refuse(run, input, why);
        return Outcome::Refused;
    }
    const uint32_t depth = BitsOf(c.image.format);
    const std::vector<LayoutGuess> guesses =
        GuessLayouts(bytes.data(), bytes.size(), c.read.width, c.read.height, depth);
    if (!guesses[0].enough) {
        Refuse(run, input,
               std::to_string(bytes.size()) + " bytes are too few for " + std::to_string(c.read.width) + " x " +
                   std::to_string(c.read.height) + " in any packing");
        return Outcome::Refused;
    }
    std::string text = *shown ? "\n" : "";
    if (c.inputs.size() > 1) text += DisplayName(input) + ":\n";
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
        // The presets of greys of these bits a pixel that read this layout.
        const Preset* preset = MatchingPreset(l, false, FormatOf(PixelKind::Grey, depth));
        if (preset) text += "  (--preset " + std::string(preset->name) + ")";
        text += "\n";
    }
    if (guesses[1].enough && guesses[1].cost == guesses[0].cost)
        text +=
            "The first two score the same: an image read across instead of down can look as "
            "picture-like (a square one most of all); the preview shows the first.\n";
    text += "\n";
    InputImage best;
    const PackedShape shape = {c.read.width, c.read.height, c.image.format, guesses[0].layout, false};
    UnpackArrayInput(bytes, shape, c.image.palette, &best.picture, &why, &why);
    const std::string none;
    const Job job = {input, none, none};
    if (!WriteText(run, text) || !Emit(run, best, job, WriteToStream, run.out) || std::fflush(run.out) != 0) {
        std::fprintf(run.err, "%s: cannot write to standard output\n", kName);
        return Outcome::NotWritten;
    }
    *shown = true;
    return Outcome::Done;
}

// --info and --preview: something about each input on standard output,
// blocks kept apart by an empty line.
Outcome Show(const Run& run, const char* input, bool* shown) {
    const Conversion& c = run.conversion;
    if (c.mode == RunMode::Guess) return Guess(run, input, shown);
    InputImage image;
    Outcome prepared = Prepare(run, input, &image);
    if (prepared == Outcome::Frames) return ShowFrames(run, image, input, shown);
    // --info describes an image without pixels too; there is nothing to preview.
    if (!image.picture.Held() || (c.mode == RunMode::Preview && prepared != Outcome::Done)) return prepared;
    bool written;
    if (c.mode == RunMode::Info) {
        std::string text =
            (*shown ? "\n" : "") + DescribeImage(DisplayName(input).c_str(), image.source, image.picture, c.pack.layout,
                                                 c.invert, image.grid.get(), c.pack.fillValue.has_value());
        if (c.formOptions.compression != Compression::None && image.grid)
            text += LvglCompressionInfo(image.picture, *image.grid, c.formOptions);
        written = WriteText(run, text);
    } else {
        std::string heading = *shown ? "\n" : "";
        if (c.inputs.size() > 1) heading += DisplayName(input) + ":\n";
        const std::string none;
        const Job job = {input, none, none};
        written = WriteText(run, heading) && Emit(run, image, job, WriteToStream, run.out);
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
// --example: the sketch beside the header, once the header is written.
bool WriteSketch(Run& run, const std::string& arrayName) {
    const Conversion& c = run.conversion;
    SketchFacts facts;
    facts.header = BaseName(c.output);
    facts.name = arrayName;
    facts.colourPlane = c.formOptions.colourPlane;
    facts.width = c.image.frame.width;
    facts.height = c.image.frame.height;
    facts.progmem = c.formOptions.style == CStyle::Arduino;
    facts.swapBytes = !c.pack.bigEndian;
    const std::string text = ExampleSketch(c.sketch, facts);
    ReplacingFile file;
    if (!file.Open(c.exampleFile.c_str()) ||
        !WriteToFile(file.Handle(), text.data(), static_cast<uint32_t>(text.size())) || !file.Commit()) {
        std::fputs(CannotWriteLine(c.exampleFile).c_str(), run.err);
        return false;
    }
    run.written.emplace_back(c.exampleFile, c.inputs.front());
    return true;
}

int ExitStatus(unsigned refused, unsigned notWritten, unsigned total, unsigned outputs, FILE* err) {
    if (total > 1 && refused > 0) std::fprintf(err, "%s: %u of %u inputs refused\n", kName, refused, total);
    if (outputs > 1 && notWritten > 0)
        std::fprintf(err, "%s: %u of %u outputs not written\n", kName, notWritten, outputs);
    if (refused > 0) return kExitRefused;
    return notWritten > 0 ? kExitOutput : kExitDone;
}

}  // namespace

int RunCli(int argc, const char* const* argv, FILE* in, FILE* out, FILE* err, ImageSource* images) {
    CliArgs args;
    std::string problem;
    if (!ParseCliArgs(argc, argv, &args, &problem)) return UsageError(err, problem);
    if (args.help) {
        std::fputs((args.briefHelp ? CliBriefHelp() : CliHelp()).c_str(), out);
        return kExitDone;
    }
    if (args.version) {
        std::fprintf(out,
                     "%s %s (%s)\nMIT licence. It holds stb and decodes with libjpeg-turbo (based in part on the\n"
                     "work of the Independent JPEG Group) and libwebp, each under its own licence. It\n"
                     "draws fonts with FreeType: portions of this software are copyright (C) 2022 The\n"
                     "FreeType Project (www.freetype.org). All rights reserved. It compresses with\n"
                     "LZ4, copyright (C) 2011-2020 Yann Collet (BSD 2-clause licence).\n",
                     kName, QG_VERSION, QG_COMMIT);
        return kExitDone;
    }
    Conversion conversion;
    if (!ResolveConversion(args, &conversion, &problem)) return UsageError(err, problem);
    conversion.formOptions.terminalColour = TakesColour(out);
    const Conversion& c = conversion;
    for (const std::string& notice : c.notices) std::fprintf(err, "%s: %s\n", kName, notice.c_str());

    const PathKind outDir = c.outDir ? GetPathKind(c.outDir) : PathKind::Folder;
    if (outDir != PathKind::Folder && outDir != PathKind::Missing)
        return UsageError(err, std::string("'") + c.outDir + "' is not a folder");
    if (c.font.form) {
        // A font's picture forms write a file's bytes, as an image's do.
        const bool toTerminal = !c.output && !c.outDir && IsTerminal(out);
        // The sample's picture form, or else the font's own.
        const bool picture = c.form != OutputFormat::ArrayText;
        const bool text = picture ? FormRow(c.form).text : c.font.form->text;
        const char* flag = picture ? FormRow(c.form).flag : c.font.form->flag;
        if (c.mode == RunMode::Convert && !text && toTerminal)
            return UsageError(err, std::string(flag) + " writes a file's bytes, not text for a terminal: give -o FILE");
        if (outDir == PathKind::Missing && !CreateFolders(c.outDir)) {
            std::fprintf(err, "%s: cannot create the folder '%s'\n", kName, c.outDir);
            return kExitOutput;
        }
        Run run = {.conversion = c, .in = in, .out = out, .err = err, .images = images};
        return RunFonts(run);
    }
    const bool showOnly = c.mode != RunMode::Convert;
    std::vector<std::string> outputs(c.inputs.size()), arrayNames(c.inputs.size());
    if (!showOnly && !PlanOutputs(c, &outputs, &problem)) return UsageError(err, problem);
    if (FormRow(c.form).cSource && !PlanArrayNames(c, &arrayNames, &problem)) return UsageError(err, problem);
    // A file's bytes on a terminal are noise, and may be taken as its commands.
    const bool toScreen = std::find(outputs.begin(), outputs.end(), std::string()) != outputs.end() && IsTerminal(out);
    if (!showOnly && !FormRow(c.form).text && toScreen)
        return UsageError(err, std::string(FormRow(c.form).flag) +
                                   " writes a file's bytes, not text for a terminal: give -o FILE, or send them on "
                                   "(> FILE, or | into a program)");

    // A missing output folder is made, as for any build step's output.
    if (outDir == PathKind::Missing && !CreateFolders(c.outDir)) {
        std::fprintf(err, "%s: cannot create the folder '%s'\n", kName, c.outDir);
        return kExitOutput;
    }
    Run run = {.conversion = c, .in = in, .out = out, .err = err, .images = images};
    unsigned refused = 0, notWritten = 0;
    if (OneHeader(c)) {
        ConvertIntoOneHeader(run, arrayNames, &refused, &notWritten);
        if (refused == 0 && notWritten == 0 && c.sketch != Sketch::None && !WriteSketch(run, arrayNames[0]))
            ++notWritten;
        if (refused == 0 && notWritten == 0 && c.depfile && !WriteDepfile(c, run.written, err)) ++notWritten;
        return ExitStatus(refused, notWritten, static_cast<unsigned>(c.inputs.size()), 1, err);
    }
    bool shown = false;
    for (size_t i = 0; i < c.inputs.size(); ++i) {
        Outcome outcome;
        if (showOnly) {
            outcome = Show(run, c.inputs[i], &shown);
        } else {
            Job job = {c.inputs[i], outputs[i], arrayNames[i]};
            outcome = Convert(run, job);
        }
        if (outcome == Outcome::Refused) ++refused;
        if (outcome == Outcome::NotWritten) ++notWritten;
    }
    const unsigned total = static_cast<unsigned>(c.inputs.size());
    if (refused == 0 && notWritten == 0 && c.sketch != Sketch::None && !WriteSketch(run, arrayNames[0])) ++notWritten;
    // The dependencies of what was written, when all of it was.
    if (refused == 0 && notWritten == 0 && c.depfile && !WriteDepfile(c, run.written, err)) ++notWritten;
    return ExitStatus(refused, notWritten, total, total, err);
}

int RunCli(int argc, const char* const* argv, FILE* out, FILE* err) { return RunCli(argc, argv, stdin, out, err); }
