// One input of the converter, a whole file in memory, as the 1-bit image
// that is packed. A 1-bit BMP that the Windows program reads takes the same
// loader and gives the same image; anything else goes to the decoder and
// the tone options.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "image/frame.h"
#include "image/tone.h"

class GreyPlane;
class MonoBitmap;

// The largest input the decoder takes.
const size_t kLargestInput = size_t(0x7FFFFFFF);

// How an image becomes the 1-bit image: decoded, alpha over the
// background, grey, rotated, flipped, fitted into the frame, then a
// threshold or a dither.
struct ImageOptions {
    ToneOptions tone;
    FrameOptions frame;
};

// The size of the image as it came, before the frame.
struct InputSize {
    uint32_t width = 0, height = 0;
};

// Loads the file in `data` into `bitmap`. False with `why` when it cannot:
// one line, without the input's name, such as "not an image this converter
// reads (PNG, BMP, PGM or PPM)" or "unsupported BMP: RLE8 compression". A
// 1-bit BMP the Windows program reads is that image itself, unless the
// frame options change it; then its pixels are black and white grey levels.
bool LoadInputBytes(const uint8_t* data, size_t size, const ImageOptions& options, MonoBitmap* bitmap,
                    std::string* why, InputSize* source = nullptr);

// The same through the decoder alone, for a file that the 1-bit reader has
// refused already.
bool DecodeInputBytes(const uint8_t* data, size_t size, const ImageOptions& options, MonoBitmap* bitmap,
                      std::string* why, InputSize* source = nullptr);

// The frame steps for a 1-bit image that the reader has loaded already:
// `bitmap` becomes the framed image, or is unloaded with `why`.
bool FrameBitmap(const ImageOptions& options, MonoBitmap* bitmap, std::string* why,
                 InputSize* source = nullptr);

// The steps before the tone, for a caller that keeps their result while
// only the tone or the packing changes: the file's grey levels, turned
// and fitted into the frame, in `plane`; or, for a 1-bit BMP the frame
// leaves as it is, that image in `bitmap` (and `plane` stays empty).
// ToMono(plane) then gives what LoadInputBytes gives, byte for byte.
bool PrepareGrey(const uint8_t* data, size_t size, const ImageOptions& options, GreyPlane* plane,
                 MonoBitmap* bitmap, std::string* why, InputSize* source = nullptr);

// ToMono(plane), with the reason when memory runs out.
bool ToneGrey(const GreyPlane& plane, const ToneOptions& tone, MonoBitmap* bitmap, std::string* why);

// Grey levels turned and fitted into the frame.
bool FitGrey(const GreyPlane& plane, const ImageOptions& options, GreyPlane* fitted, std::string* why);

// What keeps the decoder from reading a BMP correctly, in a few words, or
// empty when nothing does. `data` starts with "BM".
std::string BmpProblem(const uint8_t* data, size_t size);

// The same for a binary PGM or PPM: its three header numbers must be
// whole numbers the decoder can hold. `data` starts with "P5" or "P6".
std::string PnmProblem(const uint8_t* data, size_t size);
