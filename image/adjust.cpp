#include "image/adjust.h"

#include <algorithm>
#include <cmath>

#include "image/channel_image.h"

namespace {

// What each byte becomes through gamma, contrast and brightness.
void MakeTable(const ToneAdjust& adjust, uint8_t table[256]) {
    const double spread = (100.0 + adjust.contrast) / 100.0, lift = adjust.brightness / 100.0;
    for (int v = 0; v < 256; ++v) {
        double x = std::pow(v / 255.0, 1.0 / adjust.gamma);
        x = (x - 0.5) * spread + 0.5 + lift;
        table[v] = static_cast<uint8_t>(std::lround(std::clamp(x, 0.0, 1.0) * 255.0));
    }
}

}  // namespace

bool AdjustTone(const ChannelImage& image, const ToneAdjust& adjust, GreyFrom from, ChannelImage* out) {
    const uint32_t channels = image.Channels();
    if (!out->Create(image.Width(), image.Height(), 0, channels)) return false;
    uint8_t table[256];
    MakeTable(adjust, table);
    // Coverage is the darkness of the picture: its light is 255 less it.
    if (from == GreyFrom::Coverage)
        for (uint8_t& t : table) t = static_cast<uint8_t>(255 - t);
    const bool colour = channels >= 3, alpha = channels % 2 == 0;
    const uint32_t colours = channels - (alpha ? 1 : 0);
    const int saturation = 100 + adjust.saturation;  // in hundredths
    for (uint32_t y = 0; y < image.Height(); ++y) {
        const uint8_t* in = image.Row(y);
        uint8_t* row = out->Row(y);
        for (uint32_t x = 0; x < image.Width(); ++x, in += channels, row += channels) {
            if (colour && saturation != 100) {
                const int grey = (77 * in[0] + 150 * in[1] + 29 * in[2]) >> 8;
                for (int c = 0; c < 3; ++c) {
                    const int v = grey + (saturation * (in[c] - grey) + (in[c] >= grey ? 50 : -50)) / 100;
                    row[c] = table[std::clamp(v, 0, 255)];
                }
            } else {
                for (uint32_t c = 0; c < colours; ++c) row[c] = table[from == GreyFrom::Coverage ? 255 - in[c] : in[c]];
            }
            if (alpha) row[channels - 1] = in[channels - 1];
        }
    }
    return true;
}
