#include "fonts/font_face.h"

#include <algorithm>
#include <cstring>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_DRIVER_H
#include FT_MODULE_H

struct FontFace::State {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::vector<uint8_t> bytes;  // FreeType reads the face from these while it is open
};

namespace {

// 26.6 fixed point to whole pixels.
int32_t Pixels(FT_Pos value) { return static_cast<int32_t>(value >= 0 ? (value + 32) >> 6 : -((-value + 32) >> 6)); }

std::string FreeTypeError(FT_Error error) {
    const char* text = FT_Error_String(error);
    return text ? text : "error " + std::to_string(error);
}

// A bitmap's pixel as coverage 0 to 255, whatever FreeType's mode.
uint8_t Coverage(const FT_Bitmap& bitmap, uint32_t x, uint32_t y) {
    const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) return (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
    const uint32_t grays = bitmap.num_grays > 1 ? bitmap.num_grays : 256;
    return static_cast<uint8_t>((row[x] * 255u + (grays - 1) / 2) / (grays - 1));
}

// Rows and columns with nothing in them trimmed from the bitmap's edges
// (FreeType gives a space a blank pixel, and thin shapes blank edges):
// the glyph stands where it stood, in fewer bytes. A blank glyph is 0 x 0
// at its bitmap's top-left corner, as a bitmap font's box puts it.
void CropGlyph(Glyph* g) {
    uint32_t x0 = g->width, x1 = 0, y0 = g->height, y1 = 0;
    for (uint32_t y = 0; y < g->height; ++y)
        for (uint32_t x = 0; x < g->width; ++x)
            if (g->coverage[static_cast<size_t>(y) * g->width + x]) {
                x0 = std::min(x0, x), x1 = std::max(x1, x + 1);
                y0 = std::min(y0, y), y1 = std::max(y1, y + 1);
            }
    if (x0 >= x1) {
        g->width = g->height = 0;
        g->coverage.clear();
        return;
    }
    if (x0 == 0 && y0 == 0 && x1 == g->width && y1 == g->height) return;
    std::vector<uint8_t> kept;
    kept.reserve(static_cast<size_t>(x1 - x0) * (y1 - y0));
    for (uint32_t y = y0; y < y1; ++y)
        for (uint32_t x = x0; x < x1; ++x) kept.push_back(g->coverage[static_cast<size_t>(y) * g->width + x]);
    g->coverage.swap(kept);
    g->left += static_cast<int32_t>(x0);
    g->top -= static_cast<int32_t>(y0);
    g->width = x1 - x0;
    g->height = y1 - y0;
}

}  // namespace

FontFace::FontFace() : state(new State) {}

FontFace::~FontFace() {
    if (state->face) FT_Done_Face(state->face);
    if (state->library) FT_Done_FreeType(state->library);
}

bool LooksLikeFont(const uint8_t* d, size_t n) {
    if (n < 4) return false;
    // PCF's is "\1fcp": \x01 then "fcp", apart so that "f" is no hex digit.
    static const char kPcf[] = {1, 'f', 'c', 'p', 0};
    static const char* const kStarts[] = {"\x00\x01\x00\x00", "true", "typ1", "OTTO", "ttcf", "wOFF", "wOF2", kPcf};
    for (const char* start : kStarts)
        if (std::memcmp(d, start, 4) == 0) return true;
    // X's PCF fonts come gzipped; FreeType unpacks them.
    if (d[0] == 0x1F && d[1] == 0x8B) return true;
    return n >= 9 && std::memcmp(d, "STARTFONT", 9) == 0;
}

bool FontFace::Open(std::vector<uint8_t> bytes, uint32_t index, std::string* error) {
    state->bytes = std::move(bytes);
    FT_Error e = state->library ? 0 : FT_Init_FreeType(&state->library);
    if (e) {
        *error = "cannot start FreeType: " + FreeTypeError(e);
        return false;
    }
    // The classic TrueType interpreter, as Adafruit's converter takes it:
    // its hints snap stems to whole pixels in black and white.
    FT_UInt version = TT_INTERPRETER_VERSION_35;
    FT_Property_Set(state->library, "truetype", "interpreter-version", &version);
    if (!LooksLikeFont(state->bytes.data(), state->bytes.size())) {
        *error = "not a font (TrueType, OpenType, WOFF, BDF or PCF)";
        return false;
    }
    // WOFF2 needs Brotli, which the Windows exe and the page do not hold:
    // every face refuses it alike.
    if (std::memcmp(state->bytes.data(), "wOF2", 4) == 0) {
        *error = "a WOFF2 font, which this converter does not read: unpack it to TrueType first (woff2_decompress)";
        return false;
    }
    // FreeType takes the bytes' size as an FT_Long.
    if (state->bytes.size() > 0x7FFFFFFF) {
        *error = "a font of more than 2 GiB";
        return false;
    }
    const auto size = static_cast<FT_Long>(state->bytes.size());
    FT_Face probe = nullptr;
    e = FT_New_Memory_Face(state->library, state->bytes.data(), size, -1, &probe);
    if (e) {
        *error = "not a font FreeType can read (" + FreeTypeError(e) + ")";
        return false;
    }
    const FT_Long faces = probe->num_faces;
    FT_Done_Face(probe);
    if (static_cast<FT_Long>(index) >= faces) {
        *error = "the font has " + std::to_string(faces) + (faces == 1 ? " face" : " faces") + "; there is no face " +
                 std::to_string(index) + " (faces count from 0)";
        return false;
    }
    e = FT_New_Memory_Face(state->library, state->bytes.data(), size, static_cast<FT_Long>(index), &state->face);
    if (e) {
        *error = "a broken font (" + FreeTypeError(e) + ")";
        return false;
    }
    if (FT_Select_Charmap(state->face, FT_ENCODING_UNICODE) != 0 && state->face->num_charmaps > 0)
        FT_Set_Charmap(state->face, state->face->charmaps[0]);
    return true;
}

bool FontFace::Scalable() const { return FT_IS_SCALABLE(state->face); }

uint32_t FontFace::FaceCount() const { return static_cast<uint32_t>(state->face->num_faces); }

std::vector<uint32_t> FontFace::BitmapSizes() const {
    std::vector<uint32_t> sizes;
    for (FT_Int i = 0; i < state->face->num_fixed_sizes; ++i)
        sizes.push_back(static_cast<uint32_t>(Pixels(state->face->available_sizes[i].y_ppem)));
    return sizes;
}

std::string FontFace::Name() const {
    std::string name = state->face->family_name ? state->face->family_name : "(no name)";
    if (state->face->style_name) name += std::string(" ") + state->face->style_name;
    return name;
}

bool FontFace::SetSize(uint32_t pixels, std::string* error) {
    if (Scalable()) {
        if (pixels == 0) {
            *error = "a scalable font needs a size: give --font-size PIXELS";
            return false;
        }
        const FT_Error e = FT_Set_Pixel_Sizes(state->face, 0, pixels);
        if (e) *error = "cannot set the size " + std::to_string(pixels) + ": " + FreeTypeError(e);
        return e == 0;
    }
    const std::vector<uint32_t> sizes = BitmapSizes();
    auto it = pixels == 0 ? sizes.begin() : std::find(sizes.begin(), sizes.end(), pixels);
    if (it == sizes.end()) {
        *error = "a bitmap font of " + std::string(sizes.empty() ? "no size" : "the size");
        for (size_t i = 0; i < sizes.size(); ++i) *error += (i ? ", " : " ") + std::to_string(sizes[i]);
        *error += sizes.empty() ? "" : " pixels only: give that --font-size, or none";
        return false;
    }
    const FT_Error e = FT_Select_Size(state->face, static_cast<FT_Int>(it - sizes.begin()));
    if (e) *error = "cannot take the bitmap size: " + FreeTypeError(e);
    return e == 0;
}

FontMetrics FontFace::Metrics() const {
    const FT_Size_Metrics& m = state->face->size->metrics;
    FontMetrics metrics;
    metrics.pixelSize = m.y_ppem;
    metrics.ascent = Pixels(m.ascender);
    metrics.descent = -Pixels(m.descender);
    metrics.lineHeight = Pixels(m.height);
    return metrics;
}

bool FontFace::Has(uint32_t codePoint) const { return FT_Get_Char_Index(state->face, codePoint) != 0; }

bool FontFace::HasKerning() const { return FT_HAS_KERNING(state->face); }

int32_t FontFace::Kerning(uint32_t left, uint32_t right) const {
    FT_Vector delta = {0, 0};
    if (FT_Get_Kerning(state->face, FT_Get_Char_Index(state->face, left), FT_Get_Char_Index(state->face, right),
                       FT_KERNING_DEFAULT, &delta) != 0)
        return 0;
    return Pixels(delta.x);
}

bool FontFace::Render(uint32_t codePoint, const GlyphRendering& rendering, Glyph* glyph, std::string* error,
                      bool trim) const {
    FT_Int32 flags = rendering.bits == 1 ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
    if (rendering.hinting == Hinting::Auto) flags |= FT_LOAD_FORCE_AUTOHINT;
    if (rendering.hinting == Hinting::None) flags |= FT_LOAD_NO_HINTING;
    FT_Error e = FT_Load_Char(state->face, codePoint, flags);
    FT_GlyphSlot slot = state->face->glyph;
    if (!e && slot->format != FT_GLYPH_FORMAT_BITMAP)
        e = FT_Render_Glyph(slot, rendering.bits == 1 ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL);
    if (e) {
        *error = "cannot render " + CodePointText(codePoint) + ": " + FreeTypeError(e);
        return false;
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph->codePoint = codePoint;
    glyph->width = bitmap.width;
    glyph->height = bitmap.rows;
    glyph->left = slot->bitmap_left;
    glyph->top = slot->bitmap_top;
    glyph->advance = Pixels(slot->advance.x);
    glyph->coverage.assign(static_cast<size_t>(bitmap.width) * bitmap.rows, 0);
    // A bitmap with no rows or no columns (a broken BDF's) is blank: 0 x 0.
    if (glyph->coverage.empty()) {
        glyph->width = glyph->height = 0;
        return true;
    }
    // A broken bitmap font may give a size and no pixels.
    if (!bitmap.buffer) {
        *error = "the font's bitmap of " + CodePointText(codePoint) + " is missing";
        return false;
    }
    FT_Bitmap gray;
    FT_Bitmap_Init(&gray);
    const FT_Bitmap* from = &bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
        // Two and four bits a pixel, colour (emoji): as 8-bit coverage.
        if (FT_Bitmap_Convert(state->library, &bitmap, &gray, 1) != 0) {
            *error = "cannot read the bitmap of " + CodePointText(codePoint);
            return false;
        }
        from = &gray;
    }
    for (uint32_t y = 0; y < bitmap.rows; ++y)
        for (uint32_t x = 0; x < bitmap.width; ++x) {
            uint8_t c = Coverage(*from, x, y);
            // Coverage at fewer bits is its nearest level, spread over 0 to
            // 255 as the libraries spread it (two bits: 0, 85, 170, 255).
            if (rendering.bits < 8) {
                const uint32_t top = (1u << rendering.bits) - 1;
                c = static_cast<uint8_t>((c * top + 127) / 255 * (255 / top));
            }
            glyph->coverage[static_cast<size_t>(y) * bitmap.width + x] = c;
        }
    FT_Bitmap_Done(state->library, &gray);
    if (trim) CropGlyph(glyph);
    return true;
}

int32_t KerningOf(const FontGlyphs& font, uint32_t left, uint32_t right) {
    auto it = std::lower_bound(font.kerning.begin(), font.kerning.end(), std::make_pair(left, right),
                               [](const KernPair& k, const std::pair<uint32_t, uint32_t>& p) {
                                   return k.left != p.first ? k.left < p.first : k.right < p.second;
                               });
    return it != font.kerning.end() && it->left == left && it->right == right ? it->pixels : 0;
}

const Glyph* FindGlyph(const FontGlyphs& font, uint32_t codePoint) {
    auto it = std::lower_bound(font.glyphs.begin(), font.glyphs.end(), codePoint,
                               [](const Glyph& g, uint32_t c) { return g.codePoint < c; });
    return it != font.glyphs.end() && it->codePoint == codePoint ? &*it : nullptr;
}

bool GatherGlyphs(const std::vector<const FontFace*>& faces, const CodePoints& set, const GlyphRendering& rendering,
                  FontGlyphs* font, std::string* error) {
    *font = FontGlyphs();
    font->bits = rendering.bits;
    if (!faces.empty()) font->metrics = faces.front()->Metrics();
    for (uint32_t c : set) {
        size_t f = 0;
        while (f < faces.size() && !faces[f]->Has(c)) ++f;
        if (f == faces.size()) {
            font->missing.push_back(c);
            continue;
        }
        Glyph glyph;
        if (!faces[f]->Render(c, rendering, &glyph, error)) return false;
        font->glyphs.push_back(std::move(glyph));
        font->fromFont.push_back(static_cast<uint32_t>(f));
    }
    if (rendering.references)
        for (uint32_t c : {'A', '1', 'g', '('}) {
            if (FindGlyph(*font, c)) continue;
            for (const FontFace* face : faces) {
                if (!face->Has(c)) continue;
                Glyph glyph;
                if (!face->Render(c, rendering, &glyph, error, false)) return false;
                font->references.push_back(std::move(glyph));
                break;
            }
        }
    // Kerning between two glyphs of the same font, which has a table of it.
    if (!rendering.kerning) return true;
    for (size_t f = 0; f < faces.size(); ++f) {
        if (!faces[f]->HasKerning()) continue;
        std::vector<uint32_t> own;
        for (size_t i = 0; i < font->glyphs.size(); ++i)
            if (font->fromFont[i] == f) own.push_back(font->glyphs[i].codePoint);
        for (uint32_t left : own)
            for (uint32_t right : own)
                if (const int32_t pixels = faces[f]->Kerning(left, right))
                    font->kerning.push_back({left, right, pixels});
    }
    std::sort(font->kerning.begin(), font->kerning.end(), [](const KernPair& a, const KernPair& b) {
        return a.left != b.left ? a.left < b.left : a.right < b.right;
    });
    return true;
}
