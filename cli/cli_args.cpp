#include "cli/cli_args.h"

#include <algorithm>
#include <cstring>

#include "image/presets.h"

namespace {

// Edits between two words: to suggest the option that was meant.
size_t Distance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string UnknownOption(const std::string& name) {
    std::string error = "unknown option '" + name + "'";
    const CliOption* nearest = nullptr;
    size_t best = 3;  // a suggestion differs by at most two edits
    for (size_t i = 0; i < kCliOptionCount; ++i) {
        const size_t distance = Distance(name, kCliOptions[i].longName);
        if (distance < best) best = distance, nearest = &kCliOptions[i];
    }
    if (nearest) error += std::string("; did you mean ") + nearest->longName + "?";
    return error;
}

// One option at argv[*index], and its value where it takes one; false with
// `error` set when it is not valid. A value error names the option as given.
bool TakeOption(int argc, const char* const* argv, int* index, CliRequest* request, std::string* error) {
    const char* arg = argv[*index];
    const char* equals = arg[1] == '-' ? std::strchr(arg, '=') : nullptr;
    const std::string name = equals ? std::string(arg, equals - arg) : std::string(arg);
    const CliOption* option = FindCliOption(name.c_str());
    if (!option) {
        *error = UnknownOption(name);
        return false;
    }
    const char* value = equals ? equals + 1 : nullptr;
    switch (option->takes) {
    case Takes::Nothing:
        if (value) {
            *error = name + ": takes no value";
            return false;
        }
        break;
    case Takes::Value:
        if (!value && *index + 1 < argc) value = argv[++*index];
        if (!value || !*value) {
            *error = name + ": needs " + option->needs;
            return false;
        }
        break;
    case Takes::OptionalValue:
        if (value && !*value) {
            *error = name + ": give a value after '=', or leave out the '='";
            return false;
        }
        break;
    }
    std::string problem;
    if (option->apply(value, request, &problem)) return true;
    *error = name + ": " + problem;
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

// Depth, planes and the LVGL format against each other and the forms.
bool CheckDepth(const CliRequest& request, std::string* error) {
    const uint32_t depth = DepthOf(request);
    if (request.lvglFormat && request.format != OutputFormat::Lvgl) {
        *error = "--lvgl-format picks the colour format of --lvgl; give --lvgl NAME too";
    } else if (request.lvglFormat && request.depth && *request.depth != LvglFormatDepth(*request.lvglFormat)) {
        *error = std::string("--lvgl-format ") + LvglFormatName(*request.lvglFormat) + " is " +
                 std::to_string(LvglFormatDepth(*request.lvglFormat)) + " bits a pixel and --depth says " +
                 std::to_string(*request.depth) + "; give one of them";
    } else if (depth > 1 && request.format == OutputFormat::Xbm) {
        *error = "--xbm is 1 bit a pixel; --depth " + std::to_string(depth) + " needs another form";
    } else if (depth > 1 && request.cForm.style == CStyle::U8g2) {
        *error = "--c-style u8g2 is 1 bit a pixel (u8g2 draws 1-bit bitmaps); --depth " + std::to_string(depth) +
                 " needs the plain or arduino style";
    } else if (depth > 1 && request.thresholdGiven) {
        *error = "--threshold decides dark and light at --depth 1; at --depth " + std::to_string(depth) +
                 " each grey takes its nearest level";
    } else if (request.planes && depth == 1) {
        *error = "--planes writes the bits of each pixel as 1-bit planes; give --depth 2, 4 or 8";
    } else if (request.planes && request.format != OutputFormat::ArrayText && request.format != OutputFormat::Binary &&
               request.format != OutputFormat::CArray) {
        *error = "--planes changes the packed bytes: it goes with array text, --binary or --c-array";
    } else if (request.planes && request.read.given) {
        *error = "--planes writes planes; --read-array reads packed pixels, not planes";
    } else {
        return true;
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
        *error =
            "-o names the output of one input; with several, use --out-dir or let each output go beside "
            "its input (--c-array and --lvgl write them all into one header)";
    } else if (request.info + request.preview + request.read.guess > 1) {
        *error = "only one of --info, --preview and --guess-layout can be used";
    } else if (shows && (request.output || request.outDir || !request.formatsNamed.empty())) {
        *error = std::string(showing) +
                 " writes no output; it cannot be used with -o, --out-dir, --c-array, "
                 "--binary, --bmp, --png, --xbm or --lvgl";
    } else if (FormatsDiffer(request)) {
        *error = "only one of --c-array, --binary, --bmp, --png, --xbm and --lvgl can be used";
    } else if (request.inputs.size() > 1 && StandardInputNamed(request)) {
        *error = "'-' (standard input) must be the only input";
    } else if (request.preset && request.settings) {
        *error =
            "--preset and --settings each set all four packing options; give one of them, "
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
    } else if (!CheckDepth(request, error)) {
        return false;
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
    // The depth and what a pixel's levels say: grey, or the coverage of an
    // alpha-only LVGL format.
    request->image.depth = DepthOf(*request);
    request->cForm.lvgl = request->lvglFormat ? *request->lvglFormat : LvglIndexedFormat(request->image.depth);
    if (request->format == OutputFormat::Lvgl && LvglFormatIsAlpha(request->cForm.lvgl))
        request->image.from = GreyFrom::Coverage;
    return CheckCombination(*request, error);
}

void ApplyOverrides(const CliRequest& request, ConvertOptions* options) {
    if (request.msbReverse) options->msbReverse = *request.msbReverse ? 1 : 0;
    if (request.bitHorizontal) options->bitHorizontal = *request.bitHorizontal ? 1 : 0;
    if (request.byteHorizontal) options->byteHorizontal = *request.byteHorizontal ? 1 : 0;
    if (request.fillOnes) options->fillOnes = *request.fillOnes ? 1 : 0;
}

bool LayoutGiven(const CliRequest& request) {
    return request.preset || request.settings || request.msbReverse || request.bitHorizontal || request.byteHorizontal;
}

bool IsCForm(OutputFormat format) {
    return format == OutputFormat::CArray || format == OutputFormat::Xbm || format == OutputFormat::Lvgl;
}

uint32_t DepthOf(const CliRequest& request) {
    if (request.depth) return *request.depth;
    if (request.lvglFormat) return LvglFormatDepth(*request.lvglFormat);
    return request.preset ? request.preset->depth : 1;
}

bool Inverts(const CliRequest& request) {
    if (request.invert) return *request.invert;
    return request.preset && request.preset->invert;
}

bool IsCKeyword(const char* name) {
    // C17 and C23, C++20, and the alternative tokens C++ reserves.
    static const char* const kKeywords[] = {
        "_Alignas",
        "_Alignof",
        "_Atomic",
        "_BitInt",
        "_Bool",
        "_Complex",
        "_Decimal128",
        "_Decimal32",
        "_Decimal64",
        "_Generic",
        "_Imaginary",
        "_Noreturn",
        "_Static_assert",
        "_Thread_local",
        "alignas",
        "alignof",
        "and",
        "and_eq",
        "asm",
        "auto",
        "bitand",
        "bitor",
        "bool",
        "break",
        "case",
        "catch",
        "char",
        "char16_t",
        "char32_t",
        "char8_t",
        "class",
        "co_await",
        "co_return",
        "co_yield",
        "compl",
        "concept",
        "const",
        "const_cast",
        "consteval",
        "constexpr",
        "constinit",
        "continue",
        "decltype",
        "default",
        "delete",
        "do",
        "double",
        "dynamic_cast",
        "else",
        "enum",
        "explicit",
        "export",
        "extern",
        "false",
        "float",
        "for",
        "friend",
        "goto",
        "if",
        "inline",
        "int",
        "long",
        "mutable",
        "namespace",
        "new",
        "noexcept",
        "not",
        "not_eq",
        "nullptr",
        "operator",
        "or",
        "or_eq",
        "private",
        "protected",
        "public",
        "register",
        "reinterpret_cast",
        "requires",
        "restrict",
        "return",
        "short",
        "signed",
        "sizeof",
        "static",
        "static_assert",
        "static_cast",
        "struct",
        "switch",
        "template",
        "this",
        "thread_local",
        "throw",
        "true",
        "try",
        "typedef",
        "typeid",
        "typename",
        "typeof",
        "typeof_unqual",
        "union",
        "unsigned",
        "using",
        "virtual",
        "void",
        "volatile",
        "wchar_t",
        "while",
        "xor",
        "xor_eq",
    };
    for (const char* keyword : kKeywords) {
        if (std::strcmp(name, keyword) == 0) return true;
    }
    return false;
}

bool IsCIdentifier(const char* name) {
    auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (!letter(name[0])) return false;
    for (const char* c = name + 1; *c; ++c) {
        if (!letter(*c) && !(*c >= '0' && *c <= '9')) return false;
    }
    return true;
}
