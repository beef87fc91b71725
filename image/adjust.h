// The picture's tone, adjusted in the frame step before the frame's
// margins are added: brightness, contrast, gamma and saturation, for a
// photograph whose range is wider than the panel's.
#pragma once

#include <cstdint>

class ChannelImage;
enum class GreyFrom;

struct ToneAdjust {
    int brightness = 0;  // -100 to 100: a share of white added (or taken)
    int contrast = 0;    // -100 (flat mid grey) to 100 (twice the spread around mid grey)
    int saturation = 0;  // -100 (grey) to 100 (twice the colour's distance from its grey)
    double gamma = 1.0;  // 0.1 to 10: value v becomes 255 (v / 255)^(1 / gamma); above 1 lighter mid tones

    bool Neutral() const { return brightness == 0 && contrast == 0 && saturation == 0 && gamma == 1.0; }
};

// `image` adjusted into `out`: saturation on colour (each channel drawn
// towards or away from the pixel's luminance, 77 R + 150 G + 29 B over
// 256), then gamma, contrast and brightness on each colour or grey channel;
// alpha stays. A coverage image's byte is adjusted as the darkness it is.
// False when `out` cannot be held.
bool AdjustTone(const ChannelImage& image, const ToneAdjust& adjust, GreyFrom from, ChannelImage* out);
