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
    std::string name;          // a named palette's name, or empty

    bool Empty() const { return colours.empty(); }
    uint32_t Size() const { return static_cast<uint32_t>(colours.size()); }
    // Bits a value: 1 for 2 colours, 2 up to 4, 4 up to 16, 8 up to 256.
    uint32_t Depth() const;
};

struct NamedPalette {
    const char* name;
    const char* colours;  // as --palette takes them
    const char* help;     // the panels and the driver it was checked against
};

const NamedPalette* NamedPalettesBegin();
const NamedPalette* NamedPalettesEnd();

// A named palette, or a list of #RRGGBB colours (or RRGGBB, either case)
// by commas, "-" for a value the display does not take. False with
// `error` (one line) for an unknown name, a malformed colour, a colour
// given twice, more than 256 values or none.
bool ParsePalette(const char* text, Palette* palette, std::string* error);
