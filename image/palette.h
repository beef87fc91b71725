// A display's colours, in the order of the values it reads: value v shows
// as colour v. Named after the panels that take them, or given as
// #RRGGBB,#RRGGBB,... on the command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/pixel_format.h"

struct Palette {
    std::vector<Rgb> colours;  // value v's colour; empty: no palette
    std::vector<bool> unused;  // values the display does not take ("-" in the list): never chosen
    std::vector<Rgb> inks;     // what value v looks like on the panel: its measured ink, or `colours[v]`
    std::string name;          // a named palette's name, or empty

    bool Empty() const { return colours.empty(); }
    uint32_t Size() const { return static_cast<uint32_t>(colours.size()); }
    // Bits a value: 1 for 2 colours, 2 up to 4, 4 up to 16, 8 up to 256.
    uint32_t Depth() const;
    // True when some value's ink is not its colour.
    bool HasMeasuredInks() const { return inks != colours; }
    // The inks as the values' colours themselves: pure red for red.
    void UseIdealInks() { inks = colours; }
    // Each value's colour and its ink, black for unused values, as a
    // picture holds them.
    std::vector<Rgb> ValueColours() const;
    std::vector<Rgb> ShownColours() const;
    // The list as ParsePalette takes it: each colour, "=ink" where the
    // ink differs, "-" for unused values.
    std::string Text() const;
};

struct NamedPalette {
    const char* name;
    const char* colours;  // as --palette takes them
    const char* help;     // the panels and the driver it was checked against
};

const NamedPalette* NamedPalettesBegin();
const NamedPalette* NamedPalettesEnd();

// A named palette, or a list of #RRGGBB colours (or RRGGBB, either case)
// by commas, "-" for a value the display does not take; a colour may be
// followed by "=#RRGGBB", the ink the panel really shows for it (the
// dither chooses and measures by the inks; the bytes are the values).
// False with `error` (one line) for an unknown name, a malformed colour, a
// colour given twice, more than 256 values or none.
bool ParsePalette(const char* text, Palette* palette, std::string* error);
