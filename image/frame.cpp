#include "image/frame.h"

#include <algorithm>
#include <vector>

#include "image/channel_image.h"
#include "image/resample.h"

namespace {

// a x b / c, rounded to the nearest, at least 1.
uint64_t Scaled(uint64_t a, uint64_t b, uint64_t c) { return std::max<uint64_t>(1, (2 * a * b + c) / (2 * c)); }

// floor(a x b / c), whatever the size of a x b.
uint64_t MulDiv(uint64_t a, uint64_t b, uint64_t c) {
    __extension__ typedef unsigned __int128 Wide;
    return static_cast<uint64_t>(static_cast<Wide>(a) * b / c);
}

int64_t Offset(int align, uint32_t frame, uint64_t size) {
    const int64_t room = static_cast<int64_t>(frame) - static_cast<int64_t>(size);
    return align < 0 ? 0 : align > 0 ? room : room / 2;  // truncated: the odd pixel right or below
}

// A turn as what it does to a pixel's place about the centre, x right and
// y down: the rotation (a quarter clockwise takes (x, y) to (-y, x)), then
// the flips.
struct Turn {
    int xx, xy, yx, yy;
};

Turn Times(const Turn& a, const Turn& b) {
    return {a.xx * b.xx + a.xy * b.yx, a.xx * b.xy + a.xy * b.yy, a.yx * b.xx + a.yy * b.yx, a.yx * b.xy + a.yy * b.yy};
}

Turn TurnOf(uint32_t rotate, bool flipH, bool flipV) {
    Turn turn = {1, 0, 0, 1};
    for (uint32_t r = 0; r < rotate / 90; ++r) turn = Times({0, -1, 1, 0}, turn);
    return Times({flipH ? -1 : 1, 0, 0, flipV ? -1 : 1}, turn);
}

}  // namespace

FrameOptions TurnedUpright(int orientation, FrameOptions frame) {
    // EXIF's orientations 1 to 8 as a rotation and a flip.
    static const struct {
        uint32_t rotate;
        bool flipH, flipV;
    } kUpright[8] = {{0, false, false}, {0, true, false},   {180, false, false}, {0, false, true},
                     {90, true, false}, {90, false, false}, {90, false, true},   {270, false, false}};
    if (orientation < 1 || orientation > 8) return frame;
    const auto& upright = kUpright[orientation - 1];
    const Turn both =
        Times(TurnOf(frame.rotate, frame.flipH, frame.flipV), TurnOf(upright.rotate, upright.flipH, upright.flipV));
    for (uint32_t rotate = 0; rotate < 360; rotate += 90) {
        for (bool flipH : {false, true}) {
            const Turn turn = TurnOf(rotate, flipH, false);
            if (turn.xx == both.xx && turn.xy == both.xy && turn.yx == both.yx && turn.yy == both.yy) {
                frame.rotate = rotate;
                frame.flipH = flipH;
                frame.flipV = false;
                return frame;
            }
        }
    }
    return frame;  // not reached: the eight turns are all there are
}

Placement PlaceInFrame(uint32_t w, uint32_t h, const FrameOptions& frame) {
    const uint32_t fw = frame.width ? frame.width : w, fh = frame.height ? frame.height : h;
    Placement place = {w, h, 0, 0};
    // Whether the width decides the size: the image is wider than the frame
    // in proportion (w / h > fw / fh).
    const bool wider = static_cast<uint64_t>(w) * fh > static_cast<uint64_t>(h) * fw;
    switch (frame.width ? frame.fit : Fit::None) {
    case Fit::Contain:
        place.width = wider ? fw : Scaled(w, fh, h);
        place.height = wider ? Scaled(h, fw, w) : fh;
        break;
    case Fit::Cover:
        place.width = wider ? Scaled(w, fh, h) : fw;
        place.height = wider ? fh : Scaled(h, fw, w);
        break;
    case Fit::Stretch:
        place.width = fw;
        place.height = fh;
        break;
    case Fit::None:
        break;
    }
    place.left = Offset(frame.alignX, fw, place.width);
    place.top = Offset(frame.alignY, fh, place.height);
    return place;
}

bool TurnImage(const ChannelImage& in, const FrameOptions& frame, ChannelImage* out) {
    const uint32_t w = in.Width(), h = in.Height();
    const bool across = frame.rotate == 90 || frame.rotate == 270;
    const uint32_t ow = across ? h : w, oh = across ? w : h, c = in.Channels();
    if (!out->Create(ow, oh, 0, c)) return false;
    for (uint32_t y = 0; y < oh; ++y) {
        uint8_t* row = out->Row(y);
        const uint32_t ty = frame.flipV ? oh - 1 - y : y;  // the row before the flip
        for (uint32_t x = 0; x < ow; ++x) {
            const uint32_t tx = frame.flipH ? ow - 1 - x : x;
            // Clockwise: the source pixel that lands at (tx, ty).
            uint32_t sx = tx, sy = ty;
            if (frame.rotate == 90) sx = ty, sy = h - 1 - tx;
            if (frame.rotate == 180) sx = w - 1 - tx, sy = h - 1 - ty;
            if (frame.rotate == 270) sx = w - 1 - ty, sy = tx;
            if (c == 1) {
                row[x] = in.Row(sy)[sx];
            } else {
                std::copy_n(in.Row(sy) + static_cast<size_t>(sx) * c, c, row + static_cast<size_t>(x) * c);
            }
        }
    }
    return true;
}

bool FitImage(const ChannelImage& in, const FrameOptions& frame, uint8_t background, ChannelImage* out) {
    const uint32_t w = in.Width(), h = in.Height();
    const uint32_t fw = frame.width ? frame.width : w, fh = frame.height ? frame.height : h, c = in.Channels();
    // With alpha the margins are transparent: the background comes in as
    // alpha is composited.
    if (!out->Create(fw, fh, c % 2 == 0 ? 0 : background, c)) return false;
    const Placement place = PlaceInFrame(w, h, frame);
    // The part of the scaled image that lies in the frame, in its own pixels.
    const uint64_t x0 = place.left < 0 ? static_cast<uint64_t>(-place.left) : 0;
    const uint64_t y0 = place.top < 0 ? static_cast<uint64_t>(-place.top) : 0;
    const uint64_t x1 = std::min<int64_t>(place.width, static_cast<int64_t>(fw) - place.left);
    const uint64_t y1 = std::min<int64_t>(place.height, static_cast<int64_t>(fh) - place.top);
    if (static_cast<int64_t>(x1) <= static_cast<int64_t>(x0) || static_cast<int64_t>(y1) <= static_cast<int64_t>(y0))
        return true;
    const uint32_t outW = static_cast<uint32_t>(x1 - x0), outH = static_cast<uint32_t>(y1 - y0);
    uint8_t* target = out->Row(static_cast<uint32_t>(place.top + static_cast<int64_t>(y0))) +
                      (place.left + static_cast<int64_t>(x0)) * c;
    if (frame.resample != Resample::Nearest && (place.width != w || place.height != h)) {
        const ScaledRegion region = {place.width, place.height, x0, y0, outW, outH};
        return ResampleRegion(in, region, frame.resample, target, fw * c);
    }
    // Nearest, or no scaling: each frame pixel takes the source pixel under
    // its centre, (x + 1/2) x w / width.
    std::vector<uint32_t> columns(outW);
    for (uint32_t i = 0; i < outW; ++i)
        columns[i] = static_cast<uint32_t>(MulDiv(2 * (x0 + i) + 1, w, 2 * place.width));
    for (uint32_t j = 0; j < outH; ++j) {
        const uint8_t* source = in.Row(static_cast<uint32_t>(MulDiv(2 * (y0 + j) + 1, h, 2 * place.height)));
        uint8_t* row = target + static_cast<size_t>(j) * fw * c;
        if (c == 1) {
            for (uint32_t i = 0; i < outW; ++i) row[i] = source[columns[i]];
        } else {
            for (uint32_t i = 0; i < outW; ++i)
                std::copy_n(source + static_cast<size_t>(columns[i]) * c, c, row + static_cast<size_t>(i) * c);
        }
    }
    return true;
}
