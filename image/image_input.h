// The one path from an image file, whole in memory, to the image that is
// packed. Its steps, always in this order:
//   read    a 1-bit BMP the Windows program reads takes its reader; anything
//           else is checked (image/file_kind.h) and decoded (image/
//           image_decoder.h), a JPEG reduced while decoding where the frame
//           is much smaller, and a camera's picture stood upright
//   grey    alpha over the background, colours by their luminance (or as
//           coverage); for a format that keeps colour the image stays in
//           its own channels
//   turn    rotate, then flip
//   fit     scale and place in the frame
//   tone    into the values of the pixel format (image/tone.h)
// A 1-bit BMP with no frame step asked for is that image itself, byte for
// byte; with one, its pixels go through the steps as black and white.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/pixel_image.h"
#include "image/channel_image.h"
#include "image/image_decoder.h"
#include "image/image_options.h"

// The largest input the decoder takes.
const size_t kLargestInput = size_t(0x7FFFFFFF);

// The size of the image as it came, before the frame (stood upright), and
// how it was stood upright (EXIF's orientation: 1, as it was stored, to 8).
struct InputSize {
    uint32_t width = 0, height = 0;
    int orientation = 1;
};

// The image as far as the tone, for a caller that keeps it while only the
// tone or the packing changes: the framed pixels, or, when no frame step
// is asked for, the decoded image itself, made grey a row at a time as the
// tone reads it (it is never held whole as grey levels).
class PreparedImage {
public:
    // True when there is nothing here: the 1-bit image the picture holds
    // passes as it is.
    bool KeepsBitmap() const { return framed.Width() == 0 && decoded.Width() == 0; }
    // What the tone reads: the framed pixels, or the decoded image itself.
    ToneSource Source() const;
    // The size of the image as it came, before the frame.
    InputSize Original() const { return original; }

private:
    friend bool PrepareImage(const uint8_t*, size_t, const ImageOptions&, PreparedImage*, PixelImage*, std::string*);
    friend bool PrepareHeld(const ImageOptions&, PreparedImage*, PixelImage*, std::string*);
    friend bool PrepareFrame(const Animation&, uint32_t, const ImageOptions&, PreparedImage*, std::string*);
    friend bool FrameDecoded(const ImageOptions&, PreparedImage*, std::string*);

    ChannelImage framed;  // grey levels (or coverage), or the image's own channels for colour
    DecodedImage decoded;
    uint32_t background = 255;  // what the decoded image's alpha is composited over
    InputSize original;
};

// The steps before the tone: the file in `data` into `prepared`; or, for a
// 1-bit BMP the frame leaves as it is, that image into `picture` (and
// `prepared` stays empty). False with `why` when it cannot: one line,
// without the input's name, such as "not an image this converter reads
// (PNG, JPEG, WebP, BMP, GIF, PGM or PPM)" or "unsupported BMP: RLE8 compression".
bool PrepareImage(const uint8_t* data, size_t size, const ImageOptions& options, PreparedImage* prepared,
                  PixelImage* picture, std::string* why);

// The steps before the tone for frame `index` of an animation.
bool PrepareFrame(const Animation& animation, uint32_t index, const ImageOptions& options, PreparedImage* prepared,
                  std::string* why);

// Those after the decoding, for the image in prepared->decoded.
bool FrameDecoded(const ImageOptions& options, PreparedImage* prepared, std::string* why);

// The same for an image already held (a 1-bit file, or packed bytes read
// back): it stays in `picture` when the frame leaves it as it is;
// otherwise the colours it shows go into `prepared` and `picture` is
// released.
bool PrepareHeld(const ImageOptions& options, PreparedImage* prepared, PixelImage* picture, std::string* why);

// The tone: `prepared` into `picture` as a new image of the options'
// format. An empty one is the 1-bit image already in the picture: it
// stays, or becomes the format's values.
bool ToneImage(const PreparedImage& prepared, const ImageOptions& options, PixelImage* picture, std::string* why);

// The tone of one frame of an animation, steady where the picture stands
// still: a pixel whose framed colour is the one the frame before had there
// takes that frame's toned value (`toned`, from `before`), so that a
// diffusion dither, whose error runs on from whatever changed, does not
// make a still background crawl from frame to frame. Without a frame
// before, ToneImage.
bool ToneFrame(const PreparedImage& prepared, const ImageOptions& options, const PreparedImage* before,
               const PixelImage* toned, PixelImage* picture, std::string* why);

// Every step: PrepareImage, then ToneImage.
bool ConvertImageBytes(const uint8_t* data, size_t size, const ImageOptions& options, PixelImage* picture,
                       std::string* why, InputSize* source = nullptr);

// The steps after the read for an image already in `picture`: a 1-bit
// file, or packed bytes read back in the options' format. The picture
// becomes the framed image of that format, or is released with `why`.
// Read back, an image the frame leaves as it is stays as it was read.
bool FrameHeldImage(const ImageOptions& options, PixelImage* picture, std::string* why, InputSize* source = nullptr);
