#include "cli/cli_args.h"

#include <cstring>

const char kCliUsage[] =
    "usage: quillgrid-cli [OPTIONS] INPUT.bmp\n"
    "  -o, --output FILE      write the array text to FILE (default: standard output)\n"
    "  --settings FILE.dat    start from the options stored in a Quillgrid settings file\n"
    "  --msb-first | --lsb-first            first pixel of a byte goes to bit 7 | bit 0\n"
    "  --bits-vertical | --bits-horizontal  8 pixels of a byte one above the other | side by side\n"
    "  --bytes-horizontal | --bytes-vertical  bytes of a line advance rightwards | downwards\n"
    "  --fill-zero | --fill-one             spare bits of a partial byte\n"
    "  -h, --help   --version\n";

namespace {

struct Flag {
    const char* name;
    int CliRequest::*field;
    int value;
};

const Flag kFlags[] = {
    {"--msb-first", &CliRequest::msbReverse, 0},
    {"--lsb-first", &CliRequest::msbReverse, 1},
    {"--bits-vertical", &CliRequest::bitHorizontal, 0},
    {"--bits-horizontal", &CliRequest::bitHorizontal, 1},
    {"--bytes-horizontal", &CliRequest::byteHorizontal, 1},
    {"--bytes-vertical", &CliRequest::byteHorizontal, 0},
    {"--fill-zero", &CliRequest::fillOnes, 0},
    {"--fill-one", &CliRequest::fillOnes, 1},
};

// Matches "--name VALUE" and "--name=VALUE" (and "-o VALUE" for `shortName`).
// Returns 1 when matched, 0 when not, -1 when the value is missing.
int TakeValue(const char* arg, const char* longName, const char* shortName, int argc,
              const char* const* argv, int* index, const char** value) {
    size_t length = std::strlen(longName);
    if (std::strncmp(arg, longName, length) == 0 && arg[length] == '=') {
        *value = arg + length + 1;
        return **value ? 1 : -1;
    }
    if (std::strcmp(arg, longName) != 0 && !(shortName && std::strcmp(arg, shortName) == 0))
        return 0;
    if (*index + 1 >= argc) return -1;
    *value = argv[++*index];
    return 1;
}

}  // namespace

bool ParseCliArgs(int argc, const char* const* argv, CliRequest* request, std::string* error) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        bool isOption = !optionsEnded && arg[0] == '-' && arg[1] != '\0';
        if (!isOption) {
            if (request->input) {
                *error = "more than one input file given ('" + std::string(request->input) +
                         "' and '" + arg + "')";
                return false;
            }
            request->input = arg;
            continue;
        }
        if (std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
            continue;
        }
        if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0) {
            request->help = true;
            continue;
        }
        if (std::strcmp(arg, "--version") == 0) {
            request->version = true;
            continue;
        }
        int taken = TakeValue(arg, "--output", "-o", argc, argv, &i, &request->output);
        if (taken == 0) taken = TakeValue(arg, "--settings", nullptr, argc, argv, &i, &request->settings);
        if (taken < 0) {
            *error = std::string("option '") + arg + "' needs a file name";
            return false;
        }
        if (taken > 0) continue;
        bool known = false;
        for (const Flag& flag : kFlags) {
            if (std::strcmp(arg, flag.name) == 0) {
                request->*flag.field = flag.value;
                known = true;
            }
        }
        if (!known) {
            *error = std::string("unknown option '") + arg + "'";
            return false;
        }
    }
    if (!request->help && !request->version && !request->input) {
        *error = "no input file given";
        return false;
    }
    return true;
}

void ApplyOverrides(const CliRequest& request, ConvertOptions* options) {
    if (request.msbReverse >= 0) options->msbReverse = static_cast<uint32_t>(request.msbReverse);
    if (request.bitHorizontal >= 0)
        options->bitHorizontal = static_cast<uint32_t>(request.bitHorizontal);
    if (request.byteHorizontal >= 0)
        options->byteHorizontal = static_cast<uint32_t>(request.byteHorizontal);
    if (request.fillOnes >= 0) options->fillOnes = static_cast<uint8_t>(request.fillOnes);
}
