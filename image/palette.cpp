#include "image/palette.h"

#include <cstdio>
#include <cstring>

namespace {

// Each checked against the panel maker's driver: the value it sends for
// each colour. After "=", the ink the panel shows for it, measured; the
// sources, in the help, are photographs of the panels under neutral light
// published by epdoptimize (paperlesspaper/epdoptimize,
// src/dither/data/default-palettes.json), whose white is the panel's white
// as the camera saw it, so the inks are right among themselves.
const NamedPalette kPalettes[] = {
    {"bwr", "#000000=#191E21,#FFFFFF=#E8E8E8,#FF0000=#B21318",
     "black, white, red: three-colour panels (value 2 the red;\n"
     "--planes for the black and red planes they take). Inks: E Ink's\n"
     "black, white and red pigments as epdoptimize measured them on\n"
     "Spectra panels (its spectra6legacy palette); none of the three-\n"
     "colour panels themselves is published"},
    {"bwy", "#000000=#191E21,#FFFFFF=#E8E8E8,#FFFF00=#EFDE44",
     "black, white, yellow: the yellow three-colour panels. Inks as\n"
     "bwr's, the yellow from the same measurement"},
    {"bwyr", "#000000=#191E21,#FFFFFF=#E8E8E8,#FFFF00=#EFDE44,#FF0000=#B21318",
     "black 0, white 1, yellow 2, red 3, 2 bits a pixel: Waveshare's\n"
     "four-colour \"G\" panels (epd2in13g and its kin: BLACK 0x0,\n"
     "WHITE 0x1, YELLOW 0x2, RED 0x3, the first pixel in bits 7-6).\n"
     "Inks as bwr's and bwy's"},
    {"acep7",
     "#000000=#191E21,#FFFFFF=#F1F1F1,#00FF00=#53A428,#0000FF=#31318F,#FF0000=#D20E13,#FFFF00=#F3CF11,"
     "#FF8000=#B85E1C",
     "black 0, white 1, green 2, blue 3, red 4, yellow 5, orange 6,\n"
     "4 bits a pixel: the seven-colour ACeP panels (Waveshare\n"
     "epd5in65f and epd7in3f, the first pixel in the high nibble).\n"
     "Inks: epdoptimize's measured acep palette"},
    {"spectra6", "#000000=#1F2226,#FFFFFF=#B9C7C9,#FFFF00=#C1BB1E,#FF0000=#62201E,-,#0000FF=#233F8E,#00FF00=#35563A",
     "black 0, white 1, yellow 2, red 3, blue 5, green 6 (4 is\n"
     "not used), 4 bits a pixel: E Ink Spectra 6 panels (Waveshare\n"
     "epd4in0e and epd7in3e). Inks: epdoptimize's measured spectra6\n"
     "palette"},
    {"spectra6-7c", "#000000=#1F2226,#FFFFFF=#B9C7C9,#00FF00=#35563A,#0000FF=#233F8E,#FF0000=#62201E,#FFFF00=#C1BB1E,-",
     "spectra6's six colours in the seven-colour panels' order: black 0,\n"
     "white 1, green 2, blue 3, red 4, yellow 5 (6, orange, not used):\n"
     "GxEPD2's Spectra 6 driver (GxEPD2_730c_GDEP073E01) takes this\n"
     "order and converts it to the panel's (_convert_to_native).\n"
     "Inks as spectra6's"},
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ParseColour(const std::string& word, Rgb* colour) {
    const size_t start = !word.empty() && word[0] == '#' ? 1 : 0;
    if (word.size() != start + 6) return false;
    uint8_t channels[3];
    for (int i = 0; i < 3; ++i) {
        const int high = HexDigit(word[start + 2 * i]), low = HexDigit(word[start + 2 * i + 1]);
        if (high < 0 || low < 0) return false;
        channels[i] = static_cast<uint8_t>(high * 16 + low);
    }
    *colour = {channels[0], channels[1], channels[2]};
    return true;
}

}  // namespace

std::vector<Rgb> Palette::ValueColours() const {
    std::vector<Rgb> values;
    for (uint32_t v = 0; v < Size(); ++v) values.push_back(unused[v] ? Rgb{0, 0, 0} : colours[v]);
    return values;
}

std::vector<Rgb> Palette::ShownColours() const {
    std::vector<Rgb> shown;
    for (uint32_t v = 0; v < Size(); ++v) shown.push_back(unused[v] ? Rgb{0, 0, 0} : inks[v]);
    return shown;
}

std::string Palette::Text() const {
    std::string text;
    for (uint32_t v = 0; v < Size(); ++v) {
        text += v ? "," : "";
        if (unused[v]) {
            text += "-";
            continue;
        }
        text += ColourText(colours[v]);
        if (inks[v] != colours[v]) text += "=" + ColourText(inks[v]);
    }
    return text;
}

uint32_t Palette::Depth() const {
    const uint32_t size = Size();
    return size <= 2 ? 1 : size <= 4 ? 2 : size <= 16 ? 4 : 8;
}

const NamedPalette* NamedPalettesBegin() { return kPalettes; }
const NamedPalette* NamedPalettesEnd() { return kPalettes + sizeof kPalettes / sizeof kPalettes[0]; }

bool ParsePalette(const char* text, Palette* palette, std::string* error) {
    Palette parsed;
    const char* list = text;
    for (const NamedPalette* named = NamedPalettesBegin(); named != NamedPalettesEnd(); ++named) {
        if (std::strcmp(text, named->name) == 0) {
            list = named->colours;
            parsed.name = named->name;
        }
    }
    Rgb one;
    if (parsed.name.empty() && !std::strchr(text, ',') && !ParseColour(text, &one)) {
        *error = std::string("unknown palette '") + text + "'; give one of";
        for (const NamedPalette* named = NamedPalettesBegin(); named != NamedPalettesEnd(); ++named)
            *error += std::string(named == NamedPalettesBegin() ? " " : ", ") + named->name;
        *error += ", or colours such as #000000,#FFFFFF,#FF0000";
        return false;
    }
    for (const char* at = list;;) {
        const char* comma = std::strchr(at, ',');
        const std::string item(at, comma ? static_cast<size_t>(comma - at) : std::strlen(at));
        const size_t equals = item.find('=');
        const std::string word = item.substr(0, equals);
        Rgb colour = {0, 0, 0};
        const bool gap = word == "-";
        if (!gap && !ParseColour(word, &colour)) {
            *error = "'" + word + "' is not a colour: give #RRGGBB, such as #FF0000, or - for a value not used";
            return false;
        }
        Rgb ink = colour;
        if (equals != std::string::npos && (gap || !ParseColour(item.substr(equals + 1), &ink))) {
            *error = "'" + item + "' is not a colour and its ink: give #RRGGBB=#RRGGBB, such as #FF0000=#B21318";
            return false;
        }
        for (size_t i = 0; i < parsed.colours.size() && !gap; ++i) {
            if (!parsed.unused[i] && parsed.colours[i] == colour) {
                *error = ColourText(colour) + " is given twice (values " + std::to_string(i) + " and " +
                         std::to_string(parsed.colours.size()) + "); each colour is one value";
                return false;
            }
        }
        if (parsed.colours.size() == 256) {
            *error = "a palette has at most 256 colours (8 bits a value)";
            return false;
        }
        parsed.colours.push_back(colour);
        parsed.unused.push_back(gap);
        parsed.inks.push_back(ink);
        if (!comma) break;
        at = comma + 1;
    }
    size_t used = 0;
    for (bool gap : parsed.unused) used += gap ? 0 : 1;
    if (used < 2) {
        *error = "a palette needs at least two colours";
        return false;
    }
    *palette = parsed;
    return true;
}
