#include "cli/cli.h"

#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/input_file.h"
#include "cli/output_paths.h"
#include "core/array_text.h"
#include "core/byte_scanner.h"
#include "core/mono_bitmap.h"
#include "core/mono_bmp_writer.h"
#include "core/scanner_table.h"
#include "forms/output_formats.h"
#include "image/image_info.h"
#include "image/preview.h"
#include "io/array_text_file.h"
#include "io/file_io.h"
#include "io/replacing_file.h"
#include "settings/settings_file.h"

namespace {

const char kName[] = "quillgrid-cli";

enum class Outcome { Done, Refused, NotWritten };

// What every input of one run shares.
struct Run {
    const CliRequest& request;
    const ConvertOptions& options;
    bool invert;
    ByteScanner* scanner;
    FILE* in;
    FILE* out;
    FILE* err;
};

// How an input is named in messages and generated text.
std::string DisplayName(const char* input) {
    return std::string(input) == "-" ? "(standard input)" : input;
}

// One input's conversion: where it goes and what it is called.
struct Job {
    const char* input;
    const std::string& output;  // empty: standard output
    const std::string& arrayName;
};

bool WriteToStream(void* context, const char* text, uint32_t size) {
    return std::fwrite(text, 1, size, static_cast<FILE*>(context)) == size;
}

int UsageError(FILE* err, const std::string& problem) {
    std::fprintf(err, "%s: %s\n%s", kName, problem.c_str(), kCliUsage);
    return kExitUsage;
}

// The defaults, the preset's layout, or the settings file's.
bool StartingOptions(const CliRequest& request, ConvertOptions* options, std::string* problem) {
    *options = ConvertOptions();
    SetDefaultOptions(options);
    if (request.preset) *options = request.preset->options;
    if (!request.settings) return true;
    switch (ReadOptionsFile(request.settings, options)) {
    case OptionsFileStatus::Read:
        return true;
    case OptionsFileStatus::CannotOpen:
        *problem = std::string("cannot open settings file '") + request.settings + "'";
        return false;
    case OptionsFileStatus::TooShort:
        *problem = std::string("settings file '") + request.settings +
                   "' is shorter than 16 bytes or cannot be read";
        return false;
    }
    return false;
}

bool Emit(const Run& run, const Job& job, TextSink sink, void* context) {
    switch (run.request.format) {
    case OutputFormat::CArray: {
        ArraySource source;
        source.fileName = BaseName(DisplayName(job.input));
        source.width = g_bitmap.Width();
        source.height = g_bitmap.Height();
        source.options = run.options;
        source.invert = run.invert;
        return EmitCArray(*run.scanner, source, job.arrayName.c_str(), sink, context);
    }
    case OutputFormat::Binary:
        return EmitPackedBytes(*run.scanner, sink, context);
    case OutputFormat::Bmp:
        return EmitMonoBmp(g_bitmap, sink, context);
    case OutputFormat::ArrayText:
        break;
    }
    return EmitArrayText(*run.scanner, sink, context);
}

bool WriteOutput(const Run& run, const Job& job) {
    if (job.output.empty())
        return Emit(run, job, WriteToStream, run.out) && std::fflush(run.out) == 0;
    ReplacingFile file;
    if (!file.Open(job.output.c_str())) return false;
    // On failure the destructor discards the temporary file.
    if (!Emit(run, job, WriteToFile, file.Handle())) return false;
    return file.Commit();
}

// Loads the input as the 1-bit image to pack and attaches the scanner;
// says why not on the error stream. `source` receives the input's own size.
Outcome Prepare(const Run& run, const char* input, InputSize* source = nullptr) {
    std::string why;
    if (!LoadInput(input, run.request.image, run.in, &g_bitmap, &why, source)) {
        std::fprintf(run.err, "%s: %s: %s\n", kName, DisplayName(input).c_str(), why.c_str());
        return Outcome::Refused;
    }
    if (run.invert) g_bitmap.InvertDark();
    if (!run.scanner->Attach(&g_bitmap, run.options.fillOnes)) {
        std::fprintf(run.err, "%s: %s: the image is %u x %u pixels; there is nothing to pack\n",
                     kName, DisplayName(input).c_str(), g_bitmap.Width(), g_bitmap.Height());
        return Outcome::Refused;
    }
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

// --info and --preview: something about each input on standard output,
// blocks kept apart by an empty line.
Outcome Show(const Run& run, const char* input, bool* shown) {
    InputSize source;
    Outcome prepared = Prepare(run, input, &source);
    // --info describes an image without pixels too; there is nothing to preview.
    if (!g_bitmap.IsLoaded() || (run.request.preview && prepared != Outcome::Done)) return prepared;
    bool written;
    if (run.request.info) {
        std::string text = (*shown ? "\n" : "") +
                           DescribeImage(DisplayName(input).c_str(), source, g_bitmap, run.options,
                                         run.invert, prepared == Outcome::Done ? run.scanner : nullptr);
        written = WriteToStream(run.out, text.data(), static_cast<uint32_t>(text.size()));
    } else {
        std::string heading = *shown ? "\n" : "";
        if (run.request.inputs.size() > 1) heading += DisplayName(input) + ":\n";
        written = WriteToStream(run.out, heading.data(), static_cast<uint32_t>(heading.size())) &&
                  EmitPreview(g_bitmap, run.request.previewStyle, WriteToStream, run.out);
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
int ExitStatus(unsigned refused, unsigned notWritten, unsigned total, FILE* err) {
    if (total > 1 && refused > 0)
        std::fprintf(err, "%s: %u of %u inputs refused\n", kName, refused, total);
    if (total > 1 && notWritten > 0)
        std::fprintf(err, "%s: %u of %u outputs not written\n", kName, notWritten, total);
    if (refused > 0) return kExitRefused;
    return notWritten > 0 ? kExitOutput : kExitDone;
}

}  // namespace

int RunCli(int argc, const char* const* argv, FILE* in, FILE* out, FILE* err) {
    CliRequest request;
    std::string problem;
    if (!ParseCliArgs(argc, argv, &request, &problem)) return UsageError(err, problem);
    if (request.help) {
        std::fputs(kCliHelp, out);
        return kExitDone;
    }
    if (request.version) {
        std::fprintf(out, "%s 1.00\n", kName);
        return kExitDone;
    }

    ConvertOptions options;
    if (!StartingOptions(request, &options, &problem)) return UsageError(err, problem);
    ApplyOverrides(request, &options);
    ByteScanner* scanner = SelectScanner(options);
    if (!scanner) return UsageError(err, "these options select no packing");
    const PathKind outDir = request.outDir ? GetPathKind(request.outDir) : PathKind::Folder;
    if (outDir != PathKind::Folder && outDir != PathKind::Missing)
        return UsageError(err, std::string("'") + request.outDir + "' is not a folder");
    const bool showOnly = request.info || request.preview;
    std::vector<std::string> outputs(request.inputs.size()), arrayNames(request.inputs.size());
    if (!showOnly && !PlanOutputs(request, &outputs, &problem)) return UsageError(err, problem);
    if (request.format == OutputFormat::CArray && !PlanArrayNames(request, &arrayNames, &problem))
        return UsageError(err, problem);

    // A missing output folder is made, as for any build step's output.
    if (outDir == PathKind::Missing && !CreateFolders(request.outDir)) {
        std::fprintf(err, "%s: cannot create the folder '%s'\n", kName, request.outDir);
        return kExitOutput;
    }
    const Run run = {request, options, Inverts(request), scanner, in, out, err};
    unsigned refused = 0, notWritten = 0;
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
    return ExitStatus(refused, notWritten, static_cast<unsigned>(request.inputs.size()), err);
}

int RunCli(int argc, const char* const* argv, FILE* out, FILE* err) {
    return RunCli(argc, argv, stdin, out, err);
}
