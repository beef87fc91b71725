// What kind of image file some bytes are, from their first bytes, and the
// checks of each kind's header that keep the decoder from misreading it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class FileKind {
    Unknown,
    Png,
    Bmp,
    Pnm,      // binary PGM or PPM (P5, P6)
    Gif,      // GIF87a or GIF89a, still or animated
    Jpeg,     // JPEG (JFIF, EXIF or none), any coding
    Webp,     // WebP: lossy, lossless, still or animated
    TextPnm,  // a PBM, PGM or PPM written as text (P1 to P4), which is not read
};

FileKind FileKindOf(const uint8_t* data, size_t size);

// "PNG", "BMP", "PGM or PPM": the kind in the words of a refusal.
const char* KindName(FileKind kind);

// What keeps the decoder from reading a file of that kind correctly, in a
// few words, or empty when nothing does.
std::string HeaderProblem(FileKind kind, const uint8_t* data, size_t size);

// The same for a BMP: `data` starts with "BM".
std::string BmpProblem(const uint8_t* data, size_t size);

// The same for a binary PGM or PPM: its three header numbers must be
// whole numbers the decoder can hold. `data` starts with "P5" or "P6".
std::string PnmProblem(const uint8_t* data, size_t size);

// The most frames an animation may have.
const uint32_t kMaxFrames = 1000;

// What a GIF's blocks tell before anything is decoded: its screen and
// each frame's delay, in milliseconds as the file says (hundredths of a
// second, times ten).
struct GifFacts {
    uint32_t width = 0, height = 0;
    std::vector<uint32_t> delays;  // one a frame
};

// The same for a GIF, its blocks walked without decoding a pixel: a
// screen of no pixels, a frame that lies outside the screen or is cut
// short, a file that ends inside a block, more than kMaxFrames frames, or
// frames that together hold more than the decoder's limit of pixels.
// `facts`, when given, receives what the walk found.
std::string GifProblem(const uint8_t* data, size_t size, GifFacts* facts = nullptr);
