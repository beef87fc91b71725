#include "cli/cli_args.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "image/presets.h"

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
    {"--invert", &CliRequest::invert, 1},
    {"--no-invert", &CliRequest::invert, 0},
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
};

// The forms whose value is the name of what they declare.
struct NamedForm {
    const char* name;
    OutputFormat format;
};

const NamedForm kNamedForms[] = {
    {"--c-array", OutputFormat::CArray},
    {"--lvgl", OutputFormat::Lvgl},
};

// Value options whose value is checked and applied where they stand.
struct SettingOption {
    const char* name;
    const char* what;
    bool (*apply)(const char* value, CliRequest* request, std::string* error);
};

bool ApplyPreset(const char* value, CliRequest* request, std::string* error) {
    const Preset* preset = FindPreset(value);
    if (!preset) {
        *error = std::string("unknown preset '") + value + "'; the presets are";
        for (const Preset* p = PresetsBegin(); p != PresetsEnd(); ++p)
            *error += std::string(p == PresetsBegin() ? " " : ", ") + p->name;
        return false;
    }
    if (request->preset && request->preset != preset) {
        *error = std::string("--preset ") + request->preset->name + " and --preset " + preset->name +
                 " each set all four packing options; give one";
        return false;
    }
    request->preset = preset;
    return true;
}

bool ApplyThreshold(const char* value, CliRequest* request, std::string* error) {
    if (ParseThreshold(value, &request->image.tone.thresholdHundredths)) return true;
    *error = std::string("'") + value + "' is not a threshold: give 0 to 255, or 0% to 100%";
    return false;
}

// A value that must be one of a few words.
template <typename T>
struct Named {
    const char* name;
    T value;
};

template <typename T, size_t N>
bool PickNamed(const char* value, const Named<T> (&names)[N], const char* what, T* picked, std::string* error) {
    for (const Named<T>& named : names) {
        if (std::strcmp(value, named.name) == 0) {
            *picked = named.value;
            return true;
        }
    }
    *error = std::string("'") + value + "' is not " + what + ": give";
    for (size_t i = 0; i < N; ++i) *error += std::string(i == 0 ? " " : i + 1 == N ? " or " : ", ") + names[i].name;
    return false;
}

bool ApplyBackground(const char* value, CliRequest* request, std::string* error) {
    static const Named<bool> kBackgrounds[] = {{"white", false}, {"black", true}};
    return PickNamed(value, kBackgrounds, "a background", &request->image.tone.blackBackground, error);
}

bool ApplySize(const char* value, CliRequest* request, std::string* error) {
    // WIDTHxHEIGHT: two whole numbers, each 1 to the largest side.
    uint64_t sides[2] = {0, 0};
    const char* at = value;
    for (int i = 0; i < 2; ++i) {
        const char* start = at;
        for (; *at >= '0' && *at <= '9' && sides[i] <= kMaxFrameSide; ++at) sides[i] = sides[i] * 10 + (*at - '0');
        bool ended = i == 0 ? *at == 'x' || *at == 'X' : *at == '\0';
        if (at == start || !ended || sides[i] == 0 || sides[i] > kMaxFrameSide) {
            *error = std::string("'") + value + "' is not a frame size: give WIDTHxHEIGHT, such as 128x64, each 1 to " +
                     std::to_string(kMaxFrameSide) + " pixels";
            return false;
        }
        ++at;
    }
    if (sides[0] * sides[1] > kMaxFramePixels) {
        *error = std::string("the frame '") + value + "' has more than " + std::to_string(kMaxFramePixels) + " pixels";
        return false;
    }
    request->image.frame.width = static_cast<uint32_t>(sides[0]);
    request->image.frame.height = static_cast<uint32_t>(sides[1]);
    return true;
}

bool ApplyFit(const char* value, CliRequest* request, std::string* error) {
    static const Named<Fit> kFits[] = {
        {"contain", Fit::Contain}, {"cover", Fit::Cover}, {"stretch", Fit::Stretch}, {"none", Fit::None}};
    return PickNamed(value, kFits, "a fit", &request->image.frame.fit, error);
}

bool ApplyAlign(const char* value, CliRequest* request, std::string* error) {
    static const Named<int> kAligns[] = {
        {"center", 4},   {"top", 1},         {"bottom", 7},      {"left", 3},           {"right", 5},
        {"top-left", 0}, {"top-right", 2}, {"bottom-left", 6}, {"bottom-right", 8}};
    int place = 4;  // 0 to 8, rows of three from the top left
    if (!PickNamed(value, kAligns, "an alignment", &place, error)) return false;
    request->image.frame.alignX = place % 3 - 1;
    request->image.frame.alignY = place / 3 - 1;
    return true;
}

bool ApplyRotate(const char* value, CliRequest* request, std::string* error) {
    static const Named<uint32_t> kTurns[] = {{"0", 0}, {"90", 90}, {"180", 180}, {"270", 270}};
    return PickNamed(value, kTurns, "a rotation (clockwise, in degrees)", &request->image.frame.rotate, error);
}

bool ApplyFlip(const char* value, CliRequest* request, std::string* error) {
    static const Named<int> kFlips[] = {{"h", 1}, {"v", 2}, {"hv", 3}};
    int flip = 0;
    if (!PickNamed(value, kFlips, "a flip", &flip, error)) return false;
    request->image.frame.flipH = (flip & 1) != 0;
    request->image.frame.flipV = (flip & 2) != 0;
    return true;
}

bool ApplyResample(const char* value, CliRequest* request, std::string* error) {
    static const Named<Resample> kFilters[] = {
        {"auto", Resample::Auto},         {"nearest", Resample::Nearest},
        {"box", Resample::Box},           {"triangle", Resample::Triangle},
        {"catmull-rom", Resample::CatmullRom}, {"mitchell", Resample::Mitchell}};
    return PickNamed(value, kFilters, "a resampling filter", &request->image.frame.resample, error);
}

bool ApplyCStyle(const char* value, CliRequest* request, std::string* error) {
    static const Named<CStyle> kStyles[] = {
        {"plain", CStyle::Plain}, {"arduino", CStyle::Arduino}, {"u8g2", CStyle::U8g2}};
    request->styleGiven = true;
    return PickNamed(value, kStyles, "a C style", &request->cForm.style, error);
}

bool ApplyPerLine(const char* value, CliRequest* request, std::string* error) {
    char* end = nullptr;
    const unsigned long count = std::strtoul(value, &end, 10);
    if (end == value || *end != '\0' || value[0] == '-' || count < 1 || count > 4096) {
        *error = std::string("'") + value + "' is not a count of values a line: give 1 to 4096";
        return false;
    }
    request->cForm.perLine = static_cast<uint32_t>(count);
    request->perLineGiven = true;
    return true;
}

bool ApplyReadArray(const char* value, CliRequest* request, std::string* error) {
    // The same form and limits as a frame.
    CliRequest sized;
    if (!ApplySize(value, &sized, error)) return false;
    request->read.given = true;
    request->read.width = sized.image.frame.width;
    request->read.height = sized.image.frame.height;
    return true;
}

bool ApplyReadLayout(const char* value, CliRequest* request, std::string* error) {
    // A preset's name, or the packing flags without their dashes, by commas.
    ConvertOptions layout = {};
    SetDefaultOptions(&layout);
    if (const Preset* preset = FindPreset(value)) {
        layout = preset->options;
    } else {
        for (const char* at = value; *at;) {
            const char* comma = std::strchr(at, ',');
            const std::string word = "--" + std::string(at, comma ? comma - at : std::strlen(at));
            bool known = false;
            for (const Flag& flag : kFlags) {
                if (word != flag.name || flag.field == &CliRequest::invert) continue;
                known = true;
                CliRequest set;
                set.*flag.field = flag.value;
                ApplyOverrides(set, &layout);
            }
            if (!known) {
                *error = std::string("'") + value + "' is not a layout: give a preset's name, or packing flags " +
                         "without their dashes, such as lsb-first,bits-horizontal";
                return false;
            }
            at = comma ? comma + 1 : at + std::strlen(at);
        }
    }
    request->read.layoutGiven = true;
    request->read.layout = layout;
    return true;
}

const SettingOption kSettingOptions[] = {
    {"--preset", "a preset name", ApplyPreset},
    {"--threshold", "a level", ApplyThreshold},
    {"--background", "white or black", ApplyBackground},
    {"--size", "a frame size, WIDTHxHEIGHT", ApplySize},
    {"--fit", "contain, cover, stretch or none", ApplyFit},
    {"--align", "a side or a corner", ApplyAlign},
    {"--rotate", "90, 180 or 270", ApplyRotate},
    {"--flip", "h, v or hv", ApplyFlip},
    {"--resample", "a filter", ApplyResample},
    {"--c-style", "plain, arduino or u8g2", ApplyCStyle},
    {"--per-line", "a count of values", ApplyPerLine},
    {"--read-array", "the image's size, WIDTHxHEIGHT", ApplyReadArray},
    {"--read-layout", "a layout", ApplyReadLayout},
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
    if (std::strcmp(arg, "--binary") == 0 || std::strcmp(arg, "--bmp") == 0) {
        request->format = arg[2] == 'b' && arg[3] == 'i' ? OutputFormat::Binary : OutputFormat::Bmp;
        request->formatsNamed.push_back(request->format);
        return true;
    }
    if (std::strcmp(arg, "--xbm") == 0 || std::strncmp(arg, "--xbm=", 6) == 0) {
        request->format = OutputFormat::Xbm;
        request->formatsNamed.push_back(request->format);
        if (arg[5] == '=') request->arrayName = arg + 6;
        return true;
    }
    if (std::strcmp(arg, "--guess-layout") == 0) {
        request->read.guess = true;
        return true;
    }
    if (std::strcmp(arg, "--dither") == 0 || std::strncmp(arg, "--dither=", 9) == 0) {
        static const Named<Dither> kDithers[] = {{"fs", Dither::FloydSteinberg},
                                                 {"atkinson", Dither::Atkinson},
                                                 {"bayer", Dither::Bayer},
                                                 {"none", Dither::None}};
        return PickNamed(arg[8] == '=' ? arg + 9 : "fs", kDithers, "a dither", &request->image.tone.dither, error);
    }
    if (std::strcmp(arg, "--preview") == 0 || std::strncmp(arg, "--preview=", 10) == 0) {
        const char* style = arg[9] == '=' ? arg + 10 : "blocks";
        if (std::strcmp(style, "blocks") != 0 && std::strcmp(style, "ascii") != 0) {
            *error = std::string("'") + style + "' is not a preview style: give blocks or ascii";
            return false;
        }
        request->preview = true;
        request->previewStyle = style[0] == 'a' ? PreviewStyle::Ascii : PreviewStyle::HalfBlocks;
        return true;
    }
    for (const SettingOption& option : kSettingOptions) {
        ValueOption form = {option.name, nullptr, nullptr, option.what};
        const char* value = nullptr;
        int taken = TakeValue(arg, form, argc, argv, index, &value);
        if (taken < 0) {
            *error = std::string("option '") + arg + "' needs " + option.what;
            return false;
        }
        if (taken > 0) return option.apply(value, request, error);
    }
    for (const ValueOption& option : kValueOptions) {
        int taken = TakeValue(arg, option, argc, argv, index, &(request->*option.field));
        if (taken < 0) {
            *error = std::string("option '") + arg + "' needs " + option.what;
            return false;
        }
        if (taken > 0) return true;
    }
    for (const NamedForm& form : kNamedForms) {
        ValueOption named = {form.name, nullptr, nullptr, "a name"};
        int taken = TakeValue(arg, named, argc, argv, index, &request->arrayName);
        if (taken < 0) {
            *error = std::string("option '") + arg + "' needs " + (form.format == OutputFormat::Lvgl ? "an image name" : "an array name");
            return false;
        }
        if (taken > 0) {
            request->format = form.format;
            request->formatsNamed.push_back(form.format);
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

bool StandardInputNamed(const CliRequest& request) {
    for (const char* input : request.inputs) {
        if (std::strcmp(input, "-") == 0) return true;
    }
    return false;
}

bool FormatsDiffer(const CliRequest& request) {
    for (OutputFormat format : request.formatsNamed) {
        if (format != request.formatsNamed.front()) return true;
    }
    return false;
}

// The combinations that cannot mean anything sensible.
bool CheckCombination(const CliRequest& request, std::string* error) {
    const bool shows = request.info || request.preview || request.read.guess;
    const bool oneHeader = request.format == OutputFormat::CArray || request.format == OutputFormat::Lvgl;
    const char* showing = request.info ? "--info" : request.preview ? "--preview" : "--guess-layout";
    if (request.inputs.empty()) {
        *error = "no input file given";
    } else if (request.output && request.outDir) {
        *error = "-o and --out-dir cannot be used together";
    } else if (request.output && request.inputs.size() > 1 && !oneHeader) {
        *error = "-o names the output of one input; with several, use --out-dir or let each output go beside "
                 "its input (--c-array and --lvgl write them all into one header)";
    } else if (request.info + request.preview + request.read.guess > 1) {
        *error = "only one of --info, --preview and --guess-layout can be used";
    } else if (shows && (request.output || request.outDir || !request.formatsNamed.empty())) {
        *error = std::string(showing) + " writes no output; it cannot be used with -o, --out-dir, --c-array, "
                 "--binary, --bmp, --xbm or --lvgl";
    } else if (FormatsDiffer(request)) {
        *error = "only one of --c-array, --binary, --bmp, --xbm and --lvgl can be used";
    } else if (request.inputs.size() > 1 && StandardInputNamed(request)) {
        *error = "'-' (standard input) must be the only input";
    } else if (request.preset && request.settings) {
        *error = "--preset and --settings each set all four packing options; give one of them, "
                 "and single flags such as --fill-one to change what it sets";
    } else if (request.styleGiven && request.format != OutputFormat::CArray) {
        *error = "--c-style picks the flavour of --c-array; give --c-array NAME too";
    } else if (request.perLineGiven && !IsCForm(request.format)) {
        *error = "--per-line goes with --c-array, --xbm or --lvgl";
    } else if ((request.read.guess || request.read.layoutGiven) && !request.read.given) {
        *error = std::string(request.read.guess ? "--guess-layout" : "--read-layout") +
                 " reads packed bytes back: give --read-array WIDTHxHEIGHT too";
    } else if (request.read.guess && (LayoutGiven(request) || request.read.layoutGiven)) {
        *error = "--guess-layout tries every packing; give no layout";
    } else if (request.arrayName && !IsCIdentifier(request.arrayName)) {
        *error = std::string("'") + request.arrayName + "' is not a C identifier";
    } else if (request.arrayName && IsCKeyword(request.arrayName)) {
        *error = std::string("'") + request.arrayName + "' is a C or C++ keyword, not a name an array can have";
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
    // With --read-array, --binary says how the inputs are written.
    if (request->read.given) {
        auto& named = request->formatsNamed;
        const size_t before = named.size();
        named.erase(std::remove(named.begin(), named.end(), OutputFormat::Binary), named.end());
        request->read.binary = named.size() != before;
        request->format = named.empty() ? OutputFormat::ArrayText : named.front();
    }
    if (request->format == OutputFormat::Xbm) request->cForm.style = CStyle::Xbm;
    if (request->format == OutputFormat::Lvgl) request->cForm.style = CStyle::Lvgl;
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

bool LayoutGiven(const CliRequest& request) {
    return request.preset || request.settings || request.msbReverse >= 0 || request.bitHorizontal >= 0 ||
           request.byteHorizontal >= 0;
}

bool IsCForm(OutputFormat format) {
    return format == OutputFormat::CArray || format == OutputFormat::Xbm || format == OutputFormat::Lvgl;
}

bool Inverts(const CliRequest& request) {
    if (request.invert >= 0) return request.invert == 1;
    return request.preset && request.preset->invert;
}

bool IsCKeyword(const char* name) {
    // C17 and C23, C++20, and the alternative tokens C++ reserves.
    static const char* const kKeywords[] = {
        "_Alignas", "_Alignof", "_Atomic", "_BitInt", "_Bool", "_Complex", "_Decimal128",
        "_Decimal32", "_Decimal64", "_Generic", "_Imaginary", "_Noreturn", "_Static_assert",
        "_Thread_local", "alignas", "alignof", "and", "and_eq", "asm", "auto", "bitand", "bitor",
        "bool", "break", "case", "catch", "char", "char16_t", "char32_t", "char8_t", "class",
        "co_await", "co_return", "co_yield", "compl", "concept", "const", "const_cast", "consteval",
        "constexpr", "constinit", "continue", "decltype", "default", "delete", "do", "double",
        "dynamic_cast", "else", "enum", "explicit", "export", "extern", "false", "float", "for",
        "friend", "goto", "if", "inline", "int", "long", "mutable", "namespace", "new", "noexcept",
        "not", "not_eq", "nullptr", "operator", "or", "or_eq", "private", "protected", "public",
        "register", "reinterpret_cast", "requires", "restrict", "return", "short", "signed",
        "sizeof", "static", "static_assert", "static_cast", "struct", "switch", "template", "this",
        "thread_local", "throw", "true", "try", "typedef", "typeid", "typename", "typeof",
        "typeof_unqual", "union", "unsigned", "using", "virtual", "void", "volatile", "wchar_t",
        "while", "xor", "xor_eq",
    };
    for (const char* keyword : kKeywords) {
        if (std::strcmp(name, keyword) == 0) return true;
    }
    return false;
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

std::vector<std::string> CliValueOptionNames() {
    std::vector<std::string> names;
    for (const NamedForm& form : kNamedForms) names.push_back(form.name);
    for (const SettingOption& option : kSettingOptions) names.push_back(option.name);
    for (const ValueOption& option : kValueOptions) {
        names.push_back(option.longName);
        if (option.shortName) names.push_back(option.shortName);
    }
    return names;
}

std::vector<std::string> CliOptionNames() {
    std::vector<std::string> names = {"-h",    "--help",   "--version", "--info",       "--binary",
                                      "--bmp", "--dither", "--preview", "--xbm", "--guess-layout"};
    for (const NamedForm& form : kNamedForms) names.push_back(form.name);
    for (const SettingOption& option : kSettingOptions) names.push_back(option.name);
    for (const ValueOption& option : kValueOptions) {
        names.push_back(option.longName);
        if (option.shortName) names.push_back(option.shortName);
    }
    for (const Flag& flag : kFlags) names.push_back(flag.name);
    return names;
}
