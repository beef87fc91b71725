// What the image steps make of each input: the pixel format its pixels
// become (with the display's palette for a palette's values), the tone and
// the frame. Resolved once from the command line (or the page's controls);
// every step reads it.
#pragma once

#include "core/pixel_format.h"
#include "image/frame.h"
#include "image/palette.h"
#include "image/tone.h"

struct ImageOptions {
    PixelFormat format = PixelFormat::Mono;
    Palette palette;  // a palette's values: the display's colours, value 0 first
    ToneOptions tone;
    FrameOptions frame;
};

// What the one byte a pixel of the framed image says for this format: its
// grey, or for a coverage format how much is covered.
inline GreyFrom GreyFromOf(PixelFormat format) {
    return IsAlphaOnly(format) ? GreyFrom::Coverage : GreyFrom::Luminance;
}
