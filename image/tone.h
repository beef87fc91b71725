// From grey levels to dark and light: a threshold, or one of three dithers.
#pragma once

#include <cstdint>
#include <string>

class GreyImage;
class Plane;
class MonoBitmap;

enum class Dither {
    None,            // the threshold alone
    FloydSteinberg,  // error diffusion: 7/16 right, 3/16, 5/16, 1/16 below
    Atkinson,        // error diffusion of 3/4 of the error, 1/8 to six pixels
    Bayer,           // ordered, an 8 x 8 threshold map: no error travels
};

struct ToneOptions {
    // A pixel is dark when its grey level (0 black to 255 white) is below
    // this many hundredths of a level: the default is 50 % of 255, 0 makes
    // nothing dark. The dithers decide at the same level.
    uint32_t thresholdHundredths = 12750;
    Dither dither = Dither::None;
    bool blackBackground = false;  // composite alpha, and fill margins, with black
};

// Reads "N" (0 to 255) or "P%" (0 to 100, decimals allowed) into
// `hundredths` of a grey level. False for anything else.
bool ParseThreshold(const char* text, uint32_t* hundredths);

// Draws `image`, alpha over the background, into `bitmap` as a new image
// of the same size. False when the 1-bit image cannot be held in memory.
bool ToMono(const GreyImage& image, const ToneOptions& tone, MonoBitmap* bitmap);

// The same for grey levels already flattened.
bool ToMono(const Plane& plane, const ToneOptions& tone, MonoBitmap* bitmap);
