// From colour to what a colour display takes: each pixel the value of its
// nearest palette colour, or of its own colour in a direct format; or a
// dither. With a palette, Floyd-Steinberg and Atkinson carry the error in
// linear light to the pixels ahead and choose the ink nearest in OKLab;
// Bayer orders the choice between the two inks nearest the colour, so a
// patch of colour between two inks gives them in its own proportion of
// light. In a direct format the dithers work per channel between its steps
// (an RGB565 red of 5 bits has 32); without one, each channel keeps its
// top bits, as the format's definition says.
#pragma once

#include <cstdint>

#include "core/colour.h"
#include "image/grey_plane.h"
#include "image/palette.h"
#include "image/tone.h"

class DirectImage;
class LevelImage;

// The pixels as the palette's values in `levels`, a new image of the
// palette's depth. Alpha is composited over the tone's background first.
// False when memory is short.
bool ToPalette(const PixelRows& rows, const ToneOptions& tone, const Palette& palette, LevelImage* levels);

// The pixels as values of `format` in `image`. Formats without alpha
// composite it over the tone's background first.
bool ToDirect(const PixelRows& rows, const ToneOptions& tone, DirectFormat format, DirectImage* image);

// The index of the palette colour nearest `colour` (in OKLab), unused
// values left out; the lowest index among equals.
uint32_t NearestInk(const Palette& palette, Rgb colour);
