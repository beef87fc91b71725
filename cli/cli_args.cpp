#include "cli/cli_args.h"

#include <cstring>

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

struct ValueOption {
    const char* longName;
    const char* shortName;  // or null
    const char* CliRequest::*field;
    const char* what;  // for "needs ..."
};

const ValueOption kValueOptions[] = {
    {"--output", "-o", &CliRequest::output, "a file name"},
    {"--out-dir", nullptr, &CliRequest::outDir, "a folder"},
    {"--settings", nullptr, &CliRequest::settings, "a file name"},
    {"--c-array", nullptr, &CliRequest::arrayName, "an array name"},
};

// Matches "--name VALUE" and "--name=VALUE" (and the short name with a
// following VALUE). Returns 1 when matched, 0 when not, -1 when the value
// is missing.
int TakeValue(const char* arg, const ValueOption& option, int argc, const char* const* argv,
              int* index, const char** value) {
    size_t length = std::strlen(option.longName);
    if (std::strncmp(arg, option.longName, length) == 0 && arg[length] == '=') {
        *value = arg + length + 1;
        return **value ? 1 : -1;
    }
    if (std::strcmp(arg, option.longName) != 0 &&
        !(option.shortName && std::strcmp(arg, option.shortName) == 0))
        return 0;
    if (*index + 1 >= argc) return -1;
    *value = argv[++*index];
    return 1;
}

// One option at argv[*index]; false with `error` set when it is not valid.
bool TakeOption(int argc, const char* const* argv, int* index, CliRequest* request,
                std::string* error) {
    const char* arg = argv[*index];
    if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0) {
        request->help = true;
        return true;
    }
    if (std::strcmp(arg, "--version") == 0) {
        request->version = true;
        return true;
    }
    if (std::strcmp(arg, "--info") == 0) {
        request->info = true;
        return true;
    }
    if (std::strcmp(arg, "--binary") == 0) {
        request->format = OutputFormat::Binary;
        return true;
    }
    for (const ValueOption& option : kValueOptions) {
        int taken = TakeValue(arg, option, argc, argv, index, &(request->*option.field));
        if (taken < 0) {
            *error = std::string("option '") + arg + "' needs " + option.what;
            return false;
        }
        if (taken > 0) {
            if (option.field == &CliRequest::arrayName) request->format = OutputFormat::CArray;
            return true;
        }
    }
    for (const Flag& flag : kFlags) {
        if (std::strcmp(arg, flag.name) == 0) {
            request->*flag.field = flag.value;
            return true;
        }
    }
    *error = std::string("unknown option '") + arg + "'";
    return false;
}

// The combinations that cannot mean anything sensible.
bool CheckCombination(const CliRequest& request, std::string* error) {
    if (request.inputs.empty()) {
        *error = "no input file given";
    } else if (request.output && request.outDir) {
        *error = "-o and --out-dir cannot be used together";
    } else if (request.output && request.inputs.size() > 1) {
        *error = "-o names the output of one input; with several, use --out-dir or "
                 "let each output go beside its input";
    } else if (request.info && (request.output || request.outDir || request.arrayName ||
                                request.format == OutputFormat::Binary)) {
        *error = "--info writes no output; it cannot be used with -o, --out-dir, "
                 "--c-array or --binary";
    } else if (request.arrayName && request.format == OutputFormat::Binary) {
        *error = "--c-array and --binary cannot be used together";
    } else if (request.arrayName && !IsCIdentifier(request.arrayName)) {
        *error = std::string("'") + request.arrayName + "' is not a C identifier";
    } else {
        return true;
    }
    return false;
}

}  // namespace

bool ParseCliArgs(int argc, const char* const* argv, CliRequest* request, std::string* error) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (optionsEnded || arg[0] != '-' || arg[1] == '\0') {
            request->inputs.push_back(arg);
        } else if (std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
        } else if (!TakeOption(argc, argv, &i, request, error)) {
            return false;
        }
    }
    if (request->help || request->version) return true;
    return CheckCombination(*request, error);
}

void ApplyOverrides(const CliRequest& request, ConvertOptions* options) {
    if (request.msbReverse >= 0) options->msbReverse = static_cast<uint32_t>(request.msbReverse);
    if (request.bitHorizontal >= 0)
        options->bitHorizontal = static_cast<uint32_t>(request.bitHorizontal);
    if (request.byteHorizontal >= 0)
        options->byteHorizontal = static_cast<uint32_t>(request.byteHorizontal);
    if (request.fillOnes >= 0) options->fillOnes = static_cast<uint8_t>(request.fillOnes);
}

bool IsCIdentifier(const char* name) {
    auto letter = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    };
    if (!letter(name[0])) return false;
    for (const char* c = name + 1; *c; ++c) {
        if (!letter(*c) && !(*c >= '0' && *c <= '9')) return false;
    }
    return true;
}

std::vector<std::string> CliOptionNames() {
    std::vector<std::string> names = {"-h", "--help", "--version", "--info", "--binary"};
    for (const ValueOption& option : kValueOptions) {
        names.push_back(option.longName);
        if (option.shortName) names.push_back(option.shortName);
    }
    for (const Flag& flag : kFlags) names.push_back(flag.name);
    return names;
}
