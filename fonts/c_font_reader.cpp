#include "fonts/c_font_reader.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// The largest font array read: more than any display library holds.
const size_t kLargestArray = size_t(16) << 20;

// C text as tokens: names, numbers, string literals (their bytes, escapes
// read) and single punctuation marks; comments and preprocessor lines are
// left out.
struct Token {
    enum Kind { Name, Number, String, Mark } kind;
    std::string text;    // a name, a mark, a string's bytes
    int64_t number = 0;  // a number's value
};

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// A string literal's bytes from after its opening quote; false where it
// does not close on its line.
bool ReadString(const std::string& s, size_t* at, std::string* bytes) {
    size_t i = *at;
    while (i < s.size() && s[i] != '"') {
        if (s[i] == '\n') return false;
        if (s[i] != '\\') {
            bytes->push_back(s[i++]);
            continue;
        }
        if (++i >= s.size()) return false;
        const char e = s[i];
        if (e >= '0' && e <= '7') {
            int value = 0, digits = 0;
            for (; digits < 3 && i < s.size() && s[i] >= '0' && s[i] <= '7'; ++digits, ++i)
                value = value * 8 + (s[i] - '0');
            bytes->push_back(static_cast<char>(value));
            continue;
        }
        if (e == 'x') {
            int value = 0, digits = 0;
            for (++i; i < s.size() && std::isxdigit(static_cast<unsigned char>(s[i])); ++i, ++digits)
                value = (value * 16 +
                         (std::isdigit(static_cast<unsigned char>(s[i])) ? s[i] - '0' : (s[i] | 0x20) - 'a' + 10)) &
                        0xFF;
            if (!digits) return false;
            bytes->push_back(static_cast<char>(value));
            continue;
        }
        static const char kFrom[] = "abfnrtv\\'\"?", kTo[] = "\a\b\f\n\r\t\v\\'\"?";
        const char* known = std::char_traits<char>::find(kFrom, sizeof kFrom - 1, e);
        if (!known) return false;
        bytes->push_back(kTo[known - kFrom]);
        ++i;
    }
    if (i >= s.size()) return false;
    *at = i + 1;
    return true;
}

bool Tokenize(const std::string& s, std::vector<Token>* tokens, std::string* error) {
    size_t i = 0;
    bool lineStart = true;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '\n') lineStart = true;
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        if (c == '#' && lineStart) {
            // To the line's end, and on past lines ended by a backslash.
            while (i < s.size() && s[i] != '\n') i += s[i] == '\\' && i + 1 < s.size() ? 2 : 1;
            continue;
        }
        lineStart = false;
        if (s.compare(i, 2, "//") == 0) {
            i = s.find('\n', i);
            if (i == std::string::npos) break;
            continue;
        }
        if (s.compare(i, 2, "/*") == 0) {
            const size_t end = s.find("*/", i + 2);
            if (end == std::string::npos) {
                *error = "a comment is not closed";
                return false;
            }
            i = end + 2;
            continue;
        }
        Token t;
        if (c == '"') {
            t.kind = Token::String;
            ++i;
            if (!ReadString(s, &i, &t.text)) {
                *error = "a string is not closed, or holds an escape C does not have";
                return false;
            }
            // Strings side by side are one.
            if (!tokens->empty() && tokens->back().kind == Token::String) {
                tokens->back().text += t.text;
                if (tokens->back().text.size() > kLargestArray) {
                    *error = "a string of more than 16 MiB";
                    return false;
                }
                continue;
            }
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            size_t j = i;
            while (j < s.size() && IsNameChar(s[j])) ++j;
            std::string digits = s.substr(i, j - i);
            while (!digits.empty() && std::strchr("uUlL", digits.back())) digits.pop_back();
            int base = 10;
            size_t from = 0;
            if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
                base = 16, from = 2;
            else if (digits.size() > 1 && digits[0] == '0')
                base = 8, from = 1;
            uint64_t value = 0;
            for (size_t k = from; k < digits.size(); ++k) {
                const char d = static_cast<char>(std::tolower(static_cast<unsigned char>(digits[k])));
                const int v = std::isdigit(static_cast<unsigned char>(d)) ? d - '0'
                              : d >= 'a' && d <= 'f'                      ? d - 'a' + 10
                                                                          : 99;
                if (v >= base || value > (uint64_t(1) << 40)) {
                    *error = "'" + s.substr(i, j - i) + "' is not a number C reads here";
                    return false;
                }
                value = value * base + v;
            }
            t.kind = Token::Number;
            t.number = static_cast<int64_t>(value);
            i = j;
        } else if (IsNameChar(c)) {
            size_t j = i;
            while (j < s.size() && IsNameChar(s[j])) ++j;
            t.kind = Token::Name;
            t.text = s.substr(i, j - i);
            i = j;
        } else {
            t.kind = Token::Mark;
            t.text = std::string(1, c);
            ++i;
        }
        tokens->push_back(std::move(t));
    }
    return true;
}

bool IsMark(const std::vector<Token>& t, size_t i, char mark) {
    return i < t.size() && t[i].kind == Token::Mark && t[i].text[0] == mark;
}

// The numbers of a brace-enclosed list from `i` (its '{'), each perhaps
// negative; nested braces are read through. `i` ends past the '}'.
bool ReadNumbers(const std::vector<Token>& t, size_t* i, std::vector<int64_t>* numbers) {
    if (!IsMark(t, *i, '{')) return false;
    int depth = 0;
    for (; *i < t.size(); ++*i) {
        const Token& k = t[*i];
        if (k.kind == Token::Mark && k.text[0] == '{')
            ++depth;
        else if (k.kind == Token::Mark && k.text[0] == '}') {
            if (--depth == 0) {
                ++*i;
                return true;
            }
        } else if (k.kind == Token::Number) {
            const bool negative = *i > 0 && IsMark(t, *i - 1, '-');
            numbers->push_back(negative ? -k.number : k.number);
            if (numbers->size() > kLargestArray) return false;
        } else if (k.kind != Token::Mark || std::string(",-").find(k.text[0]) == std::string::npos) {
            return false;
        }
    }
    return false;
}

// The '=' that starts the initializer of the declaration naming `name`.
size_t InitializerOf(const std::vector<Token>& t, const std::string& name) {
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind != Token::Name || t[i].text != name) continue;
        size_t j = i + 1;
        while (j < t.size() && !IsMark(t, j, '=') && !IsMark(t, j, ';') && !IsMark(t, j, ',')) ++j;
        if (IsMark(t, j, '=')) return j + 1;
    }
    return std::string::npos;
}

void SetMetrics(FontGlyphs* font, int32_t lineHeight) {
    FontMetrics& m = font->metrics;
    for (const Glyph& g : font->glyphs) {
        if (!g.width || !g.height) continue;
        m.ascent = std::max(m.ascent, g.top);
        m.descent = std::max(m.descent, static_cast<int32_t>(g.height) - g.top);
    }
    m.lineHeight = lineHeight;
    m.pixelSize = 0;  // not kept in either form
}

void SortGlyphs(FontGlyphs* font) {
    std::stable_sort(font->glyphs.begin(), font->glyphs.end(),
                     [](const Glyph& a, const Glyph& b) { return a.codePoint < b.codePoint; });
    // The first of a code point given twice is the one the library finds.
    font->glyphs.erase(std::unique(font->glyphs.begin(), font->glyphs.end(),
                                   [](const Glyph& a, const Glyph& b) { return a.codePoint == b.codePoint; }),
                       font->glyphs.end());
    font->fromFont.assign(font->glyphs.size(), 0);
}

bool ReadGfx(const std::vector<Token>& t, CFont* font, std::string* error) {
    // GFXfont NAME = {(uint8_t *)BITMAPS, (GFXglyph *)GLYPHS, first, last, yAdvance};
    size_t i = 0;
    while (i < t.size() &&
           !(t[i].kind == Token::Name && t[i].text == "GFXfont" && i + 1 < t.size() && t[i + 1].kind == Token::Name))
        ++i;
    if (i == t.size()) {
        *error = "no GFXfont is declared";
        return false;
    }
    font->name = t[i + 1].text;
    size_t at = InitializerOf(t, font->name);
    std::vector<std::string> names;
    std::vector<int64_t> values;
    if (at != std::string::npos && IsMark(t, at, '{'))
        for (++at; at < t.size() && !IsMark(t, at, '}'); ++at) {
            // A cast's names stand inside parentheses; the array's after them.
            if (t[at].kind == Token::Name && !IsMark(t, at + 1, '*') && !IsMark(t, at + 1, ')'))
                names.push_back(t[at].text);
            if (t[at].kind == Token::Number) values.push_back(t[at].number);
        }
    if (names.size() < 2 || values.size() < 3) {
        *error = "the GFXfont " + font->name + " does not name its bitmap and glyphs and give first, last and yAdvance";
        return false;
    }
    const int64_t first = values[0], last = values[1], yAdvance = values[2];
    std::vector<int64_t> bitmap, table;
    size_t b = InitializerOf(t, names[0]), g = InitializerOf(t, names[1]);
    if (b == std::string::npos || g == std::string::npos || !ReadNumbers(t, &b, &bitmap) ||
        !ReadNumbers(t, &g, &table)) {
        *error = "the arrays " + names[0] + " and " + names[1] + " are not both given as lists of numbers";
        return false;
    }
    if (first < 0 || last < first || last > 0xFFFF || table.size() % 6 != 0 ||
        table.size() / 6 < static_cast<size_t>(last - first + 1)) {
        *error = "the GFXfont " + font->name + " runs from " + std::to_string(first) + " to " + std::to_string(last) +
                 " but its glyph table holds " + std::to_string(table.size() / 6) + " glyphs";
        return false;
    }
    font->kind = CFontKind::AdafruitGfx;
    FontGlyphs& out = font->glyphs;
    for (int64_t c = first; c <= last; ++c) {
        const int64_t* e = &table[static_cast<size_t>(c - first) * 6];
        const int64_t offset = e[0], w = e[1], h = e[2], advance = e[3], xo = e[4], yo = e[5];
        if (offset < 0 || w < 0 || w > 255 || h < 0 || h > 255 || advance < 0 || advance > 255 || xo < -128 ||
            xo > 127 || yo < -128 || yo > 127 || offset + (w * h + 7) / 8 > static_cast<int64_t>(bitmap.size())) {
            *error = "the glyph of " + CodePointText(static_cast<uint32_t>(c)) +
                     " reads past the bitmap or holds values past its fields";
            return false;
        }
        // An entry of nothing, advancing nothing, is a gap in the set.
        if (w * h == 0 && advance == 0) continue;
        Glyph glyph;
        glyph.codePoint = static_cast<uint32_t>(c);
        glyph.left = static_cast<int32_t>(xo);
        glyph.top = static_cast<int32_t>(1 - yo);
        glyph.advance = static_cast<int32_t>(advance);
        if (w * h) {
            glyph.width = static_cast<uint32_t>(w), glyph.height = static_cast<uint32_t>(h);
            for (int64_t p = 0; p < w * h; ++p)
                glyph.coverage.push_back(bitmap[static_cast<size_t>(offset + p / 8)] << (p % 8) & 0x80 ? 255 : 0);
        }
        out.glyphs.push_back(std::move(glyph));
    }
    SortGlyphs(&out);
    SetMetrics(&out, static_cast<int32_t>(yAdvance));
    return true;
}

bool ReadU8g2(const std::vector<Token>& t, CFont* font, std::string* error) {
    // const uint8_t NAME[N] U8G2_FONT_SECTION("NAME") = "…" or {…};
    size_t i = 0;
    while (i < t.size() &&
           !(t[i].kind == Token::Name && (t[i].text == "U8G2_FONT_SECTION" || t[i].text == "U8X8_FONT_SECTION")))
        ++i;
    // The array's name: the last name before the section that opens a '['.
    size_t nameAt = i;
    while (nameAt > 0 && nameAt < t.size() && !(t[nameAt].kind == Token::Name && IsMark(t, nameAt + 1, '['))) --nameAt;
    if (i == t.size() || !(t[nameAt].kind == Token::Name && IsMark(t, nameAt + 1, '['))) {
        *error = "no array is declared in U8G2_FONT_SECTION";
        return false;
    }
    font->name = t[nameAt].text;
    const int64_t declared = nameAt + 2 < t.size() && t[nameAt + 2].kind == Token::Number ? t[nameAt + 2].number : -1;
    size_t at = i;
    while (at < t.size() && !IsMark(t, at, '=') && !IsMark(t, at, ';')) ++at;
    std::vector<uint8_t> bytes;
    if (IsMark(t, at, '=') && at + 1 < t.size() && t[at + 1].kind == Token::String) {
        bytes.assign(t[at + 1].text.begin(), t[at + 1].text.end());
        bytes.push_back(0);  // the string's end, which the array holds when its size leaves room
    } else {
        std::vector<int64_t> numbers;
        ++at;
        if (!ReadNumbers(t, &at, &numbers)) {
            *error = "the array " + font->name + " is neither a string nor a list of numbers";
            return false;
        }
        for (int64_t n : numbers) bytes.push_back(static_cast<uint8_t>(n));
    }
    // The declared size rules: a string's end is cut, or zeros fill.
    if (declared >= 0 && declared <= static_cast<int64_t>(kLargestArray))
        bytes.resize(static_cast<size_t>(declared), 0);
    font->kind = CFontKind::U8g2;
    font->bytes = bytes;
    return ReadU8g2Bytes(bytes, &font->glyphs, error);
}

// The designated initializers of a brace's groups, from `i` (its '{'):
// each group's ".field = value" pairs, a value a number (perhaps negative)
// or a name (NULL, an array's, a constant's; '&' before it left out).
struct Fields {
    std::vector<std::pair<std::string, Token>> pairs;
    const Token* Get(const std::string& field) const {
        for (const auto& [name, value] : pairs)
            if (name == field) return &value;
        return nullptr;
    }
    int64_t Number(const std::string& field, int64_t otherwise = 0) const {
        const Token* t = Get(field);
        return t && t->kind == Token::Number ? t->number : otherwise;
    }
    std::string Name(const std::string& field) const {
        const Token* t = Get(field);
        return t && t->kind == Token::Name ? t->text : "";
    }
};

Fields FieldsAt(const std::vector<Token>& t, size_t from, size_t to) {
    Fields fields;
    for (size_t i = from; i + 3 < to; ++i) {
        if (!IsMark(t, i, '.') || t[i + 1].kind != Token::Name || !IsMark(t, i + 2, '=')) continue;
        size_t v = i + 3;
        bool negative = false;
        while (v < to && (IsMark(t, v, '&') || IsMark(t, v, '-'))) negative |= IsMark(t, v++, '-');
        if (v >= to) break;
        Token value = t[v];
        if (negative) value.number = -value.number;
        fields.pairs.emplace_back(t[i + 1].text, value);
    }
    return fields;
}

// The groups of an array's initializer, each one brace's fields.
std::vector<Fields> GroupsOf(const std::vector<Token>& t, size_t at) {
    std::vector<Fields> groups;
    if (!IsMark(t, at, '{')) return groups;
    int depth = 0;
    size_t start = at;
    for (size_t i = at; i < t.size(); ++i) {
        if (IsMark(t, i, '{') && ++depth == 2) start = i;
        if (IsMark(t, i, '}')) {
            if (depth == 2) groups.push_back(FieldsAt(t, start, i));
            if (--depth == 0) break;
        }
    }
    return groups;
}

// The first '=' of a declaration of `type`: its name's initializer.
size_t InitializerOfType(const std::vector<Token>& t, const std::string& type, std::string* name) {
    for (size_t i = 0; i + 1 < t.size(); ++i)
        if (t[i].kind == Token::Name && t[i].text == type && t[i + 1].kind == Token::Name) {
            if (name) *name = t[i + 1].text;
            return InitializerOf(t, t[i + 1].text);
        }
    return std::string::npos;
}

std::vector<int64_t> ArrayNamed(const std::vector<Token>& t, const std::string& name) {
    std::vector<int64_t> numbers;
    size_t at = name.empty() ? std::string::npos : InitializerOf(t, name);
    if (at != std::string::npos) ReadNumbers(t, &at, &numbers);
    return numbers;
}

bool ReadLvgl(const std::vector<Token>& t, CFont* font, std::string* error) {
    font->kind = CFontKind::Lvgl;
    std::string ignored;
    size_t at = InitializerOfType(t, "lv_font_t", &font->name);
    const Fields public_font = at == std::string::npos ? Fields() : FieldsAt(t, at, t.size());
    at = InitializerOfType(t, "lv_font_fmt_txt_dsc_t", &ignored);
    const Fields dsc = at == std::string::npos ? Fields() : FieldsAt(t, at, t.size());
    const int64_t bpp = dsc.Number("bpp"), format = dsc.Number("bitmap_format");
    if (font->name.empty() || !(bpp == 1 || bpp == 2 || bpp == 4 || bpp == 8)) {
        *error = "no lv_font_t with an lv_font_fmt_txt_dsc_t of 1, 2, 4 or 8 bits a pixel is declared";
        return false;
    }
    if (format != 0) {
        *error = "the LVGL font " + font->name + " is compressed (bitmap_format " + std::to_string(format) +
                 "); only plain bitmaps are read back";
        return false;
    }
    const std::vector<int64_t> bitmap = ArrayNamed(t, dsc.Name("glyph_bitmap"));
    const std::vector<Fields> glyphs = GroupsOf(t, InitializerOfType(t, "lv_font_fmt_txt_glyph_dsc_t", &ignored));
    const std::vector<Fields> cmaps = GroupsOf(t, InitializerOfType(t, "lv_font_fmt_txt_cmap_t", &ignored));
    // Each glyph id's character, through the maps.
    std::vector<uint32_t> codeOf(glyphs.size(), 0);
    for (const Fields& c : cmaps) {
        const std::string type = c.Name("type");
        const int64_t start = c.Number("range_start"), length = c.Number("range_length"),
                      first = c.Number("glyph_id_start");
        std::vector<int64_t> offsets;
        if (type == "LV_FONT_FMT_TXT_CMAP_SPARSE_TINY") {
            offsets = ArrayNamed(t, c.Name("unicode_list"));
            offsets.resize(
                std::min<size_t>(offsets.size(), static_cast<size_t>(std::max<int64_t>(0, c.Number("list_length")))));
        } else if (type == "LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY") {
            for (int64_t k = 0; k < length && k < 0x110000; ++k) offsets.push_back(k);
        } else {
            *error = "the LVGL font " + font->name + " has a map of type " + (type.empty() ? "?" : type) +
                     "; the tiny maps alone are read back";
            return false;
        }
        for (size_t k = 0; k < offsets.size(); ++k) {
            const int64_t id = first + static_cast<int64_t>(k), code = start + offsets[k];
            if (id > 0 && id < static_cast<int64_t>(codeOf.size()) && code >= 0 && code <= 0x10FFFF && !codeOf[id])
                codeOf[static_cast<size_t>(id)] = static_cast<uint32_t>(code);
        }
    }
    FontGlyphs& out = font->glyphs;
    out.bits = static_cast<uint32_t>(bpp);
    const uint32_t top = (1u << bpp) - 1;
    for (size_t id = 1; id < glyphs.size(); ++id) {
        if (!codeOf[id]) continue;
        const Fields& g = glyphs[id];
        const int64_t index = g.Number("bitmap_index"), w = g.Number("box_w"), h = g.Number("box_h");
        if (index < 0 || w < 0 || w > 255 || h < 0 || h > 255 ||
            index + (w * h * bpp + 7) / 8 > static_cast<int64_t>(bitmap.size())) {
            *error =
                "the glyph of " + CodePointText(codeOf[id]) + " reads past the bitmap or holds values past its fields";
            return false;
        }
        Glyph glyph;
        glyph.codePoint = codeOf[id];
        glyph.left = static_cast<int32_t>(g.Number("ofs_x"));
        glyph.top = static_cast<int32_t>(g.Number("ofs_y") + h);
        glyph.advance = static_cast<int32_t>((g.Number("adv_w") + 8) / 16);
        if (w * h) {
            glyph.width = static_cast<uint32_t>(w), glyph.height = static_cast<uint32_t>(h);
            for (int64_t p = 0; p < w * h; ++p) {
                const int64_t bit = p * bpp;
                const uint32_t level =
                    static_cast<uint32_t>(bitmap[static_cast<size_t>(index + bit / 8)]) >> (8 - bpp - bit % 8) & top;
                glyph.coverage.push_back(static_cast<uint8_t>(level * 255 / top));
            }
        }
        out.glyphs.push_back(std::move(glyph));
    }
    // Kerning, by pairs of glyph ids or by classes, in whole pixels.
    const int64_t scale = dsc.Number("kern_scale");
    const std::string kern = dsc.Name("kern_dsc");
    if (!kern.empty() && kern != "NULL" && scale) {
        const Fields k = FieldsAt(t, InitializerOf(t, kern), t.size());
        auto pixels = [&](int64_t value) {
            return static_cast<int32_t>((value * scale + (value < 0 ? -128 : 128)) / 256);
        };
        auto add = [&](int64_t left, int64_t right, int64_t value) {
            if (left > 0 && right > 0 && left < static_cast<int64_t>(codeOf.size()) &&
                right < static_cast<int64_t>(codeOf.size()) && codeOf[left] && codeOf[right] && pixels(value))
                out.kerning.push_back({codeOf[left], codeOf[right], pixels(value)});
        };
        if (dsc.Number("kern_classes") == 0) {
            const std::vector<int64_t> ids = ArrayNamed(t, k.Name("glyph_ids")),
                                       values = ArrayNamed(t, k.Name("values"));
            for (size_t p = 0; p < values.size() && 2 * p + 1 < ids.size(); ++p)
                add(ids[2 * p], ids[2 * p + 1], values[p]);
        } else if (glyphs.size() <= 4096) {
            const std::vector<int64_t> left = ArrayNamed(t, k.Name("left_class_mapping")),
                                       right = ArrayNamed(t, k.Name("right_class_mapping")),
                                       values = ArrayNamed(t, k.Name("class_pair_values"));
            const int64_t columns = k.Number("right_class_cnt");
            for (size_t a = 1; a < left.size(); ++a)
                for (size_t b = 1; b < right.size(); ++b) {
                    const int64_t cell = (left[a] - 1) * columns + (right[b] - 1);
                    if (left[a] > 0 && right[b] > 0 && cell >= 0 && cell < static_cast<int64_t>(values.size()))
                        add(static_cast<int64_t>(a), static_cast<int64_t>(b), values[static_cast<size_t>(cell)]);
                }
        }
    }
    SortGlyphs(&out);
    std::sort(out.kerning.begin(), out.kerning.end(), [](const KernPair& a, const KernPair& b) {
        return a.left != b.left ? a.left < b.left : a.right < b.right;
    });
    // LVGL's line: its height, the baseline above its bottom.
    const int32_t lineHeight = static_cast<int32_t>(public_font.Number("line_height"));
    const int32_t baseLine = static_cast<int32_t>(public_font.Number("base_line"));
    out.metrics.lineHeight = lineHeight;
    out.metrics.descent = baseLine;
    out.metrics.ascent = lineHeight - baseLine;
    return true;
}

// u8g2's bit reader over one glyph's record.
struct Bits {
    const std::vector<uint8_t>& bytes;
    size_t at, end;
    uint32_t bit = 0;
    bool past = false;
    uint32_t Unsigned(uint32_t count) {
        uint32_t value = 0;
        for (uint32_t k = 0; k < count; ++k) {
            if (at >= end) {
                past = true;
                return 0;
            }
            value |= static_cast<uint32_t>(bytes[at] >> bit & 1) << k;
            if (++bit == 8) bit = 0, ++at;
        }
        return value;
    }
    int32_t Signed(uint32_t count) {
        return static_cast<int32_t>(Unsigned(count)) - (count ? static_cast<int32_t>(1u << (count - 1)) : 0);
    }
};

}  // namespace

bool LooksLikeCFont(const std::string& text) {
    return text.find("GFXfont") != std::string::npos || text.find("U8G2_FONT_SECTION") != std::string::npos ||
           text.find("U8X8_FONT_SECTION") != std::string::npos ||
           text.find("lv_font_fmt_txt_glyph_dsc_t") != std::string::npos;
}

bool ReadU8g2Bytes(const std::vector<uint8_t>& f, FontGlyphs* out, std::string* error) {
    *out = FontGlyphs();
    if (f.size() < 25) {
        *error = "a u8g2 font of " + std::to_string(f.size()) + " bytes: its header alone is 23";
        return false;
    }
    const uint32_t bits0 = f[2], bits1 = f[3], bitsW = f[4], bitsH = f[5], bitsX = f[6], bitsY = f[7], bitsD = f[8];
    for (uint32_t b : {bits0, bits1, bitsW, bitsH, bitsX, bitsY, bitsD})
        if (b > 8) {
            *error = "the u8g2 font's header gives a field of " + std::to_string(b) + " bits; u8g2 reads 8 at most";
            return false;
        }
    if (!bits0 || !bits1) {
        *error = "the u8g2 font's runs have no bits";
        return false;
    }
    auto glyph = [&](uint32_t code, size_t from, size_t end) {
        Bits in{f, from, end};
        Glyph g;
        g.codePoint = code;
        const uint32_t w = in.Unsigned(bitsW), h = in.Unsigned(bitsH);
        g.left = in.Signed(bitsX);
        const int32_t y = in.Signed(bitsY);
        g.advance = in.Signed(bitsD);
        g.top = y + static_cast<int32_t>(h);
        if (w > 0 && h > 0) {
            g.width = w, g.height = h;
            g.coverage.assign(static_cast<size_t>(w) * h, 0);
            // Runs of unset then set pixels, a pair repeated while a 1 bit
            // follows, until the rows are filled, as u8g2 draws them.
            size_t pixel = 0;
            const size_t total = g.coverage.size();
            while (pixel < total && !in.past) {
                const uint32_t a = in.Unsigned(bits0), b = in.Unsigned(bits1);
                do {
                    pixel += a;
                    for (uint32_t k = 0; k < b; ++k, ++pixel)
                        if (pixel < total) g.coverage[pixel] = 255;
                } while (in.Unsigned(1) && !in.past);
            }
        } else {
            g.top = y;
        }
        if (in.past) {
            *error = "the u8g2 font's glyph of " + CodePointText(code) + " runs past its bytes";
            return false;
        }
        out->glyphs.push_back(std::move(g));
        return true;
    };
    size_t at = 23;
    for (;;) {
        if (at + 1 >= f.size()) {
            *error = "the u8g2 font's glyphs to 0xFF run past its bytes";
            return false;
        }
        const uint32_t size = f[at + 1];
        if (size == 0) break;
        if (size < 3 || at + size > f.size()) {
            *error = "the u8g2 font's glyph of " + CodePointText(f[at]) + " has a size of " + std::to_string(size) +
                     " past its bytes";
            return false;
        }
        if (!glyph(f[at], at + 2, at + size)) return false;
        at += size;
    }
    const size_t unicode = 23 + (size_t(f[21]) << 8 | f[22]);
    if (unicode + 4 <= f.size()) {
        // The jump table's first entry jumps past the table.
        at = unicode + (size_t(f[unicode]) << 8 | f[unicode + 1]);
        for (;;) {
            if (at + 1 >= f.size()) {
                *error = "the u8g2 font's glyphs past 0xFF run past its bytes";
                return false;
            }
            const uint32_t code = uint32_t(f[at]) << 8 | f[at + 1];
            if (code == 0) break;
            const uint32_t size = at + 2 < f.size() ? f[at + 2] : 0;
            if (size < 4 || at + size > f.size()) {
                *error = "the u8g2 font's glyph of " + CodePointText(code) + " has a size past its bytes";
                return false;
            }
            if (!glyph(code, at + 3, at + size)) return false;
            at += size;
        }
    }
    SortGlyphs(out);
    // The lines as u8g2_GetMaxCharHeight() puts them; the letters its
    // header measures, where the set lacks them, as one-pixel stand-ins.
    const int32_t boxH = f[10], boxY = static_cast<int8_t>(f[12]);
    SetMetrics(out, boxH);
    out->metrics.ascent = std::max(out->metrics.ascent, boxY + boxH);
    out->metrics.descent = std::max(out->metrics.descent, -boxY);
    auto stand_in = [&](uint32_t code, int32_t bottom, int32_t height) {
        if (FindGlyph(*out, code) || height <= 0) return;
        Glyph g;
        g.codePoint = code, g.width = 1, g.height = static_cast<uint32_t>(height), g.top = bottom + height;
        g.coverage.assign(static_cast<size_t>(height), 255);
        out->references.push_back(g);
    };
    const int32_t ascentA = static_cast<int8_t>(f[13]), descentG = static_cast<int8_t>(f[14]);
    const int32_t ascentParen = static_cast<int8_t>(f[15]), descentParen = static_cast<int8_t>(f[16]);
    stand_in('A', 0, ascentA);
    stand_in('g', descentG, 1);
    stand_in('(', descentParen, ascentParen - descentParen);
    return true;
}

bool ReadCFont(const std::string& text, CFont* font, std::string* error) {
    *font = CFont();
    std::vector<Token> tokens;
    if (!Tokenize(text, &tokens, error)) return false;
    const bool u8g2 =
        text.find("U8G2_FONT_SECTION") != std::string::npos || text.find("U8X8_FONT_SECTION") != std::string::npos;
    const bool lvgl = text.find("lv_font_fmt_txt_glyph_dsc_t") != std::string::npos;
    if (!(lvgl ? ReadLvgl(tokens, font, error) : u8g2 ? ReadU8g2(tokens, font, error) : ReadGfx(tokens, font, error)))
        return false;
    if (font->glyphs.glyphs.empty()) {
        *error = "the font " + font->name + " holds no glyph";
        return false;
    }
    return true;
}
