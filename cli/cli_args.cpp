#include "cli/cli_args.h"

#include <algorithm>
#include <cstring>

#include "image/palette.h"
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
    const uint32_t depth = request.image.depth;
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

// What the preset says of colour where no option says otherwise.
void ResolveColour(CliRequest* request) {
    const Preset* preset = request->preset;
    ImageOptions& image = request->image;
    const DirectFormat lvglColour = request->lvglFormat ? LvglFormatColour(*request->lvglFormat) : DirectFormat::None;
    const bool colourNamed = request->colour || lvglColour != DirectFormat::None;
    if (!request->paletteText && !colourNamed && preset && preset->palette) {
        std::string unused;
        ParsePalette(preset->palette, &image.palette, &unused);
    }
    image.direct = request->colour                    ? *request->colour
                   : lvglColour != DirectFormat::None ? lvglColour
                   : !request->paletteText && preset  ? preset->colour
                                                      : DirectFormat::None;
    const bool lvgl = request->format == OutputFormat::Lvgl;
    request->byteOrderBig = request->bigEndian ? *request->bigEndian : !lvgl && preset && preset->bigEndian;
    const bool wordsFit = image.direct == DirectFormat::Rgb565 || image.direct == DirectFormat::Argb8888;
    request->cWords = request->words ? *request->words
                                     : wordsFit && request->format == OutputFormat::CArray &&
                                           request->cForm.style != CStyle::U8g2 && preset && preset->words;
    request->blackInk = request->planeInk ? request->planeInk->first : preset ? preset->blackInk : 1;
    request->colourInk = request->planeInk ? request->planeInk->second : preset ? preset->colourInk : 1;
}

// Colour against the other options and the forms.
bool CheckColour(const CliRequest& request, std::string* error) {
    const Palette& palette = request.image.palette;
    const DirectFormat direct = request.image.direct;
    const bool colour = !palette.Empty() || direct != DirectFormat::None;
    const std::string paletteName = "--palette " + (palette.name.empty() ? std::string("given") : palette.name);
    const bool lvgl = request.format == OutputFormat::Lvgl;
    const LvglFormat* lvglFormat = request.lvglFormat ? &*request.lvglFormat : nullptr;
    const bool threeColours = palette.Size() == 3;
    if (request.paletteText && request.colour) {
        *error = "--palette and --color each say what a pixel's value is; give one";
    } else if (request.colour && lvglFormat && LvglFormatColour(*lvglFormat) != *request.colour) {
        *error = std::string("--lvgl-format ") + LvglFormatName(*lvglFormat) + " and --color " +
                 DirectFormatName(*request.colour) + " disagree; give one of them";
    } else if (direct != DirectFormat::None && request.depth) {
        *error = "--depth sets levels of grey, and --color gives each pixel its own colour; give one";
    } else if (!palette.Empty() && request.depth && *request.depth != palette.Depth()) {
        *error = paletteName + " has " + std::to_string(palette.Size()) + " values, " +
                 std::to_string(palette.Depth()) + " bits a pixel, and --depth says " + std::to_string(*request.depth) +
                 "; leave out --depth";
    } else if (colour && Inverts(request)) {
        *error = std::string("--invert swaps dark and light") +
                 (request.invert ? "" : " (--preset " + std::string(request.preset->name) + " inverts)") +
                 "; a palette's values and a colour format's have none to swap";
    } else if (colour && request.thresholdGiven) {
        *error =
            "--threshold decides dark and light at 1 bit of grey; with --palette or --color each pixel takes "
            "its nearest colour";
    } else if (lvglFormat && !palette.Empty() &&
               (*lvglFormat > LvglFormat::I8 || LvglFormatDepth(*lvglFormat) != palette.Depth())) {
        *error = std::string("--lvgl-format ") + LvglFormatName(*lvglFormat) + " does not hold " + paletteName +
                 "'s values; give --lvgl-format I" + std::to_string(palette.Depth()) + " or leave it out";
    } else if (lvglFormat && direct != DirectFormat::None && LvglFormatColour(*lvglFormat) == DirectFormat::None) {
        *error = std::string("--lvgl-format ") + LvglFormatName(*lvglFormat) + " is not a direct colour format: give " +
                 "RGB565, RGB565A8, RGB888 or ARGB8888 with --color";
    } else if (lvgl && direct == DirectFormat::Rgb332) {
        *error = "LVGL v9 has no RGB332 format: give --color rgb565, rgb565a8, rgb888 or argb8888 with --lvgl";
    } else if (lvgl && request.bigEndian && *request.bigEndian) {
        *error = "--lvgl writes LVGL's values little-endian, as LVGL reads them; leave out --byte-order be";
    } else if (request.planes && direct != DirectFormat::None) {
        *error = "--planes writes 1-bit planes of grey levels or of a three-colour palette, not of --color";
    } else if (request.planes && !palette.Empty() && !threeColours) {
        *error = "--planes with a palette writes the black plane and the colour plane of a three-colour panel; " +
                 paletteName + " has " + std::to_string(palette.Size()) + " colours";
    } else if (request.planeInk && !(request.planes && threeColours)) {
        *error = "--plane-ink goes with --planes and a three-colour palette";
    } else if (request.bigEndian && BytesOfValue(direct) < 2) {
        *error =
            "--byte-order orders the bytes of a --color value of 2 bytes or more: give --color rgb565, rgb565a8, "
            "rgb888 or argb8888";
    } else if (request.words && *request.words && request.format != OutputFormat::CArray) {
        *error = "--c-words writes the values of --c-array; give --c-array NAME too";
    } else if (request.words && *request.words && request.cForm.style == CStyle::U8g2) {
        *error = "--c-words writes colour values; u8g2 draws 1-bit bitmaps";
    } else if (request.words && *request.words && direct != DirectFormat::Rgb565 && direct != DirectFormat::Argb8888) {
        *error = "--c-words writes uint16_t values of --color rgb565 or uint32_t values of --color argb8888";
    } else if (colour && (request.format == OutputFormat::Xbm || request.cForm.style == CStyle::U8g2)) {
        *error = std::string(request.format == OutputFormat::Xbm ? "--xbm" : "--c-style u8g2") +
                 " is 1 bit a pixel of black and white; --palette and --color need another form";
    } else if (request.read.guess && direct != DirectFormat::None) {
        *error = "--guess-layout tries the packings of bits in a byte; --color values are whole bytes";
    } else {
        return true;
    }
    return false;
}

// How many frames --frames names, counting a frame named twice twice.
uint64_t FramesNamed(const CliRequest& request) {
    uint64_t count = 0;
    for (const auto& range : request.frames) count += range.second - range.first + 1;
    return count;
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
    } else if (!request.frames.empty() && request.read.given) {
        *error = "--frames picks frames of an animated GIF; --read-array reads packed bytes";
    } else if (IsSingleFrameForm(request) && FramesNamed(request) > 1) {
        *error = std::string(request.preview ? "--preview" : request.format == OutputFormat::Bmp ? "--bmp"
                                                           : request.format == OutputFormat::Png ? "--png"
                                                                                                 : "--xbm") +
                 " shows one frame, and --frames names " + std::to_string(FramesNamed(request)) + "; name one";
    } else if (request.depfile && (shows || (!request.output && !request.outDir && request.inputs.size() == 1))) {
        *error = "--depfile names the files written, and standard output is none: give -o or --out-dir";
    } else if (!CheckColour(request, error) || !CheckDepth(request, error)) {
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
    ResolveColour(request);
    const ImageOptions& image = request->image;
    request->image.depth = !image.palette.Empty()               ? image.palette.Depth()
                           : image.direct != DirectFormat::None ? 1
                                                                : DepthOf(*request);
    LvglFormat lvgl = LvglIndexedFormat(request->image.depth);
    if (request->lvglFormat) {
        lvgl = *request->lvglFormat;
    } else if (image.direct != DirectFormat::None) {
        LvglFormatOfColour(image.direct, &lvgl);  // RGB332 has none: CheckColour says so
    }
    request->cForm.lvgl = lvgl;
    request->cForm.palette = image.palette.colours;
    request->cForm.wordBytes = request->cWords ? BytesOfValue(image.direct) : 1;
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

bool IsSingleFrameForm(const CliRequest& request) {
    return request.preview || request.format == OutputFormat::Bmp || request.format == OutputFormat::Png ||
           request.format == OutputFormat::Xbm;
}

bool PickFrames(const CliRequest& request, uint32_t count, std::vector<uint32_t>* picked, std::string* problem) {
    picked->clear();
    if (request.frames.empty()) {
        for (uint32_t i = 0; i < count; ++i) picked->push_back(i);
        return true;
    }
    for (const auto& range : request.frames) {
        for (uint32_t i = range.first; i <= range.second; ++i) {
            if (i >= count) {
                *problem = "--frames names frame " + std::to_string(i) + ", and the animation has " +
                           std::to_string(count) + (count == 1 ? " frame" : " frames") + " (0 to " +
                           std::to_string(count - 1) + ")";
                return false;
            }
            picked->push_back(i);
        }
    }
    return true;
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
