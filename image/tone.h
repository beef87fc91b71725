// From the framed picture to the values of its pixel format: each pixel
// its nearest value, or a dither (image/dither.h). The format says which
// quantiser does the work: dark and light (image/grey_tone.cpp), levels
// of grey or coverage (the same), a palette's inks or a direct format's
// channels (image/colour_tone.cpp).
#pragma once

#include <cstdint>

#include "image/channel_image.h"
#include "image/dither.h"

class PixelImage;
struct ImageOptions;

struct ToneOptions {
    // A pixel is dark when its grey level (0 black to 255 white) is below
    // this many hundredths of a level: the default is 50 % of 255, 0 makes
    // nothing dark. The dithers decide at the same level. Only the 1-bit
    // image has a threshold; the others take their nearest values.
    uint32_t thresholdHundredths = 12750;
    Dither dither = Dither::None;
    bool blackBackground = false;  // composite alpha, and fill margins, with black
    bool serpentine = false;       // error diffusion walks every other row from the right
};

// Reads "N" (0 to 255) or "P%" (0 to 100, decimals allowed) into
// `hundredths` of a grey level. False for anything else.
bool ParseThreshold(const char* text, uint32_t* hundredths);

// What the tone reads, a row at a time: a framed image (for a grey format
// already a grey level or a coverage a byte), or a decoded image as it is,
// made grey (or RGBA) a row at a time with alpha over the background.
struct ToneSource {
    PixelRows rows;
    bool flat;            // a grey format reads each byte as it is
    uint32_t background;  // 255 white or 0 black: what alpha is composited over where it is not kept
};

// The source into `image`, a new image of the options' format (with the
// palette's colours for a palette's values). False when memory is short.
bool ToneRows(const ToneSource& source, const ImageOptions& options, PixelImage* image);

// A 1-bit image (`oneBit`, of the Mono format) as a new image of the
// options' format, another: for a grey format dark 0 and light the top (as
// coverage, dark the top), exact levels that no dither moves; for colour
// through the tone as black and white. False when memory is short.
bool ToneBitmap(const PixelImage& oneBit, const ImageOptions& options, PixelImage* image);
