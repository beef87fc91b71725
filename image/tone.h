// From grey levels to dark and light: alpha composited over a background,
// then a threshold or Floyd-Steinberg error diffusion.
#pragma once

#include <cstdint>
#include <string>

class GreyImage;
class MonoBitmap;

struct ToneOptions {
    // A pixel is dark when its grey level (0 black to 255 white) is below
    // level / 100: the default is 50 % of 255, 0 makes nothing dark.
    uint32_t level = 12750;
    bool dither = false;
    bool blackBackground = false;  // composite alpha over black, not white
};

// Reads "N" (0 to 255) or "P%" (0 to 100, decimals allowed) into
// `level`. False for anything else.
bool ParseThreshold(const char* text, uint32_t* level);

// Draws `image` into `bitmap` as a new image of the same size. False when
// the 1-bit image cannot be held in memory.
bool ToMono(const GreyImage& image, const ToneOptions& tone, MonoBitmap* bitmap);
