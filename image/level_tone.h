// From grey levels (0 black to 255 white) to the 2^depth levels of a grey
// display, evenly spaced: each pixel the nearest level, or a dither
// between the two levels its grey lies between. Floyd-Steinberg and
// Atkinson diffuse the error to the nearest level; Bayer orders the choice
// between the two neighbouring levels, so a flat grey gives those two in
// its own proportion. The threshold plays no part.
#pragma once

#include <cstdint>

#include "image/grey_plane.h"
#include "image/tone.h"

class GreyImage;
class LevelImage;

// The plane into `levels` as a new image of `depth` (2, 4 or 8) bits a
// pixel. False when it cannot be held in memory.
bool ToLevels(const Plane& plane, const ToneOptions& tone, uint32_t depth, LevelImage* levels);

// The same for a decoded image, made grey (alpha over the tone's
// background) or coverage a row at a time.
bool ToLevels(const GreyImage& image, const ToneOptions& tone, uint32_t depth, GreyFrom from, LevelImage* levels);
