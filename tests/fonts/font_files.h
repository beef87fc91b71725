// The fonts the font tests read: Debian's packages (tools/bootstrap cli
// installs them), and a small BDF written here whose bits are known.
#pragma once

#include <string>
#include <vector>

#include "fonts/font_face.h"

namespace test {

struct FontFile {
    const char* what;  // "a proportional TrueType font"
    std::string path;
};

// DejaVu Sans (TrueType), FreeSans (CFF OpenType), IPA Gothic (a Japanese
// TrueType font), X's 6x13 (PCF, gzipped), Noto Sans CJK (a collection of
// CFF OpenType faces, the first), and that PCF as BDF, made by pcf2bdf
// into `scratch`; those not installed are left out.
std::vector<FontFile> InstalledFonts(const std::string& scratch);

// Each installed font at each of `sizes`: a scalable font at every size, a
// bitmap font once, at its own (size 0).
struct FontAtSize {
    FontFile file;
    uint32_t size;
    bool scalable;
};
std::vector<FontAtSize> FontsAtSizes(const std::string& scratch, const std::vector<uint32_t>& sizes);

// A BDF of 8 pixels with two glyphs, 'A' (5 x 6, on the baseline) and 'g'
// (4 x 6, two rows below it), each 6 pixels wide to the next.
std::string TinyBdf();

// What u8g2's bdfconv (at u8g2's commit ab9e48b2) writes for that BDF with
// -f 1 -b 0 -m '32-255' -n u8g2_font_tiny_tf, as it wrote it.
std::string TinyBdfByBdfconv();

std::vector<uint8_t> ReadFontFile(const std::string& path);

// The face of a font file at `size` (0: a bitmap font's own). Fails the
// test when it cannot.
bool OpenFont(const std::string& path, uint32_t size, FontFace* face);

// The glyphs of a set as written (ParseGlyphSet's) from a font file at
// `size`. Fails the test when it cannot.
bool GatherFrom(const std::string& path, uint32_t size, const std::string& set, const GlyphRendering& rendering,
                FontGlyphs* glyphs);

// DejaVu Sans, which the tests that compile a written font draw with.
extern const char* const kDejaVuSans;

}  // namespace test
