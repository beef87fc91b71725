#include "cli/cli.h"

#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/image_info.h"
#include "cli/output_formats.h"
#include "cli/output_paths.h"
#include "core/array_text.h"
#include "core/byte_scanner.h"
#include "core/file_io.h"
#include "core/mono_bitmap.h"
#include "core/replacing_file.h"
#include "core/scanner_table.h"
#include "settings/settings_file.h"

namespace {

const char kName[] = "quillgrid-cli";

enum class Outcome { Done, Refused, NotWritten };

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

bool StartingOptions(const CliRequest& request, ConvertOptions* options, std::string* problem) {
    *options = ConvertOptions();
    SetDefaultOptions(options);
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

bool Emit(const CliRequest& request, const ConvertOptions& options, const ByteScanner& scanner,
          const Job& job, TextSink sink, void* context) {
    switch (request.format) {
    case OutputFormat::CArray: {
        ArraySource source;
        source.fileName = BaseName(job.input);
        source.width = g_bitmap.Width();
        source.height = g_bitmap.Height();
        source.options = options;
        return EmitCArray(scanner, source, job.arrayName.c_str(), sink, context);
    }
    case OutputFormat::Binary:
        return EmitPackedBytes(scanner, sink, context);
    case OutputFormat::ArrayText:
        break;
    }
    return EmitArrayText(scanner, sink, context);
}

bool WriteOutput(const CliRequest& request, const ConvertOptions& options,
                 const ByteScanner& scanner, const Job& job, FILE* out) {
    if (job.output.empty())
        return Emit(request, options, scanner, job, WriteToStream, out) && std::fflush(out) == 0;
    ReplacingFile file;
    if (!file.Open(job.output.c_str())) return false;
    // On failure the destructor discards the temporary file.
    if (!Emit(request, options, scanner, job, WriteToFile, file.Handle())) return false;
    return file.Commit();
}

// Loads the input and attaches the scanner; says why not on `err`.
Outcome Prepare(const char* input, ByteScanner* scanner, uint8_t fill, FILE* err) {
    if (!g_bitmap.Load(input)) {
        std::fprintf(err, "%s: unsupported file format: %s\n", kName, input);
        return Outcome::Refused;
    }
    if (!scanner->Attach(&g_bitmap, fill)) {
        std::fprintf(err, "%s: %s: the image is %u x %u pixels; there is nothing to pack\n", kName,
                     input, g_bitmap.Width(), g_bitmap.Height());
        return Outcome::Refused;
    }
    return Outcome::Done;
}

Outcome Convert(const CliRequest& request, const ConvertOptions& options, ByteScanner* scanner,
                const Job& job, FILE* out, FILE* err) {
    Outcome prepared = Prepare(job.input, scanner, options.fillOnes, err);
    if (prepared != Outcome::Done) return prepared;
    if (!WriteOutput(request, options, *scanner, job, out)) {
        std::fprintf(err, "%s: cannot write %s\n", kName,
                     job.output.empty() ? "to standard output" : job.output.c_str());
        return Outcome::NotWritten;
    }
    return Outcome::Done;
}

Outcome Describe(const char* input, const ConvertOptions& options, ByteScanner* scanner,
                 bool* described, FILE* out, FILE* err) {
    Outcome prepared = Prepare(input, scanner, options.fillOnes, err);
    if (!g_bitmap.IsLoaded()) return prepared;
    std::string text = (*described ? "\n" : "") +
                       DescribeImage(input, g_bitmap, options,
                                     prepared == Outcome::Done ? scanner : nullptr);
    if (!WriteToStream(out, text.data(), static_cast<uint32_t>(text.size())) ||
        std::fflush(out) != 0) {
        std::fprintf(err, "%s: cannot write to standard output\n", kName);
        return Outcome::NotWritten;
    }
    *described = true;
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

int RunCli(int argc, const char* const* argv, FILE* out, FILE* err) {
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
    if (request.outDir && GetPathKind(request.outDir) != PathKind::Folder)
        return UsageError(err, std::string("'") + request.outDir + "' is not a folder");
    std::vector<std::string> outputs(request.inputs.size()), arrayNames(request.inputs.size());
    if (!request.info && !PlanOutputs(request, &outputs, &problem))
        return UsageError(err, problem);
    if (request.format == OutputFormat::CArray && !PlanArrayNames(request, &arrayNames, &problem))
        return UsageError(err, problem);

    unsigned refused = 0, notWritten = 0;
    bool described = false;  // blocks of --info are kept apart by an empty line
    for (size_t i = 0; i < request.inputs.size(); ++i) {
        Outcome outcome;
        if (request.info) {
            outcome = Describe(request.inputs[i], options, scanner, &described, out, err);
        } else {
            Job job = {request.inputs[i], outputs[i], arrayNames[i]};
            outcome = Convert(request, options, scanner, job, out, err);
        }
        if (outcome == Outcome::Refused) ++refused;
        if (outcome == Outcome::NotWritten) ++notWritten;
    }
    return ExitStatus(refused, notWritten, static_cast<unsigned>(request.inputs.size()), err);
}
