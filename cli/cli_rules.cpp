#include "cli/cli_rules.h"

#include <cstring>

#include "cli/conversion.h"
#include "forms/lvgl8_image.h"

namespace {

typedef const CliArgs& A;
typedef const Conversion& C;

// What the rules ask of the conversion.
bool Shows(A a) { return a.info || a.preview || a.read.guess; }
const char* Showing(A a) { return a.info ? "--info" : a.preview ? "--preview" : "--guess-layout"; }
bool HasPalette(C c) { return !c.image.palette.Empty(); }
bool HasDirect(C c) { return IsDirect(c.image.format); }
bool InColour(C c) { return HasPalette(c) || HasDirect(c); }
// Bits a pixel: the palette's, 1 for direct colour, else the format's.
uint32_t Depth(C c) {
    if (HasPalette(c)) return c.image.palette.Depth();
    return HasDirect(c) ? 1 : BitsOf(c.image.format);
}
bool U8g2(C c) { return c.form == OutputFormat::CArray && c.formOptions.style == CStyle::U8g2; }
bool ThreeColours(C c) { return c.image.palette.Size() == 3; }
std::string PaletteName(C c) {
    return "--palette " + (c.image.palette.name.empty() ? std::string("given") : c.image.palette.name);
}
bool WordsAsked(A a) { return a.words && *a.words; }

bool StandardInputNamed(A a) {
    for (const char* input : a.inputs)
        if (std::strcmp(input, "-") == 0) return true;
    return false;
}

bool FormsDiffer(C c) {
    for (OutputFormat format : c.formsNamed)
        if (format != c.formsNamed.front()) return true;
    return false;
}

// The flags of the forms that write a file: "--c-array, --binary, ...".
std::string FormFlags(const char* last) {
    std::vector<std::string> flags;
    for (const OutputFormRow& row : OutputForms())
        if (row.writes && row.flag[0]) flags.push_back(row.flag);
    std::string text;
    for (size_t i = 0; i < flags.size(); ++i) text += (i == 0 ? "" : i + 1 == flags.size() ? last : ", ") + flags[i];
    return text;
}

// How many frames --frames names, counting a frame named twice twice.
uint64_t FramesNamed(A a) {
    uint64_t count = 0;
    for (const auto& range : a.frames) count += range.second - range.first + 1;
    return count;
}

bool Lvgl8(C c) { return c.formOptions.lvglVersion == 8; }

bool LayoutGiven(A a) { return a.preset || a.settings || a.msbReverse || a.bitHorizontal || a.byteHorizontal; }

std::string LvglName(A a) { return std::string("--lvgl-format ") + a.lvglFormat->name; }

// The layout the form's reader takes, against the one given.
bool LayoutRefused(C c) {
    const ConvertOptions* fixed = c.Form().form.FixedLayout(c.formOptions);
    const ConvertOptions& given = c.pack.layout;
    return fixed && !(given.msbReverse == fixed->msbReverse && given.bitHorizontal == fixed->bitHorizontal &&
                      given.byteHorizontal == fixed->byteHorizontal);
}

std::string Text(const char* text) { return text; }

// The font options, and the image options a font run has no use for.
const char* const kFontOptions[] = {"--font-size", "--glyphs", "--text", "--sample", "--hinting", "--face", "--strict"};
const char* const kImageOnlyOptions[] = {
    "--size",        "--fit",           "--align",           "--rotate",           "--flip",
    "--resample",    "--dither",        "--threshold",       "--background",       "--depth",
    "--palette",     "--color",         "--lvgl-format",     "--byte-order",       "--c-words",
    "--c-bytes",     "--plane-ink",     "--planes",          "--no-planes",        "--frames",
    "--delay",       "--example",       "--c-style",         "--per-line",         "--read-array",
    "--read-layout", "--guess-layout",  "--settings",        "--preset",           "--msb-first",
    "--lsb-first",   "--bits-vertical", "--bits-horizontal", "--bytes-horizontal", "--bytes-vertical",
    "--fill-zero",   "--fill-one"};

template <size_t N>
const char* FirstGiven(A a, const char* const (&options)[N]) {
    for (const char* option : options)
        if (a.Given(option)) return option;
    return nullptr;
}

// A font writes its own form; the forms of a picture draw its sample.
bool FontFormClash(A a, C c) {
    return a.font.form && c.form != OutputFormat::ArrayText && c.form != OutputFormat::Png &&
           c.form != OutputFormat::Bmp && c.form != OutputFormat::Preview;
}

}  // namespace

// In the order they are checked: the command as a whole, then colour, then
// depth, then the layout.
const CliRule kCliRules[] = {
    {"", [](A a, C) { return a.inputs.empty(); }, [](A, C) { return Text("no input file given"); }, "--binary"},
    {"--font-bits",
     [](A a, C) { return a.font.form && a.font.bits && !(a.font.form->bitsTaken & (1u << *a.font.bits)); },
     [](A a, C) {
         return std::string(a.font.form->flag) + " writes " + std::to_string(a.font.form->bits) + "-bit glyphs, as " +
                a.font.form->library + " draws them; --font-bits is for LVGL's fonts";
     },
     "--gfx-font f --font-bits 4 in.ttf"},
    {"--font-compress", [](A a, C) { return a.font.form && a.font.compress && !a.font.form->compresses; },
     [](A a, C) {
         return std::string("--font-compress compresses an --lvgl-font or --lvgl-font-bin; ") + a.font.form->flag +
                " has no compression";
     },
     "--vlw --font-compress in.ttf"},
    {"--font-compress",
     [](A a, C c) {
         return a.font.compress && c.font.form && c.font.form->compresses && c.font.rendering.bits != 2 &&
                c.font.rendering.bits != 4;
     },
     [](A, C c) {
         return "LVGL 9 decompresses fonts of 2, 3 and 4 bits a pixel only: --font-compress with --font-bits 2 or 4, "
                "not " +
                std::to_string(c.font.rendering.bits);
     },
     "--lvgl-font f --font-bits 8 --font-compress in.ttf"},
    {"--font-size --glyphs --chars --text --sample --hinting --face --strict --font-bits --font-compress",
     [](A a, C) { return !a.font.form && FirstGiven(a, kFontOptions); },
     [](A a, C) {
         return std::string(FirstGiven(a, kFontOptions)) +
                " is for a font: give its form, such as --gfx-font NAME or --vlw";
     },
     "--font-size 16 in.ttf"},
    {"--gfx-font --vlw --vlw-array --lvgl-font --c-array --xbm --lvgl --binary", FontFormClash,
     [](A a, C c) {
         return std::string(a.font.form->flag) + " writes the font; " + FormRow(c.form).flag +
                " is an image's form (--png, --bmp and --preview draw the font's sample)";
     },
     "--gfx-font f --c-array x in.ttf"},
    {"--size --dither --palette --color --depth --preset --settings --read-array --invert",
     [](A a, C) { return a.font.form && (FirstGiven(a, kImageOnlyOptions) || a.Given("--invert")); },
     [](A a, C) {
         const char* option = FirstGiven(a, kImageOnlyOptions);
         return std::string(option ? option : "--invert") + " is for images; " + a.font.form->flag +
                " takes the font options (--font-size, --glyphs, --text, --hinting, --sample)";
     },
     "--gfx-font f --size 128x64 in.ttf"},
    {"--out-dir", [](A a, C) { return a.output && a.outDir; },
     [](A, C) { return Text("-o and --out-dir cannot be used together"); }, "-o out.txt --out-dir out in.png"},
    // Several fonts make one font: -o names it.
    {"-o --output",
     [](A a, C c) { return a.output && a.inputs.size() > 1 && !FormRow(c.form).collects && !a.font.form; },
     [](A, C) {
         return Text(
             "-o names the output of one input; with several, use --out-dir or let each output go beside "
             "its input (--c-array and --lvgl write them all into one header)");
     },
     "-o out.txt a.png b.png"},
    {"--preview --guess-layout", [](A a, C) { return a.info + a.preview.has_value() + a.read.guess > 1; },
     [](A, C) { return Text("only one of --info, --preview and --guess-layout can be used"); },
     "--info --preview in.png"},
    {"--info --preview --guess-layout",
     [](A a, C c) { return Shows(a) && (a.output || a.outDir || !c.formsNamed.empty()); },
     [](A a, C) {
         return std::string(Showing(a)) + " writes no output; it cannot be used with -o, --out-dir, " +
                FormFlags(" or ");
     },
     "--info --binary in.png"},
    {"--c-array --binary --bmp --png --xbm --lvgl --lvgl-bin", [](A, C c) { return FormsDiffer(c); },
     [](A, C) { return "only one of " + FormFlags(" and ") + " can be used"; }, "--binary --bmp in.png"},
    {"", [](A a, C) { return a.inputs.size() > 1 && StandardInputNamed(a); },
     [](A, C) { return Text("'-' (standard input) must be the only input"); }, "- in.png"},
    {"--settings", [](A a, C) { return a.preset && a.settings; },
     [](A, C) {
         return Text(
             "--preset and --settings each set all four packing options; give one of them, "
             "and single flags such as --fill-one to change what it sets");
     },
     "--preset xbm --settings s.dat in.png"},
    {"--example",
     [](A a, C c) {
         return a.example && ((c.form != OutputFormat::CArray && c.form != OutputFormat::Lvgl) || !c.output);
     },
     [](A, C) {
         return Text("--example writes a sketch beside a C header: give --c-array NAME (or --lvgl NAME) and -o FILE");
     },
     "--example in.png"},
    {"--example",
     [](A a, C c) { return a.example && a.compression != Compression::None && c.form == OutputFormat::CArray; },
     [](A, C) {
         return Text(
             "--example's sketch draws the array as it stands; a compressed one goes through quillgrid_rle.h (see "
             "the README): leave out --compress or --example");
     },
     "--example --c-array x --compress rle -o x.h in.png"},
    {"--example", [](A a, C c) { return a.example && Lvgl8(c); },
     [](A, C) { return Text("--example writes LVGL 9's calls (lv_image_set_src); leave out --example for LVGL 8"); },
     "--example --lvgl x --lvgl-version 8 -o x.c in.png"},
    {"--example", [](A a, C) { return a.example && a.inputs.size() > 1; },
     [](A, C) { return Text("--example writes a sketch for one image: give one input"); },
     "--example --c-array x -o x.h a.png b.png"},
    {"--c-style", [](A a, C c) { return a.style && c.form != OutputFormat::CArray; },
     [](A, C) { return Text("--c-style picks the flavour of --c-array; give --c-array NAME too"); },
     "--c-style arduino in.png"},
    {"--per-line", [](A a, C c) { return a.perLine && !FormRow(c.form).cSource; },
     [](A, C) { return Text("--per-line goes with --c-array, --xbm or --lvgl"); }, "--per-line 4 in.png"},
    {"--guess-layout", [](A a, C) { return a.read.guess && !a.read.given; },
     [](A, C) { return Text("--guess-layout reads packed bytes back: give --read-array WIDTHxHEIGHT too"); },
     "--guess-layout in.png"},
    {"--read-layout", [](A a, C) { return a.read.layout && !a.read.given; },
     [](A, C) { return Text("--read-layout reads packed bytes back: give --read-array WIDTHxHEIGHT too"); },
     "--read-layout xbm in.png"},
    {"--guess-layout", [](A a, C) { return a.read.guess && (LayoutGiven(a) || a.read.layout); },
     [](A, C) { return Text("--guess-layout tries every packing; give no layout"); },
     "--read-array 8x8 --guess-layout --msb-first in.png"},
    {"--frames", [](A a, C) { return !a.frames.empty() && a.read.given; },
     [](A, C) { return Text("--frames picks frames of an animated GIF; --read-array reads packed bytes"); },
     "--frames 1 --read-array 8x8 in.png"},
    {"--frames", [](A a, C c) { return TakesOneFrame(c) && FramesNamed(a) > 1; },
     [](A a, C c) {
         return std::string(c.Form().flag) + " shows one frame, and --frames names " + std::to_string(FramesNamed(a)) +
                "; name one";
     },
     "--png --frames 0-1 in.png"},
    {"--depfile",
     [](A a, C c) { return a.depfile && (Shows(a) || c.toStream || (!a.output && !a.outDir && a.inputs.size() == 1)); },
     [](A, C) { return Text("--depfile names the files written, and standard output is none: give -o or --out-dir"); },
     "--depfile d.d in.png"},

    // Colour against the other options and the forms.
    {"--palette --color", [](A a, C) { return a.paletteText && a.colour; },
     [](A, C) { return Text("--palette and --color each say what a pixel's value is; give one"); },
     "--palette bwr --color rgb565 in.png"},
    {"--serpentine",
     [](A a, C) {
         return a.tone.serpentine && a.tone.dither != Dither::FloydSteinberg && a.tone.dither != Dither::Atkinson;
     },
     [](A, C) { return Text("--serpentine is for the error diffusions: give --dither (fs) or --dither=atkinson"); },
     "--serpentine in.png"},
    {"--ideal-inks", [](A a, C c) { return a.idealInks && !HasPalette(c); },
     [](A, C) { return Text("--ideal-inks is for a palette's inks: give --palette or a panel's preset"); },
     "--ideal-inks in.png"},
    {"--lvgl-format", [](A a, C) { return a.colour && a.lvglFormat && a.lvglFormat->format != *a.colour; },
     [](A a, C) { return LvglName(a) + " and --color " + PixelFormatName(*a.colour) + " disagree; give one of them"; },
     "--lvgl x --lvgl-format RGB565 --color rgb888 in.png"},
    {"--depth", [](A a, C c) { return HasDirect(c) && a.depth; },
     [](A, C) { return Text("--depth sets levels of grey, and --color gives each pixel its own colour; give one"); },
     "--color rgb565 --depth 2 in.png"},
    {"--depth", [](A a, C c) { return HasPalette(c) && a.depth && *a.depth != c.image.palette.Depth(); },
     [](A a, C c) {
         return PaletteName(c) + " has " + std::to_string(c.image.palette.Size()) + " values, " +
                std::to_string(c.image.palette.Depth()) + " bits a pixel, and --depth says " +
                std::to_string(*a.depth) + "; leave out --depth";
     },
     "--palette bwr --depth 4 in.png"},
    {"--invert", [](A, C c) { return InColour(c) && c.invert; },
     [](A a, C) {
         return std::string("--invert swaps dark and light") +
                (a.invert ? "" : " (--preset " + std::string(a.preset->name) + " inverts)") +
                "; a palette's values and a colour format's have none to swap";
     },
     "--palette bwr --invert in.png"},
    {"--threshold", [](A a, C c) { return InColour(c) && a.thresholdGiven; },
     [](A, C) {
         return Text(
             "--threshold decides dark and light at 1 bit of grey; with --palette or --color each pixel takes "
             "its nearest colour");
     },
     "--palette bwr --threshold 40% in.png"},
    {"--lvgl-format",
     [](A a, C c) {
         return a.lvglFormat && HasPalette(c) &&
                (!a.lvglFormat->indexed || BitsOf(a.lvglFormat->format) != c.image.palette.Depth());
     },
     [](A a, C c) {
         return LvglName(a) + " does not hold " + PaletteName(c) + "'s values; give --lvgl-format I" +
                std::to_string(c.image.palette.Depth()) + " or leave it out";
     },
     "--lvgl x --lvgl-format I4 --palette bwr in.png"},
    {"--lvgl-format", [](A a, C c) { return a.lvglFormat && HasDirect(c) && !IsDirect(a.lvglFormat->format); },
     [](A a, C) {
         return LvglName(a) +
                " is not a direct colour format: give RGB565, RGB565_SWAPPED, RGB565A8, ARGB8565, RGB888 or ARGB8888 "
                "with --color";
     },
     "--lvgl x --lvgl-format I1 --preset tft-espi in.png"},
    {"--color",
     [](A, C c) {
         return IsLvglImage(c.form) && c.formOptions.lvglVersion == 9 && c.image.format == PixelFormat::Rgb332;
     },
     [](A, C) {
         return Text(
             "LVGL v9 has no RGB332 format: give --color rgb565, rgb565a8, argb8565, rgb888 or argb8888 with --lvgl");
     },
     "--lvgl x --color rgb332 in.png"},
    {"--byte-order", [](A a, C c) { return IsLvglImage(c.form) && a.bigEndian && *a.bigEndian; },
     [](A, C) {
         return Text(
             "--lvgl writes LVGL's values little-endian, as LVGL reads them; leave out --byte-order be (or give "
             "--lvgl-format RGB565_SWAPPED)");
     },
     "--lvgl x --color rgb565 --byte-order be in.png"},
    {"--planes", [](A a, C c) { return a.planes && HasDirect(c); },
     [](A, C) {
         return Text("--planes writes 1-bit planes of grey levels or of a three-colour palette, not of --color");
     },
     "--color rgb565 --planes in.png"},
    {"--planes", [](A a, C c) { return a.planes && HasPalette(c) && !ThreeColours(c); },
     [](A, C c) {
         return "--planes with a palette writes the black plane and the colour plane of a three-colour panel; " +
                PaletteName(c) + " has " + std::to_string(c.image.palette.Size()) + " colours";
     },
     "--palette acep7 --planes in.png"},
    {"--set-bit", [](A a, C c) { return a.setBitLight && !IsMono(c.image.format); },
     [](A, C) {
         return Text("--set-bit says how a 1-bit image's set bits show; values of more bits show as what they are");
     },
     "--set-bit light --depth 2 in.png"},
    {"--no-planes", [](A a, C) { return a.planes && a.noPlanes; },
     [](A, C) { return Text("--planes and --no-planes say the opposite: give one"); }, "--planes --no-planes in.png"},
    {"--plane-ink", [](A a, C c) { return a.planeInk && !(c.pack.planes && ThreeColours(c)); },
     [](A, C) { return Text("--plane-ink goes with --planes and a three-colour palette"); }, "--plane-ink 0,0 in.png"},
    {"--byte-order", [](A a, C c) { return a.bigEndian && BytesOfValue(c.image.format) < 2; },
     [](A, C) {
         return Text(
             "--byte-order orders the bytes of a --color value of 2 bytes or more: give --color rgb565, rgb565a8, "
             "rgb888, argb8888 or argb8565");
     },
     "--byte-order be in.png"},
    {"--c-words", [](A a, C c) { return WordsAsked(a) && c.form != OutputFormat::CArray; },
     [](A, C) { return Text("--c-words writes the values of --c-array; give --c-array NAME too"); },
     "--c-words --color rgb565 in.png"},
    {"--c-words", [](A a, C c) { return WordsAsked(a) && U8g2(c); },
     [](A, C) { return Text("--c-words writes colour values; u8g2 draws 1-bit bitmaps"); },
     "--c-array x --c-style u8g2 --c-words --color rgb565 in.png"},
    {"--c-words",
     [](A a, C c) {
         return WordsAsked(a) && c.image.format != PixelFormat::Rgb565 && c.image.format != PixelFormat::Argb8888;
     },
     [](A, C) {
         return Text("--c-words writes uint16_t values of --color rgb565 or uint32_t values of --color argb8888");
     },
     "--c-array x --c-words --color rgb888 in.png"},
    {"--palette --color", [](A, C c) { return InColour(c) && (c.form == OutputFormat::Xbm || U8g2(c)); },
     [](A, C c) {
         return std::string(c.form == OutputFormat::Xbm ? "--xbm" : "--c-style u8g2") +
                " is 1 bit a pixel of black and white; --palette and --color need another form";
     },
     "--palette bwr --xbm in.png"},
    {"--guess-layout", [](A a, C c) { return a.read.guess && HasDirect(c); },
     [](A, C) { return Text("--guess-layout tries the packings of bits in a byte; --color values are whole bytes"); },
     "--read-array 8x8 --guess-layout --color rgb565 in.png"},

    // Depth, planes and the LVGL format against each other and the forms.
    {"--lvgl-format", [](A a, C c) { return a.lvglFormat && !IsLvglImage(c.form); },
     [](A, C) { return Text("--lvgl-format picks the colour format of --lvgl; give --lvgl NAME (or --lvgl-bin) too"); },
     "--lvgl-format I2 in.png"},
    {"--lvgl-version", [](A a, C c) { return a.lvglVersion && c.form != OutputFormat::Lvgl; },
     [](A, C c) {
         return Text(c.form == OutputFormat::LvglBin
                         ? "--lvgl-bin writes LVGL 9's image file; --lvgl-version 8 goes with --lvgl NAME"
                         : "--lvgl-version picks the LVGL of --lvgl; give --lvgl NAME too");
     },
     "--lvgl-version 8 --lvgl-bin in.png"},
    {"--compress", [](A a, C c) { return a.compression != Compression::None && Lvgl8(c); },
     [](A, C) { return Text("LVGL 8 has no compressed images: leave out --compress or give --lvgl-version 9"); },
     "--lvgl x --lvgl-version 8 --compress rle in.png"},
    {"--lvgl-format", [](A a, C c) { return a.lvglFormat && Lvgl8(c) && !Lvgl8FormatName(*a.lvglFormat); },
     [](A a, C) {
         return "LVGL 8 has no " + LvglName(a).substr(14) +
                " format: give I1, I2, I4, I8, A1, A2, A4, A8, RGB565, RGB888 or ARGB8888, or --lvgl-version 9";
     },
     "--lvgl x --lvgl-version 8 --lvgl-format L8 in.png"},
    {"--size", [](A a, C c) { return Lvgl8(c) && (a.frame.width > 2047 || a.frame.height > 2047); },
     [](A, C) { return Text("LVGL 8's images are at most 2047 pixels wide and high (11 bits in lv_img_header_t)"); },
     "--lvgl x --lvgl-version 8 --size 4000x300 in.png"},
    {"--compress",
     [](A a, C c) {
         return a.compression != Compression::None && !IsLvglImage(c.form) && c.form != OutputFormat::CArray &&
                c.form != OutputFormat::Binary && !(a.info && c.form == OutputFormat::LvglBin);
     },
     [](A, C) { return Text("--compress goes with --c-array, --binary, --lvgl or --lvgl-bin"); },
     "--compress rle --bmp in.png"},
    {"--compress",
     [](A a, C c) {
         return a.compression == Compression::Lz4 && (c.form == OutputFormat::CArray || c.form == OutputFormat::Binary);
     },
     [](A, C) {
         return Text(
             "--compress lz4 is LVGL's: --c-array and --binary take --compress rle, which quillgrid_rle.h decodes");
     },
     "--compress lz4 --binary in.png"},
    {"--compress", [](A a, C c) { return a.compression != Compression::None && c.formOptions.wordBytes > 1; },
     [](A, C) { return Text("--compress writes bytes: leave out --c-words"); },
     "--compress rle --c-array x --color rgb565 --c-words in.png"},
    {"--compress", [](A a, C c) { return a.compression != Compression::None && !c.formOptions.colourPlane.empty(); },
     [](A, C) {
         return Text(
             "--compress writes one stream; a three-colour panel's two planes need --no-planes (or no --compress)");
     },
     "--compress rle --c-array x --preset epaper-bwr in.png"},
    {"--depth", [](A a, C) { return a.lvglFormat && a.depth && *a.depth != BitsOf(a.lvglFormat->format); },
     [](A a, C) {
         return LvglName(a) + " is " + std::to_string(BitsOf(a.lvglFormat->format)) +
                " bits a pixel and --depth says " + std::to_string(*a.depth) + "; give one of them";
     },
     "--lvgl x --lvgl-format I2 --depth 4 in.png"},
    {"--depth", [](A, C c) { return Depth(c) > 1 && c.form == OutputFormat::Xbm; },
     [](A, C c) { return "--xbm is 1 bit a pixel; --depth " + std::to_string(Depth(c)) + " needs another form"; },
     "--depth 2 --xbm in.png"},
    {"--depth", [](A, C c) { return Depth(c) > 1 && U8g2(c); },
     [](A, C c) {
         return "--c-style u8g2 is 1 bit a pixel (u8g2 draws 1-bit bitmaps); --depth " + std::to_string(Depth(c)) +
                " needs the plain or arduino style";
     },
     "--depth 2 --c-array x --c-style u8g2 in.png"},
    {"--threshold", [](A a, C c) { return Depth(c) > 1 && a.thresholdGiven; },
     [](A, C c) {
         return "--threshold decides dark and light at --depth 1; at --depth " + std::to_string(Depth(c)) +
                " each grey takes its nearest level";
     },
     "--depth 2 --threshold 40% in.png"},
    {"--planes", [](A a, C c) { return a.planes && Depth(c) == 1; },
     [](A, C) { return Text("--planes writes the bits of each pixel as 1-bit planes; give --depth 2, 4 or 8"); },
     "--planes in.png"},
    {"--planes", [](A a, C c) { return a.planes && !FormRow(c.form).planes; },
     [](A, C) { return Text("--planes changes the packed bytes: it goes with array text, --binary or --c-array"); },
     "--depth 2 --planes --png in.png"},
    {"--planes", [](A a, C) { return a.planes && a.read.given; },
     [](A, C) { return Text("--planes writes planes; --read-array reads packed pixels, not planes"); },
     "--depth 2 --planes --read-array 8x8 in.png"},

    // The layout, once the settings file has given its part.
    {"--msb-first --lsb-first --bits-vertical --bits-horizontal --bytes-horizontal --bytes-vertical --preset "
     "--settings",
     [](A, C c) { return LayoutRefused(c); },
     [](A, C c) {
         const ConvertOptions& fixed = *c.Form().form.FixedLayout(c.formOptions);
         const char* form = c.form == OutputFormat::Xbm ? "--xbm"
                            : IsLvglImage(c.form)       ? FormRow(c.form).flag
                                                        : "--c-style u8g2";
         return std::string(form) + " writes rows with the first pixel in bit " + (fixed.msbReverse ? "0" : "7") +
                " (" + (fixed.msbReverse ? "--lsb-first" : "--msb-first") +
                " --bits-horizontal --bytes-horizontal), as its reader takes them; the layout given is " +
                LayoutInWords(c.pack.layout);
     },
     "--xbm --msb-first in.png", true},
    {"--example", [](A a, C c) { return a.example && c.output && c.sketch == Sketch::None; },
     [](A, C) {
         return Text(
             "--example has sketches for Adafruit_SSD1306 (the adafruit-gfx layout at 1 bit, as --c-style arduino "
             "gives, or the ssd1306 preset's, its buffer), u8g2 (--c-style u8g2), GxEPD2_3C (--preset epaper-bwr), "
             "TFT_eSPI (--preset tft-espi) and "
             "LVGL (--lvgl); none of them reads these bytes");
     },
     "--example --c-array x -o x.h in.png", true},
    {"--example", [](A a, C c) { return a.example && c.output && c.exampleFile == c.output; },
     [](A, C) {
         return Text("--example's sketch would replace the header: give it a name of its own, --example=FILE");
     },
     "--example=x.h --c-array x --c-style arduino -o x.h in.png", true},
};

const size_t kCliRuleCount = sizeof kCliRules / sizeof kCliRules[0];

const CliRule* FirstRefusal(const CliArgs& args, const Conversion& conversion, bool afterLayout) {
    for (const CliRule& rule : kCliRules)
        if (rule.afterLayout == afterLayout && rule.applies(args, conversion)) return &rule;
    return nullptr;
}

bool RuleNames(const CliRule& rule, const std::string& option) {
    for (const std::string& name : Words(rule.options))
        if (name == option) return true;
    return false;
}
