// The tone of the grey formats: dark and light by a threshold, for the
// 1-bit image, or 2^bits evenly spaced levels of grey or coverage, each
// pixel the nearest level or a dither between the two its grey lies
// between. Through image/tone.h.
#pragma once

#include <cstdint>

#include "core/pixel_format.h"
#include "image/tone.h"

class LevelImage;
class MonoBitmap;

// The source's greys as a new 1-bit image of their size in `bitmap`.
bool ToneDarkLight(const ToneSource& source, const ToneOptions& tone, MonoBitmap* bitmap);

// The source's greys (or coverages, for a coverage format) as a new image
// of the format's levels in `levels`. The threshold plays no part.
bool ToneLevels(const ToneSource& source, const ToneOptions& tone, PixelFormat format, LevelImage* levels);

// A 1-bit image's pixels as the format's levels, eight pixels at a time.
bool LevelsOfBitmap(const MonoBitmap& bitmap, PixelFormat format, LevelImage* levels);
