// One face of a font file, read by FreeType: TrueType, OpenType (CFF
// outlines too), a collection's face, WOFF, BDF and PCF. It renders one
// glyph at a time at the size asked.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fonts/glyph.h"

enum class Hinting {
    Font,  // the font's own instructions (TrueType's bytecode, CFF's hints)
    Auto,  // FreeType's autohinter, whatever the font says
    None,  // the outlines as drawn
};

struct GlyphRendering {
    uint32_t bits = 1;  // 1: black and white; 2, 4 or 8: levels of coverage
    Hinting hinting = Hinting::Font;
    bool kerning = false;     // gather the pairs of the font's kerning table
    bool references = false;  // gather the letters u8g2 measures a font by
};

class FontFace {
public:
    FontFace();
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // The face `index` of a font file's bytes, which it keeps. False with
    // `error` (one line) for bytes that are no font, a font cut short or
    // broken, or a face the file does not have.
    bool Open(std::vector<uint8_t> bytes, uint32_t index, std::string* error);
    // `pixels` is the em in pixels (FreeType's pixel size). A bitmap font
    // takes its own sizes only; 0 picks its first. False with `error`.
    bool SetSize(uint32_t pixels, std::string* error);

    bool Scalable() const;
    uint32_t FaceCount() const;
    std::vector<uint32_t> BitmapSizes() const;  // a bitmap font's, in pixels
    std::string Name() const;                   // "DejaVu Sans Book"
    FontMetrics Metrics() const;                // at the size set

    bool Has(uint32_t codePoint) const;
    bool HasKerning() const;
    // The kerning of two code points the face has, in whole pixels (FreeType's
    // grid-fitted kerning from the font's 'kern' table).
    int32_t Kerning(uint32_t left, uint32_t right) const;
    // The glyph of a code point the face has, its blank edges trimmed
    // unless `trim` is false. False with `error` when FreeType cannot
    // render it.
    bool Render(uint32_t codePoint, const GlyphRendering& rendering, Glyph* glyph, std::string* error,
                bool trim = true) const;

private:
    struct State;
    std::unique_ptr<State> state;
};

// True when the bytes start as a font file FreeType reads (by contents,
// not name): sfnt (TrueType, OpenType, a collection), WOFF, BDF, PCF
// (gzipped too).
bool LooksLikeFont(const uint8_t* data, size_t size);

// The fonts' glyphs for `set`: from the first face that has each. Each
// face's size is set already. False with `error` for a glyph FreeType
// cannot render.
bool GatherGlyphs(const std::vector<const FontFace*>& faces, const CodePoints& set, const GlyphRendering& rendering,
                  FontGlyphs* font, std::string* error);
