// The converter's options, one row each: a new option is one row here.
// The parser, the help and the tools read this table; nothing else lists
// the options.
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "cli/cli_args.h"
#include "forms/c_names.h"
#include "fonts/glyph_set.h"
#include "image/file_kind.h"

namespace {

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

// A single flag: sets one field to one value.
template <std::optional<bool> CliArgs::*Field, bool Value>
bool SetFlag(const char*, CliArgs* args, std::string*) {
    args->*Field = Value;
    return true;
}

template <bool CliArgs::*Field>
bool SetTrue(const char*, CliArgs* args, std::string*) {
    args->*Field = true;
    return true;
}

template <const char* CliArgs::*Field>
bool SetText(const char* value, CliArgs* args, std::string*) {
    args->*Field = value;
    return true;
}

bool SetGuess(const char*, CliArgs* args, std::string*) {
    args->read.guess = true;
    return true;
}

// The name an output form declares: a C identifier that no C or C++ keyword takes.
bool CheckName(const char* name, std::string* error) {
    if (!IsCIdentifier(name)) {
        *error = std::string("'") + name + "' is not a C identifier";
        return false;
    }
    if (IsCKeyword(name)) {
        *error = std::string("'") + name + "' is a C or C++ keyword, not a name an array can have";
        return false;
    }
    return true;
}

// --gfx-font NAME: a font form and the font's name.
template <FontFormat Format>
bool SetFontForm(const char* value, CliArgs* args, std::string* error) {
    if (!CheckName(value, error)) return false;
    args->font.form = FontFormOf(Format);
    args->font.name = value;
    return true;
}

// --vlw, --lvgl-font-bin: a file's bytes, named by -o.
template <FontFormat Format>
bool SetFontFile(const char*, CliArgs* args, std::string*) {
    args->font.form = FontFormOf(Format);
    args->font.name = nullptr;
    return true;
}

bool ApplyFontSize(const char* value, CliArgs* args, std::string* error) {
    char* end = nullptr;
    const unsigned long size = std::strtoul(value, &end, 10);
    if (!std::isdigit(static_cast<unsigned char>(value[0])) || *end || size < 1 || size > 1000) {
        *error = std::string("'") + value + "' is not a font size: give the em in pixels, 1 to 1000";
        return false;
    }
    args->font.size = static_cast<uint32_t>(size);
    return true;
}

bool ApplyGlyphs(const char* value, CliArgs* args, std::string* error) {
    args->font.glyphsGiven = true;
    return ParseGlyphSet(value, &args->font.glyphs, error);
}

bool ApplyHinting(const char* value, CliArgs* args, std::string* error) {
    static const Named<Hinting> kHinting[] = {
        {"font", Hinting::Font}, {"auto", Hinting::Auto}, {"none", Hinting::None}};
    Hinting hinting = Hinting::Font;
    if (!PickNamed(value, kHinting, "a hinting", &hinting, error)) return false;
    args->font.hinting = hinting;
    return true;
}

bool ApplyFontBits(const char* value, CliArgs* args, std::string* error) {
    static const Named<uint32_t> kBits[] = {{"1", 1}, {"2", 2}, {"4", 4}, {"8", 8}};
    uint32_t bits = 4;
    if (!PickNamed(value, kBits, "a glyph depth (bits a pixel)", &bits, error)) return false;
    args->font.bits = bits;
    return true;
}

bool ApplyFace(const char* value, CliArgs* args, std::string* error) {
    char* end = nullptr;
    const unsigned long face = std::strtoul(value, &end, 10);
    if (!std::isdigit(static_cast<unsigned char>(value[0])) || *end || face > 65535) {
        *error = std::string("'") + value + "' is not a face number: give 0 for the first";
        return false;
    }
    args->font.face = static_cast<uint32_t>(face);
    return true;
}

// --chars: the characters of the value itself join the set.
bool ApplyChars(const char* value, CliArgs* args, std::string* error) {
    args->font.glyphsGiven = true;
    if (AddTextCharacters(value, &args->font.glyphs, error)) return true;
    *error = std::string("'") + value + "' is not UTF-8 text";
    return false;
}

bool SetTextFile(const char* value, CliArgs* args, std::string*) {
    args->font.textFile = value;
    return true;
}

bool SetSample(const char* value, CliArgs* args, std::string*) {
    args->font.sample = value;
    return true;
}

bool SetFontCompress(const char*, CliArgs* args, std::string*) {
    args->font.compress = true;
    return true;
}

bool SetStrict(const char*, CliArgs* args, std::string*) {
    args->font.strict = true;
    return true;
}

template <OutputFormat Format>
bool SetFormat(const char*, CliArgs* args, std::string*) {
    args->formsNamed.push_back(Format);
    return true;
}

// --c-array NAME and --lvgl NAME, and --xbm[=NAME].
template <OutputFormat Format>
bool SetNamedFormat(const char* value, CliArgs* args, std::string* error) {
    if (value && !CheckName(value, error)) return false;
    if (value) args->arrayName = value;
    args->formsNamed.push_back(Format);
    return true;
}

bool SetExample(const char* value, CliArgs* args, std::string*) {
    args->example = true;
    args->exampleFile = value;
    return true;
}

bool ApplyPreview(const char* value, CliArgs* args, std::string* error) {
    static const Named<PreviewChoice> kStyles[] = {
        {"blocks", PreviewChoice::Blocks}, {"ascii", PreviewChoice::Ascii}, {"colour", PreviewChoice::Colour}};
    PreviewChoice choice = PreviewChoice::Blocks;
    if (value && !PickNamed(value, kStyles, "a preview style", &choice, error)) return false;
    args->preview = choice;
    return true;
}

bool ApplyDepth(const char* value, CliArgs* args, std::string* error) {
    static const Named<uint32_t> kDepths[] = {{"1", 1}, {"2", 2}, {"4", 4}, {"8", 8}};
    uint32_t depth = 1;
    if (!PickNamed(value, kDepths, "a depth (bits a pixel)", &depth, error)) return false;
    args->depth = depth;
    return true;
}

bool ApplyLvglFormat(const char* value, CliArgs* args, std::string* error) {
    args->lvglFormat = LvglFormatNamed(value);
    if (args->lvglFormat) return true;
    *error = std::string("'") + value + "' is not an LVGL colour format: give";
    for (size_t i = 0; i < kLvglFormatCount; ++i)
        *error += std::string(i == 0 ? " " : i + 1 == kLvglFormatCount ? " or " : ", ") + kLvglFormats[i].name;
    return false;
}

bool ApplyLvglVersion(const char* value, CliArgs* args, std::string* error) {
    static const Named<uint32_t> kVersions[] = {{"8", 8}, {"9", 9}};
    uint32_t version = 9;
    if (!PickNamed(value, kVersions, "an LVGL version", &version, error)) return false;
    args->lvglVersion = version;
    return true;
}

bool ApplyPalette(const char* value, CliArgs* args, std::string* error) {
    Palette palette;
    if (!ParsePalette(value, &palette, error)) return false;
    args->paletteText = value;
    args->palette = palette;
    return true;
}

bool ApplyColour(const char* value, CliArgs* args, std::string* error) {
    PixelFormat format = PixelFormat::Rgb565;
    if (DirectFormatNamed(value, &format)) {
        args->colour = format;
        return true;
    }
    *error = std::string("'") + value + "' is not a colour format: give";
    for (uint32_t i = 0; i < kDirectFormatCount; ++i)
        *error += std::string(i == 0 ? " " : i + 1 == kDirectFormatCount ? " or " : ", ") + kDirectFormats[i].name;
    return false;
}

bool ApplyByteOrder(const char* value, CliArgs* args, std::string* error) {
    static const Named<bool> kOrders[] = {{"le", false}, {"be", true}};
    bool big = false;
    if (!PickNamed(value, kOrders, "a byte order", &big, error)) return false;
    args->bigEndian = big;
    return true;
}

// B,C: two bits.
bool ApplyPlaneInk(const char* value, CliArgs* args, std::string* error) {
    const bool bits = (value[0] == '0' || value[0] == '1') && value[1] == ',' && (value[2] == '0' || value[2] == '1') &&
                      value[3] == '\0';
    if (!bits) {
        *error = std::string("'") + value +
                 "' is not two bits: give 0,0, 0,1, 1,0 or 1,1, the black plane's ink bit and the colour plane's";
        return false;
    }
    args->planeInk = std::make_pair(static_cast<uint32_t>(value[0] - '0'), static_cast<uint32_t>(value[2] - '0'));
    return true;
}

// "0-9,12": frames and ranges of frames, from 0, by commas.
bool ApplyFrames(const char* value, CliArgs* args, std::string* error) {
    std::vector<std::pair<uint32_t, uint32_t>> ranges;
    const char* at = value;
    auto number = [&at](uint32_t* n) {
        const char* start = at;
        uint64_t v = 0;
        for (; *at >= '0' && *at <= '9' && v < kMaxFrames; ++at) v = v * 10 + static_cast<uint64_t>(*at - '0');
        if (at == start || v >= kMaxFrames) return false;
        *n = static_cast<uint32_t>(v);
        return true;
    };
    for (;;) {
        uint32_t first = 0, last = 0;
        bool whole = number(&first);
        last = first;
        if (whole && *at == '-') {
            ++at;
            whole = number(&last) && last >= first;
        }
        if (!whole || (*at != ',' && *at != '\0')) {
            *error = std::string("'") + value + "' is not a list of frames: give frames counted from 0 and " +
                     "ranges by commas, such as 0-9,12, each below " + std::to_string(kMaxFrames);
            return false;
        }
        ranges.emplace_back(first, last);
        if (*at == '\0') break;
        ++at;
    }
    args->frames = ranges;
    return true;
}

bool ApplyDelay(const char* value, CliArgs* args, std::string* error) {
    char* end = nullptr;
    const unsigned long delay = std::strtoul(value, &end, 10);
    if (end == value || *end != '\0' || value[0] == '-' || delay < 1 || delay > 655350) {
        *error = std::string("'") + value + "' is not a delay: give 1 to 655350 milliseconds";
        return false;
    }
    args->delay = static_cast<uint32_t>(delay);
    return true;
}

bool ApplyDither(const char* value, CliArgs* args, std::string* error) {
    static const Named<Dither> kDithers[] = {{"fs", Dither::FloydSteinberg},
                                             {"atkinson", Dither::Atkinson},
                                             {"bayer", Dither::Bayer},
                                             {"none", Dither::None}};
    return PickNamed(value ? value : "fs", kDithers, "a dither", &args->tone.dither, error);
}

bool ApplySerpentine(const char*, CliArgs* args, std::string*) {
    args->tone.serpentine = true;
    return true;
}

bool ApplyPreset(const char* value, CliArgs* args, std::string* error) {
    const Preset* preset = FindPreset(value);
    if (!preset) {
        *error = std::string("unknown preset '") + value + "'; the presets are";
        for (const Preset* p = PresetsBegin(); p != PresetsEnd(); ++p)
            *error += std::string(p == PresetsBegin() ? " " : ", ") + p->name;
        return false;
    }
    if (args->preset && args->preset != preset) {
        *error = std::string("--preset ") + args->preset->name + " and --preset " + preset->name +
                 " each set all four packing options; give one";
        return false;
    }
    args->preset = preset;
    return true;
}

bool ApplyThreshold(const char* value, CliArgs* args, std::string* error) {
    args->thresholdGiven = true;
    if (ParseThreshold(value, &args->tone.thresholdHundredths)) return true;
    *error = std::string("'") + value + "' is not a threshold: give 0 to 255, or 0% to 100%";
    return false;
}

// A whole number from -100 to 100, for the tone's adjustments.
bool ParsePercent(const char* value, const char* what, int* out, std::string* error) {
    char* end = nullptr;
    const long n = std::strtol(value, &end, 10);
    if (end == value || *end != '\0' || n < -100 || n > 100) {
        *error = std::string("'") + value + "' is not " + what + ": give -100 to 100";
        return false;
    }
    *out = static_cast<int>(n);
    return true;
}

bool ApplyBrightness(const char* value, CliArgs* args, std::string* error) {
    return ParsePercent(value, "a brightness", &args->frame.adjust.brightness, error);
}

bool ApplyContrast(const char* value, CliArgs* args, std::string* error) {
    return ParsePercent(value, "a contrast", &args->frame.adjust.contrast, error);
}

bool ApplySaturation(const char* value, CliArgs* args, std::string* error) {
    return ParsePercent(value, "a saturation", &args->frame.adjust.saturation, error);
}

bool ApplyGamma(const char* value, CliArgs* args, std::string* error) {
    char* end = nullptr;
    const double gamma = std::strtod(value, &end);
    if (end == value || *end != '\0' || !(gamma >= 0.1 && gamma <= 10.0)) {
        *error = std::string("'") + value + "' is not a gamma: give 0.1 to 10 (1 leaves the tone)";
        return false;
    }
    args->frame.adjust.gamma = gamma;
    return true;
}

bool ApplyBackground(const char* value, CliArgs* args, std::string* error) {
    static const Named<bool> kBackgrounds[] = {{"white", false}, {"black", true}};
    return PickNamed(value, kBackgrounds, "a background", &args->tone.blackBackground, error);
}

bool ApplySetBit(const char* value, CliArgs* args, std::string* error) {
    static const Named<bool> kShows[] = {{"dark", false}, {"light", true}};
    bool light = false;
    if (!PickNamed(value, kShows, "what a set bit shows", &light, error)) return false;
    args->setBitLight = light;
    return true;
}

// WIDTHxHEIGHT: two whole numbers, each 1 to the largest side. `what` is
// "frame" or "image", for the error.
bool ParseSize(const char* value, const char* what, uint32_t* width, uint32_t* height, std::string* error) {
    uint64_t sides[2] = {0, 0};
    const char* at = value;
    for (int i = 0; i < 2; ++i) {
        const char* start = at;
        for (; *at >= '0' && *at <= '9' && sides[i] <= kMaxFrameSide; ++at) sides[i] = sides[i] * 10 + (*at - '0');
        const bool ended = i == 0 ? *at == 'x' || *at == 'X' : *at == '\0';
        if (at == start || !ended || sides[i] == 0 || sides[i] > kMaxFrameSide) {
            *error = std::string("'") + value + "' is not " + (what[0] == 'i' ? "an " : "a ") + what +
                     " size: give WIDTHxHEIGHT, such as 128x64, each 1 to " + std::to_string(kMaxFrameSide) + " pixels";
            return false;
        }
        ++at;
    }
    if (sides[0] * sides[1] > kMaxFramePixels) {
        *error = std::string("the ") + what + " '" + value + "' has more than " + std::to_string(kMaxFramePixels) +
                 " pixels";
        return false;
    }
    *width = static_cast<uint32_t>(sides[0]);
    *height = static_cast<uint32_t>(sides[1]);
    return true;
}

bool ApplySize(const char* value, CliArgs* args, std::string* error) {
    return ParseSize(value, "frame", &args->frame.width, &args->frame.height, error);
}

bool ApplyFit(const char* value, CliArgs* args, std::string* error) {
    static const Named<Fit> kFits[] = {
        {"contain", Fit::Contain}, {"cover", Fit::Cover}, {"stretch", Fit::Stretch}, {"none", Fit::None}};
    return PickNamed(value, kFits, "a fit", &args->frame.fit, error);
}

bool ApplyAlign(const char* value, CliArgs* args, std::string* error) {
    static const Named<int> kAligns[] = {{"center", 4},    {"top", 1},         {"bottom", 7},
                                         {"left", 3},      {"right", 5},       {"top-left", 0},
                                         {"top-right", 2}, {"bottom-left", 6}, {"bottom-right", 8}};
    int place = 4;  // 0 to 8, rows of three from the top left
    if (!PickNamed(value, kAligns, "an alignment", &place, error)) return false;
    args->frame.alignX = place % 3 - 1;
    args->frame.alignY = place / 3 - 1;
    return true;
}

bool ApplyRotate(const char* value, CliArgs* args, std::string* error) {
    static const Named<uint32_t> kTurns[] = {{"0", 0}, {"90", 90}, {"180", 180}, {"270", 270}};
    return PickNamed(value, kTurns, "a rotation (clockwise, in degrees)", &args->frame.rotate, error);
}

bool ApplyFlip(const char* value, CliArgs* args, std::string* error) {
    static const Named<int> kFlips[] = {{"h", 1}, {"v", 2}, {"hv", 3}};
    int flip = 0;
    if (!PickNamed(value, kFlips, "a flip", &flip, error)) return false;
    args->frame.flipH = (flip & 1) != 0;
    args->frame.flipV = (flip & 2) != 0;
    return true;
}

bool ApplyResample(const char* value, CliArgs* args, std::string* error) {
    static const Named<Resample> kFilters[] = {
        {"auto", Resample::Auto},         {"nearest", Resample::Nearest},        {"box", Resample::Box},
        {"triangle", Resample::Triangle}, {"catmull-rom", Resample::CatmullRom}, {"mitchell", Resample::Mitchell}};
    return PickNamed(value, kFilters, "a resampling filter", &args->frame.resample, error);
}

bool ApplyCStyle(const char* value, CliArgs* args, std::string* error) {
    static const Named<CStyle> kStyles[] = {
        {"plain", CStyle::Plain}, {"arduino", CStyle::Arduino}, {"u8g2", CStyle::U8g2}};
    CStyle style = CStyle::Plain;
    if (!PickNamed(value, kStyles, "a C style", &style, error)) return false;
    args->style = style;
    return true;
}

bool ApplyCompress(const char* value, CliArgs* args, std::string* error) {
    if (CompressionNamed(value, &args->compression)) return true;
    *error = std::string("'") + value + "' is not a compression: give rle or lz4";
    return false;
}

bool ApplyPerLine(const char* value, CliArgs* args, std::string* error) {
    char* end = nullptr;
    const unsigned long count = std::strtoul(value, &end, 10);
    if (end == value || *end != '\0' || value[0] == '-' || count < 1 || count > 4096) {
        *error = std::string("'") + value + "' is not a count of values a line: give 1 to 4096";
        return false;
    }
    args->perLine = static_cast<uint32_t>(count);
    return true;
}

bool ApplyReadArray(const char* value, CliArgs* args, std::string* error) {
    if (!ParseSize(value, "image", &args->read.width, &args->read.height, error)) return false;
    args->read.given = true;
    return true;
}

// A preset's name, or the packing flags without their dashes, by commas.
bool ApplyReadLayout(const char* value, CliArgs* args, std::string* error) {
    ConvertOptions layout = {};
    SetDefaultOptions(&layout);
    if (const Preset* preset = FindPreset(value)) {
        layout = preset->layout;
    } else {
        for (const char* at = value; *at;) {
            const char* comma = std::strchr(at, ',');
            const std::string word = "--" + std::string(at, comma ? comma - at : std::strlen(at));
            const CliOption* flag = FindCliOption(word.c_str());
            if (!flag || flag->section != HelpSection::Packing || flag->takes != Takes::Nothing) {
                *error = std::string("'") + value + "' is not a layout: give a preset's name, or packing flags " +
                         "without their dashes, such as lsb-first,bits-horizontal";
                return false;
            }
            CliArgs set;
            flag->apply(nullptr, &set, error);
            ApplyOverrides(set, &layout);
            at = comma ? comma + 1 : at + std::strlen(at);
        }
    }
    args->read.layout = layout;
    return true;
}

typedef CliArgs R;

}  // namespace

// The order of the rows is the order of the help.
const CliOption kCliOptions[] = {
    // Input, and how it becomes 1-bit.
    {"--threshold", nullptr, Takes::Value, "N", "a level, 0 to 255 or 0% to 100%", ApplyThreshold, HelpSection::Input,
     "0 to 255, or a percentage such as 40% (default 50%)"},
    {"--brightness", nullptr, Takes::Value, "N", "-100 to 100", ApplyBrightness, HelpSection::Input,
     "lighten (up to 100) or darken (down to -100) the picture by\n"
     "that share of white, before it is scaled into the frame (the\n"
     "frame's margins stay the background); at every depth, palette\n"
     "and colour format"},
    {"--contrast", nullptr, Takes::Value, "N", "-100 to 100", ApplyContrast, HelpSection::Input,
     "spread the picture's tones from mid grey: 100 twice as far,\n"
     "-100 all mid grey, 0 as it is"},
    {"--saturation", nullptr, Takes::Value, "N", "-100 to 100", ApplySaturation, HelpSection::Input,
     "draw each colour away from its grey (up to 100: twice as far)\n"
     "or towards it (-100: grey); colour images only"},
    {"--gamma", nullptr, Takes::Value, "G", "0.1 to 10", ApplyGamma, HelpSection::Input,
     "each value v becomes 255 (v / 255)^(1 / G), first of the\n"
     "tone's adjustments: above 1 lighter mid tones (shadows\n"
     "opened), below 1 darker; 1 leaves them"},
    {"--dither", nullptr, Takes::OptionalValue, "KIND", nullptr, ApplyDither, HelpSection::Input,
     "dither instead of a plain threshold: fs (the default,\n"
     "Floyd-Steinberg error diffusion, for photographs),\n"
     "atkinson (3/4 of the error spread, clean highlights),\n"
     "bayer (ordered, 8 x 8: steady when an animation's frames\n"
     "change), or none. --threshold stays the decision level",
     "fs atkinson bayer none"},
    {"--serpentine", nullptr, Takes::Nothing, nullptr, nullptr, ApplySerpentine, HelpSection::Input,
     "with fs or atkinson: walk every other row from its right end,\n"
     "the error spread mirrored, so that the error does not\n"
     "always drift one way (the worms in flat dark areas)"},
    {"--background", nullptr, Takes::Value, "COLOUR", "white or black", ApplyBackground, HelpSection::Input,
     "white (default) or black: what alpha is composited over,\n"
     "and the margins of a frame",
     "white black"},
    {"--depth", nullptr, Takes::Value, "N", "a depth: 1, 2, 4 or 8", ApplyDepth, HelpSection::Input,
     "bits a pixel: 1 (the default: a set bit is a dark pixel), or\n"
     "2, 4 or 8: 4, 16 or 256 evenly spaced levels of grey, the\n"
     "value its brightness, 0 black (off) to the highest white\n"
     "(full on), as SSD1322/SSD1327 OLEDs, 4-grey e-paper and\n"
     "LVGL's L8 take them. Each grey takes its nearest level; a\n"
     "dither works between the two levels each grey lies between,\n"
     "so a flat grey gives those two in its own proportion.\n"
     "--threshold is for depth 1 only",
     "1 2 4 8"},
    {"--invert", nullptr, Takes::Nothing, nullptr, nullptr, SetFlag<&R::invert, true>, HelpSection::Input,
     "swap dark and light, for every input (at depth 2 up, each\n"
     "value v becomes the highest less v)"},
    {"--no-invert", nullptr, Takes::Nothing, nullptr, nullptr, SetFlag<&R::invert, false>, HelpSection::Input,
     "do not swap them, also after a preset that does"},

    // Colour.
    {"--palette", nullptr, Takes::Value, "NAME|COLOURS", "a palette's name, or colours such as #000000,#FFFFFF",
     ApplyPalette, HelpSection::Colour,
     "the display's colours in the order of the values it reads,\n"
     "the first value 0: a name below, or #RRGGBB colours by\n"
     "commas (- for a value the display does not take), each\n"
     "with =#RRGGBB if the panel's ink looks otherwise (a red\n"
     "value whose ink is a dull red: #FF0000=#B21318). The inks\n"
     "are what the choice, the error and --preview and --png go\n"
     "by; the photograph's black and white become the darkest\n"
     "and the lightest ink's, channel by channel in light. Each\n"
     "pixel takes its nearest colour, or with --dither a mix.\n"
     "Nearest is judged in OKLab, whose distances follow what the\n"
     "eye sees (in sRGB values a dark red lies nearer black than\n"
     "red), with hue and colourfulness counted twice; a grey\n"
     "takes black, white or a grey ink, never an ink as light.\n"
     "Pure black, white, red, yellow, green and blue take the ink\n"
     "of their own hue whatever its RGB. Floyd-Steinberg and\n"
     "Atkinson carry the error in linear light, as the eye\n"
     "averages the dots' light: a patch between two inks gets\n"
     "them in the proportion of its light; Bayer mixes the two\n"
     "inks whose blend comes nearest. 2 colours make 1 bit a\n"
     "value, up to 4 2 bits, up to 16 4 bits, up to 256 8 bits,\n"
     "packed as --depth packs levels. The named palettes:",
     "{palettes}"},
    {"--ideal-inks", nullptr, Takes::Nothing, nullptr, nullptr, SetTrue<&R::idealInks>, HelpSection::Colour,
     "take each palette colour's ink to be the colour itself, as\n"
     "if the panel showed pure red for red: the named palettes'\n"
     "measured inks are set aside, in the choice and in --preview\n"
     "and --png (the bytes are the same values either way)"},
    {"--color", nullptr, Takes::Value, "FORMAT", "rgb565, rgb332, rgb888, argb8888, rgb565a8 or argb8565", ApplyColour,
     HelpSection::Colour,
     "each pixel's own colour, no palette: rgb565 (2 bytes,\n"
     "(R >> 3) << 11 | (G >> 2) << 5 | B >> 3), rgb332 (1 byte,\n"
     "(R >> 5) << 5 | (G >> 5) << 2 | B >> 6), rgb888 (3 bytes,\n"
     "0xRRGGBB), argb8888 (4 bytes, 0xAARRGGBB, alpha kept) or\n"
     "rgb565a8 (LVGL's: the RGB565 values, then a byte of alpha\n"
     "each) or argb8565 (LVGL's: 3 bytes, the RGB565 value then\n"
     "alpha). Alpha is composited over --background where it is\n"
     "not kept. Each channel keeps its top bits; --dither spreads\n"
     "the error between its steps instead. A line of bytes is a\n"
     "row (--bytes-horizontal) or a column (--bytes-vertical)",
     "rgb565 rgb332 rgb888 argb8888 rgb565a8 argb8565"},
    {"--byte-order", nullptr, Takes::Value, "le|be", "le or be", ApplyByteOrder, HelpSection::Colour,
     "the bytes of a --color value of 2 bytes or more: le (the\n"
     "default) least significant first, as LVGL and most MCUs\n"
     "hold them in memory; be most significant first, the order\n"
     "ST7735 and ILI9341 take on the wire. With --c-words each\n"
     "value is what those bytes make on a little-endian MCU: be\n"
     "swaps its bytes (red 0x00F8)",
     "le be"},
    {"--c-words", nullptr, Takes::Nothing, nullptr, nullptr, SetFlag<&R::words, true>, HelpSection::Colour,
     "with --c-array and --color rgb565 (or argb8888): each pixel\n"
     "one const uint16_t (uint32_t) value, such as 0x07E0, as\n"
     "Adafruit GFX drawRGBBitmap and TFT_eSPI pushImage take them"},
    {"--c-bytes", nullptr, Takes::Nothing, nullptr, nullptr, SetFlag<&R::words, false>, HelpSection::Colour,
     "write bytes, also after a preset that writes values"},
    {"--plane-ink", nullptr, Takes::Value, "B,C", "two bits, such as 0,0", ApplyPlaneInk, HelpSection::Colour,
     "with --planes and a three-colour palette: the bit that\n"
     "means black in the black/white plane (B) and the bit that\n"
     "means the ink in the colour plane (C), the other bit white\n"
     "or no ink. The default is 1,1, a set bit the ink as a set\n"
     "bit is dark at 1 bit; GxEPD2 takes 0,0 (--preset epaper-bwr)",
     "0,0 0,1 1,0 1,1"},

    // The frame.
    {"--size", nullptr, Takes::Value, "WxH", "a frame size, WIDTHxHEIGHT", ApplySize, HelpSection::Frame,
     "the frame, usually the display's resolution, such as\n"
     "128x64: the output is exactly W x H. Without it the frame\n"
     "is the (rotated) image's own size and nothing is scaled"},
    {"--fit", nullptr, Takes::Value, "MODE", "contain, cover, stretch or none", ApplyFit, HelpSection::Frame,
     "contain (the default: the whole image, proportions kept),\n"
     "cover (the frame filled, proportions kept, the overflow\n"
     "cut off), stretch (each axis to the frame), or none (the\n"
     "image's own size, placed in the frame)",
     "contain cover stretch none"},
    {"--align", nullptr, Takes::Value, "WHERE", "a side or a corner", ApplyAlign, HelpSection::Frame,
     "center (the default), top, bottom, left, right, top-left,\n"
     "top-right, bottom-left or bottom-right: where the image\n"
     "sits in the frame, or which part stays when it overflows.\n"
     "Centred, the odd pixel of a margin or of the part cut off\n"
     "goes to the right and the bottom",
     "center top bottom left right top-left top-right bottom-left bottom-right"},
    {"--rotate", nullptr, Takes::Value, "DEGREES", "90, 180 or 270", ApplyRotate, HelpSection::Frame,
     "90, 180 or 270, clockwise (0 leaves the image as it is)", "0 90 180 270"},
    {"--flip", nullptr, Takes::Value, "h|v|hv", "h, v or hv", ApplyFlip, HelpSection::Frame,
     "mirror left-right, top-bottom or both, after the rotation", "h v hv"},
    {"--resample", nullptr, Takes::Value, "FILTER", "a filter", ApplyResample, HelpSection::Frame,
     "auto (the default, stb_image_resize's choice: Mitchell-\n"
     "Netravali when shrinking, Catmull-Rom when enlarging),\n"
     "box, triangle, catmull-rom, mitchell, or nearest (each\n"
     "pixel from the nearest one: a whole-number enlargement\n"
     "repeats every pixel exactly, for pixel art and icons).\n"
     "The filters work on the grey levels as they are (sRGB),\n"
     "not in linear light, as browsers and ImageMagick do",
     "auto nearest box triangle catmull-rom mitchell"},

    // Where the output goes and what form it takes.
    {"--output", "-o", Takes::Value, "FILE", "a file name", SetText<&R::output>, HelpSection::Output,
     "write the one input's output to FILE (- for standard output)"},
    {"--out-dir", nullptr, Takes::Value, "DIR", "a folder", SetText<&R::outDir>, HelpSection::Output,
     "write each output into the folder DIR (made if missing)"},
    {"--c-array", nullptr, Takes::Value, "NAME", "an array name", SetNamedFormat<OutputFormat::CArray>,
     HelpSection::Output,
     "write a C declaration: static const unsigned char NAME[N] =\n"
     "{...}; with NAME_width and NAME_height beside it and a\n"
     "comment naming the source, its size and the layout. NAME is\n"
     "a C identifier and no C or C++ keyword; with several\n"
     "inputs, each array is named NAME_<input name>, and with -o\n"
     "they all go into that one header, followed by the tables\n"
     "NAME_images (pointers), NAME_widths, NAME_heights and\n"
     "NAME_count, in input order, inside an include guard. A\n"
     "header's data is static, so that any number of files may\n"
     "include it; -o NAME.c (.cpp, .ino) writes it const alone"},
    {"--c-style", nullptr, Takes::Value, "STYLE", "plain, arduino or u8g2", ApplyCStyle, HelpSection::Output,
     "the flavour of --c-array: plain (the default), arduino\n"
     "(static const unsigned char NAME[] PROGMEM, in flash on AVR:\n"
     "<avr/pgmspace.h> from avr-libc, <pgmspace.h> on ESP8266\n"
     "and ESP32; it starts from the adafruit-gfx layout, which\n"
     "Adafruit GFX drawBitmap(x, y, NAME, NAME_width,\n"
     "NAME_height, color) reads), or u8g2 (static const\n"
     "unsigned char NAME_bits[] U8X8_PROGMEM with #define\n"
     "NAME_width and NAME_height, the names of u8g2's drawXBMP\n"
     "examples, in the xbm layout drawXBMP reads)",
     "plain arduino u8g2"},
    {"--example", nullptr, Takes::OptionalValue, "FILE", nullptr, SetExample, HelpSection::Output,
     "with --c-array or --lvgl and -o, also write a complete program\n"
     "that draws the image with the display's library: an Arduino\n"
     "sketch beside the header (FILE, or -o's name with .ino) for\n"
     "Adafruit_SSD1306 (drawBitmap: the adafruit-gfx layout at 1 bit,\n"
     "as --c-style arduino gives; or its buffer, with --preset ssd1306),\n"
     "u8g2 (--c-style u8g2: drawXBMP),\n"
     "GxEPD2_3C (--preset epaper-bwr or epaper-bwy: drawImage) or\n"
     "TFT_eSPI (--preset tft-espi: pushImage), or for --lvgl a C file\n"
     "(NAME_example.c) whose show_NAME() calls lv_image_set_src"},
    {"--per-line", nullptr, Takes::Value, "N", "a count of values", ApplyPerLine, HelpSection::Output,
     "values a line in the C forms (default 16)"},
    {"--xbm", nullptr, Takes::OptionalValue, "NAME", nullptr, SetNamedFormat<OutputFormat::Xbm>, HelpSection::Output,
     "write an XBM file (#define NAME_width, NAME_height, static\n"
     "unsigned char NAME_bits[]), as GIMP, ImageMagick and u8g2\n"
     "read it; NAME defaults to the input's name. It takes the\n"
     "xbm layout, and refuses another"},
    {"--lvgl-format", nullptr, Takes::Value, "FORMAT", "an LVGL colour format", ApplyLvglFormat, HelpSection::Output,
     "the colour format of --lvgl (LVGL's src/misc/lv_color.h):\n"
     "I1, I2, I4 or I8 (the default, by the depth: a palette of\n"
     "2^depth greys, entry v the grey of level v, or with\n"
     "--palette its colours, then the indices), L8 (the grey\n"
     "itself, a byte a pixel), A1, A2, A4 or A8 (coverage, for an\n"
     "icon LVGL tints: the image's alpha, or where it has none its\n"
     "darkness), or RGB565, RGB565A8 (the RGB565 rows, then a\n"
     "byte of alpha a pixel), RGB888 (B, G, R) or ARGB8888 (B, G,\n"
     "R, A), little-endian, the default for --color; or\n"
     "RGB565_SWAPPED (RGB565, the high byte first) or ARGB8565\n"
     "(the RGB565 value, then alpha: --color argb8565). It sets\n"
     "the depth or the colour format; a different one is a mistake",
     "I1 I2 I4 I8 L8 A1 A2 A4 A8 RGB565 RGB565A8 RGB888 ARGB8888 RGB565_SWAPPED ARGB8565"},
    {"--lvgl", nullptr, Takes::Value, "NAME", "an image name", SetNamedFormat<OutputFormat::Lvgl>, HelpSection::Output,
     "write a C file with an LVGL v9 image descriptor,\n"
     "const lv_image_dsc_t NAME, in LV_COLOR_FORMAT_I1: a\n"
     "palette of two colours (index 0 white, index 1 black),\n"
     "then rows with the first pixel in bit 7, a set bit dark\n"
     "(light with --invert), stride (width + 7) / 8, data_size\n"
     "the palette and rows; magic LV_IMAGE_HEADER_MAGIC, flags\n"
     "0. At depth 2 up I2, I4 or I8, or the --lvgl-format: rows\n"
     "of (width x depth + 7) / 8 bytes, the first pixel in the\n"
     "high bits. Checked against LVGL's src/draw/lv_image_dsc.h,\n"
     "src/misc/lv_color.h and scripts/LVGLImage.py; it compiles\n"
     "as C99 and C++ with -Wall -Wextra -Wpedantic"},
    {"--lvgl-version", nullptr, Takes::Value, "8|9", "8 or 9", ApplyLvglVersion, HelpSection::Output,
     "the LVGL --lvgl writes for: 9 (the default) or 8, an LVGL\n"
     "8 lv_img_dsc_t (LVGL 8.3's src/draw/lv_img_buf.h): I1 to I8\n"
     "as LV_IMG_CF_INDEXED_1BIT to _8BIT, A1 to A8 as\n"
     "LV_IMG_CF_ALPHA_1BIT to _8BIT (the same bytes as LVGL 9's),\n"
     "--color as LV_IMG_CF_TRUE_COLOR (with alpha where the colour\n"
     "keeps it: _TRUE_COLOR_ALPHA, each colour then its alpha),\n"
     "written for each LV_COLOR_DEPTH as LVGL 8's converter writes\n"
     "it: 8 (RGB332), 16 (RGB565, swapped under LV_COLOR_16_SWAP),\n"
     "32 (B, G, R, A). LVGL 8 takes images up to 2047 pixels wide\n"
     "and high, and has no L8, RGB565_SWAPPED, ARGB8565, RGB565A8,\n"
     "compression or image file of LVGL 9's kind",
     "8 9"},
    {"--lvgl-bin", nullptr, Takes::Nothing, nullptr, nullptr, SetFormat<OutputFormat::LvglBin>, HelpSection::Output,
     "write the same LVGL v9 image as an image file (.bin) for\n"
     "LVGL's file system, lv_image_set_src(img, \"S:/NAME.bin\"): the\n"
     "12-byte lv_image_header_t (magic 0x19, the colour format,\n"
     "flags, width, height, stride, 0; little-endian), then the\n"
     "palette and rows, or the --compress data. As LVGL's\n"
     "src/libs/bin_decoder/lv_bin_decoder.c reads it"},
    {"--compress", nullptr, Takes::Value, "METHOD", "a compression", ApplyCompress, HelpSection::Output,
     "compress an --lvgl or --lvgl-bin image's data: rle (LVGL's\n"
     "src/libs/rle/lv_rle.c: runs of a pixel's bytes, the shortest\n"
     "stream, never a control byte 0x00 or 0x80; LVGL needs\n"
     "LV_USE_RLE) or lz4 (an LZ4 block, the smaller of liblz4's\n"
     "default and highest HC mode; LV_USE_LZ4_INTERNAL or\n"
     "_EXTERNAL). The data is LVGL's lv_image_compressed_t: method,\n"
     "compressed and decompressed sizes, then the stream; flags\n"
     "LV_IMAGE_FLAGS_COMPRESSED. LVGL decompresses it into RAM\n"
     "(LV_BIN_DECODER_RAM_LOAD) as decompress_image() in\n"
     "lv_bin_decoder.c does: the whole image's bytes.\n"
     "With --c-array or --binary, rle is this project's own code for\n"
     "small microcontrollers, which firmware/quillgrid_rle.h\n"
     "(zero-clause BSD; copy it beside the header) decodes a band\n"
     "of lines at a time from flash, handing each band to a\n"
     "callback: for drawBitmap, drawRGBBitmap, pushImage or\n"
     "writeImage. The C array adds NAME_line_bytes and NAME_lines\n"
     "for the band buffer",
     "rle lz4"},
    {"--binary", nullptr, Takes::Nothing, nullptr, nullptr, SetFormat<OutputFormat::Binary>, HelpSection::Output,
     "write the packed bytes themselves, line after line"},
    {"--bmp", nullptr, Takes::Nothing, nullptr, nullptr, SetFormat<OutputFormat::Bmp>, HelpSection::Output,
     "write the 1-bit image as a BMP the Windows program opens;\n"
     "at depth 2 up a 4-bit or 8-bit BMP of the levels' greys"},
    {"--png", nullptr, Takes::Nothing, nullptr, nullptr, SetFormat<OutputFormat::Png>, HelpSection::Output,
     "write the image as the display will show it, a PNG\n"
     "(stb_image_write): 8-bit grey for 1 bit (a set bit light where\n"
     "the preset's panel lights it) and levels of grey, RGB for a\n"
     "palette or colour, RGBA where the colour format keeps alpha"},
    {"--frames", nullptr, Takes::Value, "LIST", "a list of frames, such as 0-9,12", ApplyFrames, HelpSection::Output,
     "an animated GIF's frames to write, counted from 0: frames\n"
     "and ranges by commas, such as 0-9,12. Without it, every\n"
     "frame. The C forms put the frames into one header: the\n"
     "arrays NAME_0, NAME_1 ..., then NAME_frames (pointers, in\n"
     "order), NAME_delays (milliseconds, as the file says),\n"
     "NAME_frame_count, and NAME_width and NAME_height, which all\n"
     "frames share; array text and --binary write the frames one\n"
     "after another, --out-dir one file a frame (NAME-0.txt ...).\n"
     "--bmp, --png, --xbm and --preview write the first, or the\n"
     "one --frames names. A still background stays still: a pixel\n"
     "whose colour is the frame before's takes that frame's value,\n"
     "so that a dither's error does not crawl across it"},
    {"--delay", nullptr, Takes::Value, "MS", "a delay in milliseconds", ApplyDelay, HelpSection::Output,
     "every frame's delay, instead of the file's (a GIF whose\n"
     "frames have a delay of 0, which browsers show for 100 ms, is\n"
     "refused by the C forms without it)"},
    {"--depfile", nullptr, Takes::Value, "FILE", "a file name", SetText<&R::depfile>, HelpSection::Output,
     "also write FILE: the outputs' dependencies (each input, and\n"
     "--settings) as make, ninja and CMake's DEPFILE read them"},
    {"--planes", nullptr, Takes::Nothing, nullptr, nullptr, SetTrue<&R::planes>, HelpSection::Output,
     "at depth 2 up, write each bit of the values as a 1-bit\n"
     "plane, the high bit's first, each in the packing options'\n"
     "layout, a set bit where that bit is 1: Waveshare's 4-grey\n"
     "drivers (EPD_4IN2_4GrayDisplay) send the high bit's plane\n"
     "with command 0x10 and the low bit's with 0x13. With a\n"
     "three-colour palette (black, white, then the ink): the\n"
     "black/white plane, then the colour plane (--plane-ink), which\n"
     "the C forms write as two arrays, NAME_black and NAME_red (or\n"
     "_yellow, or _colour); epaper-bwr and epaper-bwy write planes"},
    {"--set-bit", nullptr, Takes::Value, "SHOWS", "dark or light", ApplySetBit, HelpSection::Output,
     "what the display shows a 1-bit image's set bit as, in --png,\n"
     "--bmp's palette and --preview: dark (ink on paper or an LCD, the\n"
     "default) or light (a lit OLED pixel, as ssd1306 sets, or white\n"
     "paper, as epaper sets); a library's drawBitmap draws set bits\n"
     "in the sketch's colour. The bytes stay as they are",
     "dark light"},
    {"--no-planes", nullptr, Takes::Nothing, nullptr, nullptr, SetTrue<&R::noPlanes>, HelpSection::Output,
     "the values as they are, not planes, where a preset\n"
     "(epaper-bwr, epaper-bwy) would write planes"},
    {"--info", nullptr, Takes::Nothing, nullptr, nullptr, SetTrue<&R::info>, HelpSection::Output,
     "describe each input (size, source size when the frame\n"
     "changed it, stride, dark palette entry or the depth, pixels\n"
     "a byte and levels, layout, preset, items per line, line\n"
     "count); convert nothing"},
    {"--preview", nullptr, Takes::OptionalValue, "STYLE", nullptr, ApplyPreview, HelpSection::Output,
     "print the image, after every step, two pixel rows a line\n"
     "in half blocks; at depth 2 up in grey with 24-bit colour\n"
     "escapes where the output is a terminal that takes colour\n"
     "(not TERM=dumb, no NO_COLOR), else one row a line in the\n"
     "ramp ' .:-=+*#%@' (light to dark). --preview=ascii: one row\n"
     "a line, in # and . or the ramp; --preview=colour: colour\n"
     "whatever the output. Converts nothing, like --info",
     "blocks ascii colour"},

    // Reading packed bytes back.
    {"--read-array", nullptr, Takes::Value, "WxH", "the image's size, WIDTHxHEIGHT", ApplyReadArray,
     HelpSection::ReadBack,
     "read each input as the bytes of a W x H image: array text\n"
     "(\", 0xA0, 0x60\"), a C initializer between braces (hex,\n"
     "decimal, octal or 0b values, comments skipped, as --c-array\n"
     "and --xbm write them), or with --binary the bytes\n"
     "themselves. They are unpacked in the packing options'\n"
     "layout at the --depth (the fill bits are left out) and the\n"
     "image goes to any output: --preview, --bmp, --png, array\n"
     "text, C forms. Too few bytes are refused, more are a warning"},
    {"--read-layout", nullptr, Takes::Value, "LAYOUT", "a layout", ApplyReadLayout, HelpSection::ReadBack,
     "read in this layout instead, so that the packing options\n"
     "write another: a preset's name, or packing flags without\n"
     "their dashes, by commas (lsb-first,bits-horizontal)",
     "{presets}"},
    {"--guess-layout", nullptr, Takes::Nothing, nullptr, nullptr, SetGuess, HelpSection::ReadBack,
     "read the bytes in all eight packings and list them, most\n"
     "picture-like first, by the bits an adaptive model of each\n"
     "pixel's neighbours needs to code the image (a picture is\n"
     "predictable, a wrong packing scatters its pixels), then\n"
     "preview the first. An image read across instead of down\n"
     "can score the same, a square one most of all: the list\n"
     "says so when the first two tie"},

    // Fonts.
    {"--gfx-font", nullptr, Takes::Value, "NAME", "a font name", SetFontForm<FontFormat::AdafruitGfx>,
     HelpSection::Fonts,
     "write an Adafruit GFX font (GFXfont) named NAME, for\n"
     "display.setFont(&NAME): 1 bit, characters 0x00 to 0xFF\n"
     "(print() takes a byte). Glyphs stand as Adafruit's\n"
     "fontconvert places them. Characters missing between the\n"
     "first and the last cost an empty glyph each (7 bytes on an\n"
     "AVR, 8 on 32 bits): --info says how many. Checked against\n"
     "Adafruit_GFX::drawChar and write() (Adafruit_GFX.cpp)"},
    {"--vlw", nullptr, Takes::Nothing, nullptr, nullptr, SetFontFile<FontFormat::VlwFile>, HelpSection::Fonts,
     "write a TFT_eSPI smooth font file (.vlw), for\n"
     "tft.loadFont(\"name\") from SPIFFS, LittleFS or an SD card:\n"
     "8-bit alpha, code points to 0xFFFF. Checked against\n"
     "TFT_eSPI's loadFont(), loadMetrics() and drawGlyph()\n"
     "(Extensions/Smooth_font.cpp)"},
    {"--vlw-array", nullptr, Takes::Value, "NAME", "an array name", SetFontForm<FontFormat::VlwArray>,
     HelpSection::Fonts,
     "the same bytes as a C array NAME in flash, for\n"
     "tft.loadFont(NAME)"},
    {"--lvgl-font", nullptr, Takes::Value, "NAME", "a font name", SetFontForm<FontFormat::Lvgl>, HelpSection::Fonts,
     "write an LVGL 9 font, a C file of const lv_font_t NAME, for\n"
     "LV_FONT_DECLARE(NAME) and lv_obj_set_style_text_font():\n"
     "4 bits a pixel unless --font-bits says; character maps of\n"
     "ranges and sparse lists, chosen for size. Checked against\n"
     "lv_font_get_glyph_dsc_fmt_txt() and\n"
     "lv_font_get_bitmap_fmt_txt() (src/font/fmt_txt)"},
    {"--lvgl-font-bin", nullptr, Takes::Nothing, nullptr, nullptr, SetFontFile<FontFormat::LvglBin>, HelpSection::Fonts,
     "write the same LVGL font as LVGL's binary font file (.bin),\n"
     "for lv_binfont_create(\"S:font.bin\") from a file system at\n"
     "run time: --font-bits and --font-compress as for\n"
     "--lvgl-font. Checked against lv_binfont_loader.c"},
    {"--u8g2-font", nullptr, Takes::Value, "NAME", "a font name", SetFontForm<FontFormat::U8g2>, HelpSection::Fonts,
     "write a u8g2 font, a header of the array NAME, for\n"
     "u8g2.setFont(NAME): 1 bit, characters to 0xFFFF, in the\n"
     "bytes u8g2's bdfconv writes for a BDF in its proportional\n"
     "mode (-b 0). The glyph sets u8g2-f, u8g2-r, u8g2-n and\n"
     "u8g2-u are its fonts' _tf, _tr, _tn and _tu. Checked\n"
     "against u8g2_font_decode_glyph() and\n"
     "u8g2_font_get_glyph_data() (csrc/u8g2_font.c)"},
    {"--font-bits", nullptr, Takes::Value, "N", "1, 2, 4 or 8", ApplyFontBits, HelpSection::Fonts,
     "bits of coverage a pixel, for --lvgl-font: 1, 2, 4 or 8", "1 2 4 8"},
    {"--font-compress", nullptr, Takes::Nothing, nullptr, nullptr, SetFontCompress, HelpSection::Fonts,
     "compress an --lvgl-font's bitmaps as LVGL's decoder reads\n"
     "them (2 or 4 bits a pixel; lines XORed with the one above\n"
     "where that is smaller); LVGL needs LV_USE_FONT_COMPRESSED"},
    {"--font-size", nullptr, Takes::Value, "PIXELS", "a size in pixels", ApplyFontSize, HelpSection::Fonts,
     "the em in pixels, as FreeType's pixel size (a 16 gives\n"
     "capitals of about 11 and lines of about 19: --info says);\n"
     "a bitmap font (BDF, PCF) takes its own size, or none"},
    {"--glyphs", nullptr, Takes::Value, "SET", "a glyph set, such as 0x20-0x7E", ApplyGlyphs, HelpSection::Fonts,
     "the characters: code points and ranges (0x20-0x7E,0xB0,\n"
     "U+2013, 65) and sets (ascii, latin1, digits, kana), by\n"
     "commas; given more than once, all of them. Without it\n"
     "and --text: ascii"},
    {"--chars", nullptr, Takes::Value, "TEXT", "characters", ApplyChars, HelpSection::Fonts,
     "these characters join the set, as typed: --chars '°C%'"},
    {"--text", nullptr, Takes::Value, "FILE", "a text file", SetTextFile, HelpSection::Fonts,
     "the characters of a UTF-8 text file join the set (a UI's\n"
     "strings: the way to a small CJK font)"},
    {"--sample", nullptr, Takes::Value, "TEXT", "a text", SetSample, HelpSection::Fonts,
     "the text --preview, --png and --bmp draw (\\n breaks a\n"
     "line); by default the set's first 48 characters"},
    {"--hinting", nullptr, Takes::Value, "HOW", "font, auto or none", ApplyHinting, HelpSection::Fonts,
     "font (the default: the font's own hints, which make small\n"
     "text crisp in 1 bit), auto (FreeType's autohinter) or none",
     "font auto none"},
    {"--face", nullptr, Takes::Value, "N", "a face number", ApplyFace, HelpSection::Fonts,
     "the face of a font collection (.ttc), from 0"},
    {"--strict", nullptr, Takes::Nothing, nullptr, nullptr, SetStrict, HelpSection::Fonts,
     "refuse the run when a character of the set is in no font"},

    // The packing.
    {"--settings", nullptr, Takes::Value, "FILE.dat", "a file name", SetText<&R::settings>, HelpSection::Packing,
     "start from the options stored by the Windows program"},
    {"--preset", nullptr, Takes::Value, "NAME", "a preset name", ApplyPreset, HelpSection::Presets,
     "start from the layout (and --invert) that draws the bytes:", "{presets}"},
    {"--msb-first", nullptr, Takes::Nothing, nullptr, nullptr, SetFlag<&R::msbReverse, false>, HelpSection::Packing,
     "the first pixel of a byte in bit 7 (in the high bits)"},
    {"--lsb-first", nullptr, Takes::Nothing, nullptr, nullptr, SetFlag<&R::msbReverse, true>, HelpSection::Packing,
     "the first pixel of a byte in bit 0 (at depth 2 and 4, in\n"
     "the low bits: at 4 the nibbles swap; at 8 no matter)"},
    {"--bits-vertical", nullptr, Takes::Nothing, nullptr, nullptr, SetFlag<&R::bitHorizontal, false>,
     HelpSection::Packing, "a byte is 8 pixels of a column"},
    {"--bits-horizontal", nullptr, Takes::Nothing, nullptr, nullptr, SetFlag<&R::bitHorizontal, true>,
     HelpSection::Packing, "a byte is 8 pixels of a row"},
    {"--bytes-horizontal", nullptr, Takes::Nothing, nullptr, nullptr, SetFlag<&R::byteHorizontal, true>,
     HelpSection::Packing, "a line of bytes runs rightwards"},
    {"--bytes-vertical", nullptr, Takes::Nothing, nullptr, nullptr, SetFlag<&R::byteHorizontal, false>,
     HelpSection::Packing, "a line of bytes runs downwards"},
    {"--fill-zero", nullptr, Takes::Nothing, nullptr, nullptr, SetFlag<&R::fillOnes, false>, HelpSection::Packing,
     "the spare bits of a partial byte are 0"},
    {"--fill-one", nullptr, Takes::Nothing, nullptr, nullptr, SetFlag<&R::fillOnes, true>, HelpSection::Packing,
     "the spare bits of a partial byte are 1"},

    {"--help", "-h", Takes::Nothing, nullptr, nullptr, SetTrue<&R::help>, HelpSection::Other,
     "show this text; -h shows one screen: the options most used\n"
     "and an example for each kind of display"},
    {"--version", nullptr, Takes::Nothing, nullptr, nullptr, SetTrue<&R::version>, HelpSection::Other,
     "show the version"},
};

const size_t kCliOptionCount = sizeof kCliOptions / sizeof kCliOptions[0];

const CliOption* FindCliOption(const char* name) {
    for (const CliOption& option : kCliOptions) {
        if (std::strcmp(name, option.longName) == 0 || (option.shortName && std::strcmp(name, option.shortName) == 0))
            return &option;
    }
    return nullptr;
}
