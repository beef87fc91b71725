// Layouts named after what reads them, and in words.
#pragma once

#include <string>

#include "core/convert_options.h"
#include "core/pixel_format.h"

struct Preset {
    const char* name;
    ConvertOptions layout;
    bool invert = false;                     // dark pixels become clear bits
    PixelFormat format = PixelFormat::Mono;  // what each pixel becomes; a palette's values with `palette`
    const char* palette = nullptr;           // a named palette
    bool bigEndian = false;                  // a direct value's bytes, most significant first
    bool words = false;                      // the C forms write uint16_t (uint32_t) values, not bytes
    uint32_t blackInk = 1;                   // --planes of a three-colour palette: the bit that means black
    uint32_t colourInk = 1;                  // and the bit that means the ink in the colour plane
    bool planes = false;                     // a three-colour palette's values written as those two planes
    bool fillWhite = false;                  // e-paper: its driver draws a row's spare pixels, so they are white
    bool setBitLight = false;                // a set bit lights an OLED pixel, or shows white paper
    bool blackBlank = false;                 // its blank is unlit: margins and transparency black, not white
    const char* what = "";                   // the drawing function or controller, in a few words
    const char* help = "";                   // the layout and what it was checked against, for --help
};

// Null when no preset has that name.
const Preset* FindPreset(const char* name);

// The first preset of greys (no palette, no colour) whose layout, inversion
// and bits a pixel these are; null when none is, or the format is not one
// of greys.
const Preset* MatchingPreset(const ConvertOptions& layout, bool invert, PixelFormat format);

const Preset* PresetsBegin();
const Preset* PresetsEnd();

// "msb first, bits vertical, bytes horizontal, fill zero": the options in
// the words of the command-line flags, and ", invert" when dark and light
// were swapped.
// With `fillWhite`, "fill white": the spare pixels are white pixels.
std::string LayoutInWords(const ConvertOptions& options, bool invert = false, bool fillWhite = false);
