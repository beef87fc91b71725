// Layouts named after what reads them, and in words.
#pragma once

#include <string>

#include "core/colour.h"
#include "core/convert_options.h"

struct Preset {
    const char* name;
    ConvertOptions options;
    bool invert;       // dark pixels become clear bits
    uint32_t depth;    // bits a pixel (with a palette, the palette's)
    const char* what;  // the drawing function or controller, in a few words
    const char* help;  // the layout and what it was checked against, for --help
    // Colour: a named palette, or a direct format, or neither.
    const char* palette = nullptr;
    DirectFormat colour = DirectFormat::None;
    bool bigEndian = false;  // a direct value's bytes, most significant first
    bool words = false;      // the C forms write uint16_t (uint32_t) values, not bytes
    uint32_t blackInk = 1;   // --planes of a three-colour palette: the bit that means black
    uint32_t colourInk = 1;  // and the bit that means the ink in the colour plane
};

// Null when no preset has that name.
const Preset* FindPreset(const char* name);

// The first preset without colour whose layout, inversion and depth these
// are; null when none is.
const Preset* MatchingPreset(const ConvertOptions& options, bool invert, uint32_t depth = 1);

const Preset* PresetsBegin();
const Preset* PresetsEnd();

// "msb first, bits vertical, bytes horizontal, fill zero": the options in
// the words of the command-line flags, and ", invert" when dark and light
// were swapped.
std::string LayoutInWords(const ConvertOptions& options, bool invert = false);
