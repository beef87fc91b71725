#include "cli/cli.h"

#include <string>

#include "cli/cli_args.h"
#include "core/array_text.h"
#include "core/byte_scanner.h"
#include "core/mono_bitmap.h"
#include "core/replacing_file.h"
#include "core/scanner_table.h"
#include "settings/settings_file.h"

namespace {

const char kName[] = "quillgrid-cli";

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

bool WriteOutput(const ByteScanner& scanner, const char* output, FILE* out) {
    if (!output) return EmitArrayText(scanner, WriteToStream, out) && std::fflush(out) == 0;
    ReplacingFile file;
    if (!file.Open(output)) return false;
    if (!WriteArrayText(scanner, file.Handle())) return false;  // the destructor discards it
    return file.Commit();
}

}  // namespace

int RunCli(int argc, const char* const* argv, FILE* out, FILE* err) {
    CliRequest request;
    std::string problem;
    if (!ParseCliArgs(argc, argv, &request, &problem)) return UsageError(err, problem);
    if (request.help) {
        std::fputs(kCliUsage, out);
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
    if (!g_bitmap.Load(request.input)) {
        std::fprintf(err, "%s: unsupported file format: %s\n", kName, request.input);
        return kExitRefused;
    }
    if (!scanner->Attach(&g_bitmap, options.fillOnes)) {
        std::fprintf(err, "%s: %s: the image is %u x %u pixels; there is nothing to pack\n", kName,
                     request.input, g_bitmap.Width(), g_bitmap.Height());
        return kExitRefused;
    }
    if (!WriteOutput(*scanner, request.output, out)) {
        std::fprintf(err, "%s: cannot write %s\n", kName,
                     request.output ? request.output : "to standard output");
        return kExitOutput;
    }
    return kExitDone;
}
