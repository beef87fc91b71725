// The help: each section's words, then its options from the option table.
#include "cli/cli_args.h"
#include "image/palette.h"

const char kCliUsage[] =
    "usage: quillgrid-cli [OPTIONS] INPUT...\n"
    "Try 'quillgrid-cli --help' for the options.\n";

namespace {

struct Section {
    HelpSection section;
    const char* title;   // in the manual
    const char* before;  // what the section says before its options
};

const Section kSections[] = {
    {HelpSection::Presets, "PRESETS",
     "Presets: what a display's library or driver reads, in one word: the packing,\n"
     "and where it has them the depth, the colours and what a set bit shows there.\n"
     "The single options below override what a preset sets, before or after it.\n"
     "The e-paper presets fill a row's spare pixels (of its last byte) with white,\n"
     "which their drivers draw: --fill-zero or --fill-one to choose otherwise.\n"},
    {HelpSection::Output, "OUTPUT",
     "Output (one input: standard output unless -o or --out-dir is given;\n"
     "several inputs: each output beside its input, or in --out-dir, named after\n"},
    {HelpSection::Input, "INPUT",
     "Input: a 1-bit BMP is read as the Windows program reads it. PNG (any colour\n"
     "type and depth), JPEG (baseline, progressive, grey or CMYK; a camera's picture\n"
     "stood upright as its EXIF orientation says), WebP (lossy or lossless, still or\n"
     "animated), BMP of 4, 8, 16, 24 or 32 bits, GIF (still or animated) and binary\n"
     "PGM/PPM become 1-bit: alpha is composited over white, colours become grey\n"
     "with the luminance Y = (77 R + 150 G + 29 B) / 256 (ITU-R BT.601 weights),\n"
     "and a pixel is dark when Y is below the threshold. '-' reads standard input.\n"},
    {HelpSection::Colour, "COLOUR",
     "Colour: for colour displays, a palette's values (three-, four- and seven-colour\n"
     "e-paper) or each pixel's own colour (RGB565 TFTs). The image keeps its colour\n"
     "through the frame (resampled with its alpha premultiplied, so that transparent\n"
     "edges lend no colour); every grey and 1-bit output stays as it is without them.\n"},
    {HelpSection::Frame, "FRAME",
     "Frame: from the picture to the display's size. The steps run in this order,\n"
     "whatever the order given: decode, alpha over the background, grey, --rotate,\n"
     "--flip, fit into --size, threshold or dither, --invert, pack. A 1-bit BMP takes\n"
     "them as black and white grey levels when any is given.\n"},
    {HelpSection::Fonts, "FONTS",
     "Fonts: a TrueType, OpenType (CFF too), collection, WOFF, BDF or PCF font as the\n"
     "input (known by its contents), drawn by FreeType into a display library's font.\n"
     "Several fonts: each character from the first that has it. Characters no font\n"
     "has are listed on standard error. --preview, --png and --bmp draw a sample\n"
     "text as the library draws it; --info lists the glyphs and the font's bytes.\n"
     "A font in C (a GFXfont header, a u8g2 font array, an LVGL font) given alone\n"
     "reads back:"
     " its glyphs draw the sample, or are written in the form given.\n"},
    {HelpSection::ReadBack, "READING BYTES BACK", "Reading bytes back: the inputs are packed bytes, not images\n"},
    {HelpSection::Packing, "PACKING",
     "Packing (the defaults are --msb-first --bits-vertical --bytes-horizontal --fill-zero)\n"
     "--settings and --preset each set all four packing options, so only one of them\n"
     "can be given; the single flags below override what it sets, before or after it.\n"},
    {HelpSection::Other, "OTHER", ""},
};

// Words joined into lines of at most `width` characters.
std::string Wrapped(const std::string& text, size_t width) {
    std::string wrapped, line;
    for (const std::string& word : Words(text)) {
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            wrapped += line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    return wrapped + line + "\n";
}

// How outputs are named: each form's extension, from the table of forms.
std::string Extensions() {
    std::string text = "the input with the extension";
    for (const OutputFormRow& row : OutputForms()) {
        if (!row.writes) continue;
        if (!row.flag[0]) {
            text += std::string(" ") + row.extension + ", or";
        } else {
            text += std::string(" ") + row.extension + " with " + row.flag + ",";
        }
    }
    text.back() = ')';
    return Wrapped(text, 77);
}

const size_t kNameColumn = 25;  // where the help of an option starts

// "  -o, --output FILE", "  --dither[=KIND]", "  --fill-one".
std::string Names(const CliOption& option) {
    std::string names = "  ";
    if (option.shortName) names += std::string(option.shortName) + ", ";
    names += option.longName;
    if (option.takes == Takes::Value) names += std::string(" ") + option.valueName;
    if (option.takes == Takes::OptionalValue) names += std::string("[=") + option.valueName + "]";
    return names;
}

std::string OptionHelp(const CliOption& option) {
    std::string text = Names(option);
    text += text.size() + 1 < kNameColumn ? std::string(kNameColumn - text.size(), ' ')
                                          : "\n" + std::string(kNameColumn, ' ');
    for (const char* c = option.help; *c; ++c) {
        text += *c;
        if (*c == '\n') text += std::string(kNameColumn, ' ');
    }
    return text + "\n";
}

// A name and its words below an option, the words in a column.
std::string ListEntry(const char* name, const char* words) {
    std::string text = std::string("    ") + name;
    text += text.size() < 18 ? std::string(18 - text.size(), ' ') : "\n" + std::string(18, ' ');
    for (const char* c = words; *c; ++c) {
        text += *c;
        if (*c == '\n') text += std::string(18, ' ');
    }
    return text + "\n";
}

// The presets below --preset: each one's name, layout and what reads it.
std::string PresetList() {
    std::string text;
    for (const Preset* preset = PresetsBegin(); preset != PresetsEnd(); ++preset)
        text += ListEntry(preset->name, preset->help);
    return text;
}

// The named palettes below --palette, each with its colours.
std::string PaletteList() {
    std::string text;
    for (const NamedPalette* named = NamedPalettesBegin(); named != NamedPalettesEnd(); ++named)
        text += ListEntry(named->name, (std::string(named->help) + "\n" + named->colours).c_str());
    return text;
}

const char kUsage[] =
    "usage: quillgrid-cli [OPTIONS] INPUT...\n"
    "\n"
    "Packs the pixels of images into bytes for a display and writes them as array\n"
    "text, one line of \", 0xA0, 0x60\" values per line of bytes, exactly as the\n"
    "Windows program's Save command does.\n";

const char kByDisplay[] =
    "Examples by display (each writes a file for the display's library to read):\n"
    "  SSD1306 128 x 64 with Adafruit GFX: display.drawBitmap(0, 0, logo,\n"
    "  logo_width, logo_height, SSD1306_WHITE)\n"
    "    quillgrid-cli --size 128x64 --set-bit light --c-array logo \\\n"
    "      --c-style arduino -o logo.h logo.png\n"
    "  SSD1306 128 x 64 with u8g2: u8g2.drawXBMP(0, 0, logo_width, logo_height,\n"
    "  logo_bits)\n"
    "    quillgrid-cli --size 128x64 --set-bit light --c-array logo \\\n"
    "      --c-style u8g2 -o logo.h logo.png\n"
    "  Three-colour e-paper 296 x 128 with GxEPD2_3C:\n"
    "  display.drawImage(photo_black, photo_red, 0, 0, photo_width, photo_height)\n"
    "    quillgrid-cli --preset epaper-bwr --size 296x128 --dither \\\n"
    "      --c-array photo -o photo.h photo.jpg\n"
    "  TFT 240 x 135 in RGB565 with TFT_eSPI: tft.pushImage(0, 0, photo_width,\n"
    "  photo_height, photo)\n"
    "    quillgrid-cli --preset tft-espi --size 240x135 --c-array photo \\\n"
    "      -o photo.h photo.jpg\n"
    "  LVGL 9: lv_image_set_src(image, &photo)\n"
    "    quillgrid-cli --preset lvgl-rgb565 --size 240x135 --lvgl photo \\\n"
    "      -o photo.c photo.jpg\n";

// -h's options: the ten most used, a line each.
const struct {
    const char* names;
    const char* line;
} kMostUsed[] = {
    {"--preset NAME", "a display library's packing and colours (--help lists them)"},
    {"--size WxH", "fit the picture into the display (--fit, --align)"},
    {"--dither[=KIND]", "dither, not a threshold: fs (default), atkinson, bayer"},
    {"--depth BITS", "1, 2, 4 or 8 bits a pixel: levels of grey"},
    {"--palette NAME", "a palette's values: bwr, bwy, bwyr, acep7, spectra6, ..."},
    {"--color FORMAT", "each pixel's colour: rgb565, rgb332, rgb888, argb8888, ..."},
    {"--c-array NAME", "a C header of NAME and its size (--c-style arduino, u8g2)"},
    {"--lvgl NAME", "an LVGL 9 image: its descriptor and data, as a C file"},
    {"-o FILE", "write to FILE (-: standard output; --out-dir DIR for many)"},
    {"--preview", "show it in the terminal instead (--info: describe it)"},
};

const char kExamples[] =
    "How the options pack pixels, for this 10 x 3 image (# dark, a 1 bit):\n"
    "\n"
    "        x: 0 1 2 3 4 5 6 7 8 9\n"
    "   y = 0:  # . . . . . . # # #\n"
    "   y = 1:  . # # . . # # . . #\n"
    "   y = 2:  # # # # # # # # # .\n"
    "\n"
    "  --bits-vertical --bytes-horizontal: a byte is a column of 8 pixels, top\n"
    "  pixel in bit 7; bytes run left to right, one line per 8-pixel band of rows.\n"
    "  The band is 3 pixels high, so 5 bits of each byte come from the fill:\n"
    "    , 0xA0, 0x60, 0x60, 0x20, 0x20, 0x60, 0x60, 0xA0, 0xA0, 0xC0\n"
    "  and with --fill-one:\n"
    "    , 0xBF, 0x7F, 0x7F, 0x3F, 0x3F, 0x7F, 0x7F, 0xBF, 0xBF, 0xDF\n"
    "  --bits-vertical --bytes-vertical: the same column bytes, one line per pixel\n"
    "  column read downwards (here one byte a line: , 0xA0 then , 0x60 ...).\n"
    "  --bits-horizontal --bytes-horizontal: a byte is 8 pixels of a row, leftmost\n"
    "  pixel in bit 7; one line per pixel row:\n"
    "    , 0x81, 0xC0\n"
    "    , 0x66, 0x40\n"
    "    , 0xFF, 0x80\n"
    "  --bits-horizontal --bytes-vertical: the same row bytes, one line per 8-pixel\n"
    "  strip of columns read downwards:\n"
    "    , 0x81, 0x66, 0xFF\n"
    "    , 0xC0, 0x40, 0x80\n"
    "  --lsb-first reverses every byte, fill bits included: 0xC0 becomes 0x03.\n"
    "\n"
    "The reference (packing, grey, colour, the panels, what each preset and form\n"
    "was checked against): docs/reference.md in the source and the Windows zip,\n"
    "/usr/share/doc/quillgrid-cli/reference.md from the Debian package.\n"
    "\n"
    "Exit status: 0 done; 1 an input was refused (cannot be opened, not an image\n"
    "this converter reads, or no pixels; the line on standard error says which),\n"
    "the others are still converted; 2 a usage error, nothing converted; 3 an\n"
    "output could not be written.\n";

}  // namespace

const char* HelpIntroduction() { return kUsage; }
const char* HelpDisplayExamples() { return kByDisplay; }

std::string CliBriefHelp() {
    std::string help =
        "usage: quillgrid-cli [OPTIONS] INPUT...\n\n"
        "Turns images (PNG, JPEG, WebP, BMP, GIF, PGM, PPM) into the bytes a display's\n"
        "library or controller reads: array text by default, or C, XBM, LVGL, raw bytes.\n\n";
    help += kByDisplay;
    help += "\nThe options most used:\n";
    for (const auto& option : kMostUsed) {
        std::string names = std::string("  ") + option.names;
        names += names.size() < 20 ? std::string(20 - names.size(), ' ') : " ";
        help += names + option.line + "\n";
    }
    return help +
           "\nEvery option: quillgrid-cli --help, or man quillgrid-cli; the reference:\n"
           "docs/reference.md (/usr/share/doc/quillgrid-cli/reference.md).\n";
}
const char* HelpExamples() { return kExamples; }
std::string HelpSectionWords(HelpSection section) {
    for (const Section& known : kSections)
        if (known.section == section) return known.before + (section == HelpSection::Output ? Extensions() : "");
    return "";
}

const char* HelpSectionTitle(HelpSection section) {
    for (const Section& known : kSections)
        if (known.section == section) return known.title;
    return "OTHER";
}

std::vector<HelpSection> HelpSections() {
    std::vector<HelpSection> sections;
    for (const Section& known : kSections) sections.push_back(known.section);
    return sections;
}

std::string CliHelp() {
    std::string help = std::string(kUsage) + "\n" + kByDisplay;
    for (const Section& section : kSections) {
        help += "\n";
        help += HelpSectionWords(section.section);
        for (size_t i = 0; i < kCliOptionCount; ++i) {
            const CliOption& option = kCliOptions[i];
            if (option.section != section.section) continue;
            help += OptionHelp(option);
            if (std::string(option.longName) == "--preset") help += PresetList();
            if (std::string(option.longName) == "--palette") help += PaletteList();
        }
    }
    return help + "\n" + kExamples;
}
