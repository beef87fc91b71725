// The maintained decoders behind every input that is not a 1-bit BMP the
// Windows program reads: stb_image for PNG (every colour type and depth),
// BMP of the other depths, binary PGM and PPM and GIF (a still, or every
// frame); libjpeg-turbo for JPEG; libwebp for WebP (a still, or every
// frame). Samples arrive as 8 bits (16-bit ones keep their high byte) in
// the file's own channels; stb_image's own channel conversion is never
// asked for, as it misreads 16-bit PGM/PPM.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "image/channel_image.h"
#include "image/decoder_memory.h"
#include "image/file_kind.h"
#include "image/frame.h"

// And no image may have more pixels than this: 1 GiB as 8-bit RGBA.
const uint64_t kMaxDecodedPixels = uint64_t(1) << 28;
// Nor a side longer than this.
const uint32_t kMaxDecodedSide = uint32_t(1) << 20;

// Native builds decode PNGs a row at a time with libpng, into the same
// pixels stb_image gives; the Windows exe and the page use stb_image alone.
//
// How far a decoder may shrink the picture while it decodes (JPEG's 1/2,
// 1/4 and 1/8): as far as the picture, stood upright and turned and
// scaled as `frame` says, still has a pixel for each of its pixels in the
// frame. No frame, or a frame of the image's own size: not at all.
struct DecodeHint {
    const FrameOptions* frame = nullptr;
};

// A decoded image: grey, grey and alpha, RGB or RGBA, 8 bits a sample.
class DecodedImage {
public:
    DecodedImage() = default;
    ~DecodedImage();
    DecodedImage(const DecodedImage&) = delete;
    DecodedImage& operator=(const DecodedImage&) = delete;

    uint32_t Width() const { return width; }
    uint32_t Height() const { return height; }
    uint32_t Channels() const { return channels; }    // 1 to 4, alpha last when even
    const uint8_t* Pixels() const { return pixels; }  // rows from the top
    // The size the file holds, which a reduced decode makes smaller.
    uint32_t FileWidth() const { return fileWidth; }
    uint32_t FileHeight() const { return fileHeight; }
    // How the picture is to be turned to stand as it was taken: EXIF's 1
    // (as it is) to 8.
    int Orientation() const { return orientation; }
    PixelRows Rows() const { return {pixels, width, height, channels, static_cast<size_t>(width) * channels}; }
    // Frees the pixels early, once they are no longer needed.
    void Release();

private:
    friend bool DecodeImage(const uint8_t*, size_t, const DecodeHint&, DecodedImage*, std::string*, bool);
    friend bool DecodeJpeg(const uint8_t*, size_t, const DecodeHint&, DecodedImage*, std::string*);
    friend bool DecodeWebp(const uint8_t*, size_t, DecodedImage*, std::string*);
    friend bool CopyFrame(const class Animation&, uint32_t, DecodedImage*);
    uint8_t* pixels = nullptr;  // from DecoderMalloc
    uint32_t width = 0, height = 0, channels = 0;
    uint32_t fileWidth = 0, fileHeight = 0;
    int orientation = 1;
};

// False with `why` (a few words, no file name) when the data is not an
// image the decoder reads, or it is damaged, or too large. `rowDecoder`
// false leaves libpng out, for the tests that hold the two to each other.
// An animated WebP gives its first frame.
bool DecodeImage(const uint8_t* data, size_t size, const DecodeHint& hint, DecodedImage* image, std::string* why,
                 bool rowDecoder = true);
inline bool DecodeImage(const uint8_t* data, size_t size, DecodedImage* image, std::string* why) {
    return DecodeImage(data, size, DecodeHint(), image, why);
}

// Every frame of an animated GIF or WebP, each composited over those
// before it as the file says (its disposal and blending), RGBA, 8 bits a
// sample; and each frame's delay in milliseconds.
class Animation {
public:
    Animation() = default;
    ~Animation();
    Animation(const Animation&) = delete;
    Animation& operator=(const Animation&) = delete;

    uint32_t Width() const { return width; }
    uint32_t Height() const { return height; }
    uint32_t Count() const { return count; }
    const uint8_t* Frame(uint32_t index) const { return pixels + static_cast<size_t>(index) * width * height * 4; }
    uint32_t Delay(uint32_t index) const { return delays[index]; }
    void Release();

private:
    friend bool DecodeAnimation(const uint8_t*, size_t, const GifFacts&, Animation*, std::string*);
    friend bool DecodeWebpAnimation(const uint8_t*, size_t, Animation*, std::string*, uint32_t);
    uint8_t* pixels = nullptr;
    uint32_t width = 0, height = 0, count = 0;
    std::vector<uint32_t> delays;
};

// The first `most` frames of an animated WebP (every one by default).
// False with `why` when a frame cannot be decoded, or the frames are more
// than kMaxFrames or together hold more than kMaxDecodedPixels.
bool DecodeWebpAnimation(const uint8_t* data, size_t size, Animation* animation, std::string* why,
                         uint32_t most = UINT32_MAX);

// How many frames a WebP holds (1 for a still), or 0 when its chunks
// cannot be read.
uint32_t WebpFrameCount(const uint8_t* data, size_t size);

// Each kind's decoder, behind DecodeImage: false with `why` as it says.
// A JPEG comes reduced as `hint` allows, with its EXIF orientation told.
bool DecodeJpeg(const uint8_t* data, size_t size, const DecodeHint& hint, DecodedImage* image, std::string* why);
bool DecodeWebp(const uint8_t* data, size_t size, DecodedImage* image, std::string* why);

// Frame `index` of `animation` as a decoded image of its own (RGBA). False
// when memory is short.
bool CopyFrame(const Animation& animation, uint32_t index, DecodedImage* image);

// The frames of a GIF whose blocks GifProblem (image/file_kind.h) found
// sound, `frames` of them on a screen of `width` x `height`. False with
// `why` when a frame cannot be decoded, or the decoder finds other frames
// than the blocks hold (it would then hold more than was checked).
bool DecodeAnimation(const uint8_t* data, size_t size, const GifFacts& facts, Animation* animation, std::string* why);

// The size a PNG's, a BMP's, a JPEG's or a WebP's header tells (a WebP
// animation's: its canvas), without decoding it; false for anything else
// (the decoder's PGM/PPM header reader overflows on long numbers: those
// are checked before it reads them).
bool DeclaredSize(const uint8_t* data, size_t size, uint32_t* width, uint32_t* height);
bool JpegSize(const uint8_t* data, size_t size, uint32_t* width, uint32_t* height);
bool WebpSize(const uint8_t* data, size_t size, uint32_t* width, uint32_t* height);
