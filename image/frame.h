// Getting from the picture the user has to the frame the display has:
// turned (rotated clockwise, then flipped), then scaled and placed in a
// frame of the display's size, the margins in the background's grey.
#pragma once

#include <cstdint>
#include <string>

#include "image/adjust.h"

class ChannelImage;

enum class Fit {
    Contain,  // the largest size that keeps the proportions and shows all of it
    Cover,    // the smallest size that keeps the proportions and fills the frame
    Stretch,  // the frame's own size, each axis scaled on its own
    None,     // the image's own size
};

enum class Resample {
    Auto,     // Mitchell-Netravali when shrinking, Catmull-Rom when enlarging
    Nearest,  // each pixel from the nearest one: whole multiples repeat pixels
    Box,
    Triangle,
    CatmullRom,
    Mitchell,
};

struct FrameOptions {
    uint32_t width = 0, height = 0;  // the frame; 0: the turned image's own size
    Fit fit = Fit::Contain;
    int alignX = 0;       // -1 left, 0 centre, 1 right
    int alignY = 0;       // -1 top, 0 centre, 1 bottom
    uint32_t rotate = 0;  // clockwise: 0, 90, 180 or 270
    bool flipH = false;   // left and right swap (after the rotation)
    bool flipV = false;   // top and bottom swap
    Resample resample = Resample::Auto;
    ToneAdjust adjust;  // the picture's tone, adjusted before it is scaled

    // True when the image leaves these steps as it came.
    bool KeepsTheImage() const { return width == 0 && rotate == 0 && !flipH && !flipV && adjust.Neutral(); }
};

// The frame's turn done after the one that stands a camera's picture
// upright (EXIF's orientation, 1 to 8), as one turn.
FrameOptions TurnedUpright(int orientation, FrameOptions frame);

// The largest frame a command may ask for, in pixels, and on either side.
const uint64_t kMaxFramePixels = uint64_t(1) << 28;
const uint32_t kMaxFrameSide = 1u << 20;

// Where the scaled image lies in a frame: its size (which may be larger
// than the frame) and the frame position of its top left corner, negative
// where it overflows. Centred, the odd pixel of a margin or of what is cut
// off goes to the right and the bottom.
struct Placement {
    uint64_t width, height;
    int64_t left, top;
};
Placement PlaceInFrame(uint32_t imageWidth, uint32_t imageHeight, const FrameOptions& frame);

// The image rotated, then flipped, as the options say. False when the
// result cannot be held.
bool TurnImage(const ChannelImage& in, const FrameOptions& frame, ChannelImage* out);

// The image scaled and placed in the frame (of the options' size, or of
// its own), the rest of the frame `background`. False when the frame
// cannot be held.
bool FitImage(const ChannelImage& in, const FrameOptions& frame, uint8_t background, ChannelImage* out);
