// The tone of the colour formats, through image/tone.h: each pixel the
// value of its nearest palette colour, or of its own colour in a direct
// format; or a dither. With a palette, Floyd-Steinberg and Atkinson carry
// the error in linear light to the pixels ahead and choose the ink nearest
// in OKLab; Bayer orders the choice between the two inks nearest the
// colour, so a patch of colour between two inks gives them in its own
// proportion of light. In a direct format the dithers work per channel
// between its steps; without one, each channel keeps its top bits.
#pragma once

#include <cstdint>

#include "core/pixel_format.h"
#include "image/palette.h"
#include "image/tone.h"

class DirectImage;
class LevelImage;

// The source's pixels as the palette's values in `levels`, a new image of
// the palette's depth. Alpha is composited over the source's background
// first. False when memory is short.
bool TonePalette(const ToneSource& source, const ToneOptions& tone, const Palette& palette, LevelImage* levels);

// The source's pixels as values of the direct `format` in `image`. Formats
// without alpha composite it over the source's background first.
bool ToneDirect(const ToneSource& source, const ToneOptions& tone, PixelFormat format, DirectImage* image);

// The index of the palette colour nearest `colour` (in OKLab), unused
// values left out; the lowest index among equals.
uint32_t NearestInk(const Palette& palette, Rgb colour);
