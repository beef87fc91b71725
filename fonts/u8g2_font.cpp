#include "fonts/u8g2_font.h"

#include <algorithm>
#include <cstdio>

namespace {

// Where the header's fields stand, and the glyphs start.
const size_t kHeaderSize = 23;
// The glyphs past 0xFF between two entries of the jump table.
const uint32_t kGlyphsPerJump = 101;

// Glyph bytes are written least significant bit first.
class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>* out) : out(out) {}
    void Put(uint32_t bits, uint32_t value) {
        for (uint32_t i = 0; i < bits; ++i) {
            if (used == 0) out->push_back(0);
            out->back() |= static_cast<uint8_t>(((value >> i) & 1) << used);
            used = (used + 1) & 7;
        }
    }
    void Flush() { used = 0; }

private:
    std::vector<uint8_t>* out;
    uint32_t used = 0;  // bits of the last byte taken
};

uint32_t UnsignedBits(uint64_t v) {
    uint32_t bits = 0;
    for (; v; v >>= 1) ++bits;
    return bits;
}

uint32_t SignedBits(int64_t v) { return (v < 0 ? UnsignedBits(static_cast<uint64_t>(-v - 1)) : UnsignedBits(v)) + 1; }

// A glyph's box: its bitmap's, trimmed; a blank glyph is 0 x 0 at its
// bitmap's top-left (u8g2 would draw runs into a box of no height).
U8g2Box BoxOf(const Glyph& g) {
    if (g.width == 0 || g.height == 0) return {g.left, g.top, 0, 0};
    return {g.left, g.top - static_cast<int32_t>(g.height), static_cast<int32_t>(g.width),
            static_cast<int32_t>(g.height)};
}

// The box of every glyph, grown glyph by glyph in order. Its left edge
// also takes in each glyph's advance where that is further left, as
// bdfconv's does.
U8g2Box MaxBox(const FontGlyphs& font) {
    U8g2Box max;
    bool first = true;
    for (const Glyph& g : font.glyphs) {
        const U8g2Box b = BoxOf(g);
        if (first) {
            max = b;
            first = false;
            continue;
        }
        int32_t x0 = max.x, y0 = max.y, x1 = max.x + max.w, y1 = max.y + max.h;
        x0 = std::min({x0, b.x, g.advance});
        x1 = std::max(x1, b.x + b.w);
        y0 = std::min(y0, b.y);
        y1 = std::max(y1, b.y + b.h);
        max = {x0, y0, x1 - x0, y1 - y0};
    }
    return max;
}

struct FieldBits {
    uint32_t w = 0, h = 0, x = 0, y = 0, advance = 0;
};

FieldBits FieldBitsOf(const FontGlyphs& font) {
    FieldBits bits;
    for (const Glyph& g : font.glyphs) {
        const U8g2Box b = BoxOf(g);
        bits.w = std::max(bits.w, UnsignedBits(b.w));
        bits.h = std::max(bits.h, UnsignedBits(b.h));
        bits.x = std::max(bits.x, SignedBits(b.x));
        bits.y = std::max(bits.y, SignedBits(b.y));
        bits.advance = std::max(bits.advance, SignedBits(g.advance));
    }
    return bits;
}

// The glyph's pixels as runs: unset, set, unset, set…, an even count, from
// the top row down and left to right, rows run on.
std::vector<uint32_t> RunsOf(const Glyph& g) {
    std::vector<uint32_t> runs(1, 0);
    bool set = false;
    for (uint8_t c : g.coverage) {
        if ((c >= 128) != set) {
            runs.push_back(0);
            set = !set;
        }
        ++runs.back();
    }
    if (runs.size() % 2) runs.push_back(0);
    return runs;
}

// One glyph's record, its runs in `zero` and `one` bits: its code, its size
// and its bit stream, which ends with a 0 bit. A pair of runs the same as
// the last is a single 1 bit; a new pair is a 0 bit (none before the
// first), then the pair. Runs too long for their bits are cut: unset runs
// into pairs of (longest, 0), set runs into (unset, longest) then (0, …).
void EncodeGlyph(const Glyph& g, const FieldBits& bits, uint32_t zero, uint32_t one, const std::vector<uint32_t>& runs,
                 std::vector<uint8_t>* out) {
    const size_t start = out->size();
    if (g.codePoint > 0xFF) out->push_back(static_cast<uint8_t>(g.codePoint >> 8));
    out->push_back(static_cast<uint8_t>(g.codePoint));
    const size_t sizeAt = out->size();
    out->push_back(0);
    const U8g2Box b = BoxOf(g);
    BitWriter w(out);
    w.Put(bits.w, static_cast<uint32_t>(b.w));
    w.Put(bits.h, static_cast<uint32_t>(b.h));
    w.Put(bits.x, static_cast<uint32_t>(b.x + (1 << (bits.x - 1))));
    w.Put(bits.y, static_cast<uint32_t>(b.y + (1 << (bits.y - 1))));
    w.Put(bits.advance, static_cast<uint32_t>(g.advance + (1 << (bits.advance - 1))));
    bool firstPair = true;
    uint32_t lastZero = 0, lastOne = 1;
    auto pair = [&](uint32_t a, uint32_t c) {
        if (!firstPair && a == lastZero && c == lastOne) {
            w.Put(1, 1);
            return;
        }
        if (!firstPair) w.Put(1, 0);
        w.Put(zero, a);
        w.Put(one, c);
        firstPair = false;
        lastZero = a;
        lastOne = c;
    };
    const uint32_t longestZero = (1u << zero) - 1, longestOne = (1u << one) - 1;
    for (size_t i = 0; i < runs.size(); i += 2) {
        uint32_t a = runs[i], c = runs[i + 1];
        for (; a > longestZero; a -= longestZero) pair(longestZero, 0);
        for (; c > longestOne; c -= longestOne, a = 0) pair(a, longestOne);
        if (a || c) pair(a, c);
    }
    w.Put(1, 0);
    w.Flush();
    (*out)[sizeAt] = static_cast<uint8_t>(out->size() - start);
}

bool Fits(int64_t value, int64_t low, int64_t high) { return value >= low && value <= high; }

// A letter the header measures: the set's glyph, else the font's own as
// drawn (the converter measures a letter it was not asked for by the
// font's box of it).
const Glyph* Measured(const FontGlyphs& font, uint32_t codePoint) {
    if (const Glyph* g = FindGlyph(font, codePoint)) return g;
    for (const Glyph& g : font.references)
        if (g.codePoint == codePoint) return &g;
    return nullptr;
}

}  // namespace

bool MakeU8g2Font(const FontGlyphs& glyphs, U8g2Font* font, std::string* error) {
    *font = U8g2Font();
    if (glyphs.glyphs.empty()) {
        *error = "no glyph to make a font of";
        return false;
    }
    for (const Glyph& g : glyphs.glyphs) {
        const U8g2Box b = BoxOf(g);
        std::string limit;
        if (g.codePoint > 0xFFFF)
            limit = "is past 0xFFFF: u8g2's character codes are 16-bit";
        else if (b.w > 255 || b.h > 127)
            limit = "is " + std::to_string(b.w) + " x " + std::to_string(b.h) +
                    " pixels; u8g2 draws a glyph at most 255 wide and 127 high";
        else if (!Fits(b.x, -128, 127) || !Fits(b.y, -128, 127) || !Fits(g.advance, -128, 127))
            limit = "stands " + std::to_string(b.x) + ", " + std::to_string(b.y) + " from the pen and advances " +
                    std::to_string(g.advance) + "; u8g2 reads each as -128 to 127 (int8_t)";
        if (!limit.empty()) {
            *error = CodePointText(g.codePoint) + " " + limit;
            return false;
        }
    }
    const FieldBits bits = FieldBitsOf(glyphs);
    std::vector<std::vector<uint32_t>> runs;
    for (const Glyph& g : glyphs.glyphs) runs.push_back(RunsOf(g));
    // The run lengths' bits: those of the smallest font, the first found
    // with unset runs of 2 to 8 bits and set runs of 2 to 6.
    size_t smallest = SIZE_MAX;
    std::vector<uint8_t> scratch;
    for (uint32_t zero = 2; zero < 9; ++zero)
        for (uint32_t one = 2; one < 7; ++one) {
            scratch.clear();
            for (size_t i = 0; i < glyphs.glyphs.size(); ++i)
                EncodeGlyph(glyphs.glyphs[i], bits, zero, one, runs[i], &scratch);
            if (scratch.size() < smallest) {
                smallest = scratch.size();
                font->bitsZero = zero;
                font->bitsOne = one;
            }
        }
    std::vector<std::vector<uint8_t>> records(glyphs.glyphs.size());
    for (size_t i = 0; i < glyphs.glyphs.size(); ++i) {
        EncodeGlyph(glyphs.glyphs[i], bits, font->bitsZero, font->bitsOne, runs[i], &records[i]);
        if (records[i].size() > kU8g2LargestGlyph) {
            *error = CodePointText(glyphs.glyphs[i].codePoint) + " takes " + std::to_string(records[i].size()) +
                     " bytes; a u8g2 glyph takes at most 255 (its size is a byte): make a smaller size";
            return false;
        }
    }
    font->max = MaxBox(glyphs);
    if (font->max.w > 255 || font->max.h > 255) {
        *error = "the glyphs together span " + std::to_string(font->max.w) + " x " + std::to_string(font->max.h) +
                 " pixels; a u8g2 font's box is at most 255 x 255";
        return false;
    }
    font->glyphs = static_cast<uint32_t>(glyphs.glyphs.size());

    // The letters the header measures: A's and 1's height above the
    // baseline, g's depth below it, and the parenthesis's reach both ways
    // (or A's or 1's and g's).
    auto ascent = [&](uint32_t c) {
        const Glyph* g = Measured(glyphs, c);
        return g ? BoxOf(*g).y + BoxOf(*g).h : 0;
    };
    const Glyph* g = Measured(glyphs, 'g');
    const int32_t descentG = g ? BoxOf(*g).y : 0;
    const int32_t ascentA = ascent('A'), ascent1 = ascent('1');
    int32_t ascentParen = ascentA ? ascentA : ascent1, descentParen = descentG;
    if (const Glyph* p = Measured(glyphs, '(')) ascentParen = BoxOf(*p).y + BoxOf(*p).h, descentParen = BoxOf(*p).y;

    std::vector<uint8_t>& out = font->bytes;
    auto byte = [](int64_t v) { return static_cast<uint8_t>(v); };
    out = {byte(font->glyphs),
           0,
           byte(font->bitsZero),
           byte(font->bitsOne),
           byte(bits.w),
           byte(bits.h),
           byte(bits.x),
           byte(bits.y),
           byte(bits.advance),
           byte(font->max.w),
           byte(font->max.h),
           byte(font->max.x),
           byte(font->max.y),
           byte(ascentA > 0 ? ascentA : ascent1),
           byte(descentG),
           byte(ascentParen),
           byte(descentParen),
           0,
           0,
           0,
           0,
           0,
           0};
    size_t upperA = 0, lowerA = 0;
    size_t i = 0;
    for (; i < records.size() && glyphs.glyphs[i].codePoint <= 0xFF; ++i) {
        const uint32_t c = glyphs.glyphs[i].codePoint;
        if (c == 'A') upperA = out.size() - kHeaderSize;
        if (c == 'a') lowerA = out.size() - kHeaderSize;
        out.insert(out.end(), records[i].begin(), records[i].end());
    }
    out.push_back(0);
    out.push_back(0);
    const size_t unicodeStart = out.size() - kHeaderSize;
    // The jump table: an entry a whole 101 glyphs past 0xFF, at least one.
    // Each entry jumps from the last's place to its block's first glyph and
    // holds its block's last code; the last holds 0xFFFF and takes in the
    // glyphs after it.
    font->unicode = static_cast<uint32_t>(records.size() - i);
    const size_t entries = std::max<size_t>(1, font->unicode / kGlyphsPerJump);
    const size_t table = out.size();
    out.resize(table + entries * 4, 0);
    size_t last = out.size(), inBlock = 0, entry = 0;
    size_t jump = entries * 4;  // from the table's start past itself
    for (; i < records.size(); ++i) {
        out.insert(out.end(), records[i].begin(), records[i].end());
        if (++inBlock < kGlyphsPerJump || entry >= font->unicode / kGlyphsPerJump) continue;
        const uint32_t code = entry + 1 == entries ? 0xFFFF : glyphs.glyphs[i].codePoint;
        out[table + entry * 4] = byte(jump >> 8);
        out[table + entry * 4 + 1] = byte(jump);
        out[table + entry * 4 + 2] = byte(code >> 8);
        out[table + entry * 4 + 3] = byte(code);
        ++entry;
        inBlock = 0;
        jump = out.size() - last;
        last = out.size();
    }
    if (entry == 0) {
        out[table] = byte(jump >> 8), out[table + 1] = byte(jump);
        out[table + 2] = out[table + 3] = 0xFF;
    }
    out.push_back(0);
    out.push_back(0);
    out[17] = byte(upperA >> 8), out[18] = byte(upperA);
    out[19] = byte(lowerA >> 8), out[20] = byte(lowerA);
    out[21] = byte(unicodeStart >> 8), out[22] = byte(unicodeStart);
    return true;
}

std::string U8g2Kind(const FontGlyphs& glyphs) {
    uint32_t low = UINT32_MAX, high = 0;
    bool numbers = true;
    for (const Glyph& g : glyphs.glyphs) {
        low = std::min(low, g.codePoint), high = std::max(high, g.codePoint);
        numbers = numbers && (g.codePoint == 32 || (g.codePoint >= 42 && g.codePoint <= 58));
    }
    if (low < 32) return "_t_";
    if (numbers) return "_tn";
    return high <= 95 ? "_tu" : high <= 127 ? "_tr" : high <= 255 ? "_tf" : "_t_";
}

std::string U8g2FontText(const U8g2Font& font, const std::string& name, const std::string& about) {
    char line[200];
    std::string text = "/* " + about + "\n";
    std::snprintf(
        line, sizeof line,
        "   For u8g2: u8g2.setFont(%s); then drawUTF8(). %u glyphs (%u past 0xFF), %zu bytes.%s */\n", name.c_str(),
        font.glyphs, font.unicode, font.bytes.size(),
        font.bytes.size() > kU8g2AvrLimit ? "\n   Too large for an AVR (avr-gcc's arrays end at 32,767 bytes)." : "");
    text += line;
    std::string upper;
    for (char c : name) upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    text += "#ifndef " + upper + "_U8G2_FONT_H\n#define " + upper + "_U8G2_FONT_H\n\n#include <u8g2.h>\n\n";
    text += "static const uint8_t " + name + "[" + std::to_string(font.bytes.size()) + "] U8G2_FONT_SECTION(\"" + name +
            "\") = {";
    for (size_t i = 0; i < font.bytes.size(); ++i) {
        std::snprintf(line, sizeof line, "%s0x%02X%s", i % 16 == 0 ? "\n    " : " ", font.bytes[i],
                      i + 1 < font.bytes.size() ? "," : "");
        text += line;
    }
    text += "};\n\n#endif\n";
    return text;
}

SampleLayout LayOutU8g2Text(const FontGlyphs& glyphs, const CodePoints& text) {
    SampleLayout layout;
    const U8g2Box max = MaxBox(glyphs);
    int64_t x = 0, y = 0, lines = 1;
    for (uint32_t c : text) {
        if (c == '\n') {
            x = 0;
            y += max.h;
            ++lines;
            continue;
        }
        const Glyph* g = FindGlyph(glyphs, c);
        if (!g) continue;
        if (g->width > 0 && g->height > 0) layout.glyphs.push_back({g, x + g->left, y - g->top});
        x += g->advance;
        layout.right = std::max(layout.right, x);
    }
    layout.top = -(max.y + max.h);
    layout.bottom = layout.top + lines * max.h;
    return layout;
}
