// The one path from an image file, whole in memory, to the 1-bit image
// that is packed. Its steps, always in this order:
//   read    a 1-bit BMP the Windows program reads takes its reader; anything
//           else is checked (image/file_kind.h) and decoded (stb_image)
//   grey    alpha over the background, colours by their luminance; for
//           colour output the image stays in its own channels
//   turn    rotate, then flip
//   fit     scale and place in the frame
//   tone    threshold or dither to a 1-bit image, or to levels (2, 4 or
//           8 bits a pixel) of grey or of coverage, or to a palette's
//           values or a direct colour format
// A 1-bit BMP with no frame step asked for is that image itself, byte for
// byte; with one, its pixels go through the steps as black and white.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/colour.h"
#include "core/direct_image.h"
#include "core/level_image.h"
#include "core/mono_bitmap.h"
#include "image/frame.h"
#include "image/grey_plane.h"
#include "image/image_decoder.h"
#include "image/palette.h"
#include "image/tone.h"

// The largest input the decoder takes.
const size_t kLargestInput = size_t(0x7FFFFFFF);

struct ImageOptions {
    ToneOptions tone;
    FrameOptions frame;
    uint32_t depth = 1;                        // 1: a 1-bit image; 2, 4 or 8: levels, 0 black
    GreyFrom from = GreyFrom::Luminance;       // Coverage: levels of coverage (alpha)
    Palette palette;                           // not empty: the values of its colours, at its depth
    DirectFormat direct = DirectFormat::None;  // or each pixel's own colour in this format

    // True when the image becomes levels (or a palette's values) rather
    // than a 1-bit image.
    bool ToLevels() const { return depth > 1 || from == GreyFrom::Coverage || !palette.Empty(); }
    // True when the image keeps its colour through the frame.
    bool InColour() const { return !palette.Empty() || direct != DirectFormat::None; }
};

// The image a run packs: the 1-bit image, an image of levels (of grey, or
// a palette's values), or an image in a direct colour format.
struct Picture {
    MonoBitmap mono;
    LevelImage levels;
    bool coverage = false;     // the levels say coverage (ink) rather than brightness
    std::vector<Rgb> palette;  // not empty: level v shows as palette[v]
    DirectImage direct;

    bool InLevels() const { return levels.Depth() != 0; }
    bool InDirect() const { return direct.Format() != DirectFormat::None; }
    bool InColour() const { return InDirect() || (InLevels() && !palette.empty()); }
    uint32_t Width() const { return InDirect() ? direct.Width() : InLevels() ? levels.Width() : mono.Width(); }
    uint32_t Height() const { return InDirect() ? direct.Height() : InLevels() ? levels.Height() : mono.Height(); }
    // Anything at all held, pixels or not.
    bool Held() const { return InLevels() || InDirect() || mono.IsLoaded(); }
    void Release() {
        mono.Unload();
        levels.Release();
        direct.Release();
        palette.clear();
    }
};

// The colour pixel (x, y) of a held picture shows as: a palette's colour,
// a direct colour widened to 8 bits a channel, a grey level's grey (the
// ink's for coverage), black or white. `rgba` gets four bytes.
void ColourOfPixel(const Picture& picture, uint32_t x, uint32_t y, uint8_t rgba[4]);

// The size of the image as it came, before the frame.
struct InputSize {
    uint32_t width = 0, height = 0;
};

// The image as far as the tone, for a caller that keeps it while only the
// tone or the packing changes: grey levels in the frame, or, when no frame
// step is asked for, the decoded image itself, made grey a row at a time
// as the tone reads it (it is never held whole as grey levels).
class PreparedImage {
public:
    // True when there is nothing to tone: a 1-bit image taken as it is.
    bool Empty() const { return framed.Width() == 0 && decoded.Width() == 0; }
    // What the tone reads: the framed pixels, or the decoded image itself.
    PixelRows Source() const;

private:
    friend bool PrepareImage(const uint8_t*, size_t, const ImageOptions&, PreparedImage*, MonoBitmap*, std::string*,
                             InputSize*);
    friend bool PrepareBitmap(const ImageOptions&, PreparedImage*, MonoBitmap*, std::string*);
    friend bool ToneImage(const PreparedImage&, const ImageOptions&, Picture*, std::string*);
    friend bool FrameLevels(const ImageOptions&, Picture*, std::string*, InputSize*);
    friend bool PrepareFrame(const Animation&, uint32_t, const ImageOptions&, PreparedImage*, std::string*);
    friend bool FrameDecoded(const ImageOptions&, PreparedImage*, std::string*);

    Plane framed;  // grey levels, or the image's own channels for colour
    GreyImage decoded;
    uint32_t background = 255;  // what the decoded image's alpha is composited over
    GreyFrom from = GreyFrom::Luminance;
};

// The steps before the tone: the file in `data` into `prepared`; or, for a
// 1-bit BMP the frame leaves as it is, that image into `bitmap` (and
// `prepared` stays empty). False with `why` when it cannot: one line,
// without the input's name, such as "not an image this converter reads
// (PNG, BMP, GIF, PGM or PPM)" or "unsupported BMP: RLE8 compression".
bool PrepareImage(const uint8_t* data, size_t size, const ImageOptions& options, PreparedImage* prepared,
                  MonoBitmap* bitmap, std::string* why, InputSize* source = nullptr);

// The steps before the tone for frame `index` of an animation.
bool PrepareFrame(const Animation& animation, uint32_t index, const ImageOptions& options, PreparedImage* prepared,
                  std::string* why);

// Those after the decoding, for the image in prepared->decoded.
bool FrameDecoded(const ImageOptions& options, PreparedImage* prepared, std::string* why);

// The same for a 1-bit image already in `bitmap` (read from a file, or
// from packed bytes): it stays there when the frame leaves it as it is;
// otherwise it becomes grey levels in `prepared` and `bitmap` is unloaded.
bool PrepareBitmap(const ImageOptions& options, PreparedImage* prepared, MonoBitmap* bitmap, std::string* why);

// The tone: `prepared` into `picture` as a new 1-bit image, or as levels
// of the options' depth. An empty one is the 1-bit image already in
// picture->mono: it stays, or becomes levels (dark 0 and light the top, or
// as coverage dark the top).
bool ToneImage(const PreparedImage& prepared, const ImageOptions& options, Picture* picture, std::string* why);

// The tone of one frame of an animation, steady where the picture stands
// still: a pixel whose framed colour is the one the frame before had there
// takes that frame's toned value (`toned`, from `before`), so that a
// diffusion dither, whose error runs on from whatever changed, does not
// make a still background crawl from frame to frame. Without a frame
// before, ToneImage.
bool ToneFrame(const PreparedImage& prepared, const ImageOptions& options, const PreparedImage* before,
               const Picture* toned, Picture* picture, std::string* why);

// Every step: PrepareImage, then ToneImage.
bool ConvertImageBytes(const uint8_t* data, size_t size, const ImageOptions& options, Picture* picture,
                       std::string* why, InputSize* source = nullptr);

// The steps after the read for a 1-bit image already in picture->mono:
// PrepareBitmap, then ToneImage. The picture becomes the framed image, or
// is released with `why`.
bool FramePicture(const ImageOptions& options, Picture* picture, std::string* why, InputSize* source = nullptr);

// The same for an image of levels already in picture->levels, or of direct
// colour in picture->direct (read back from packed bytes): its greys or
// colours go through the frame and the tone again, unless the frame
// leaves it as it is.
bool FrameLevels(const ImageOptions& options, Picture* picture, std::string* why, InputSize* source = nullptr);
