#include "fonts/glyph_set.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

struct NamedSet {
    const char* name;
    std::vector<std::pair<uint32_t, uint32_t>> ranges;  // first to last
};

// Kana: the Hiragana and Katakana blocks, the half-width forms, and the
// CJK punctuation that Japanese text runs with (。、「」・ー and the
// ideographic space).
const std::vector<NamedSet>& NamedSets() {
    static const std::vector<NamedSet> kSets = {
        {"ascii", {{0x20, 0x7E}}},
        {"latin1", {{0x20, 0x7E}, {0xA0, 0xFF}}},
        {"digits", {{0x20, 0x20}, {0x2B, 0x3A}}},  // space, + , - . / 0-9 :
        {"kana", {{0x3000, 0x303F}, {0x3041, 0x3096}, {0x3099, 0x30FF}, {0xFF61, 0xFF9F}}},
        // u8g2's kinds of font, the sets its converter's maps name.
        {"u8g2-f", {{0x20, 0xFF}}},
        {"u8g2-r", {{0x20, 0x7F}}},
        {"u8g2-n", {{0x20, 0x20}, {0x2A, 0x3A}}},
        {"u8g2-u", {{0x20, 0x5F}}},
    };
    return kSets;
}

std::string Trim(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1]))) --last;
    return text.substr(first, last - first);
}

// One code point: 0x41, U+0041 or 65. At most U+10FFFF, and no surrogate.
bool ParseCodePoint(const std::string& text, uint32_t* value) {
    std::string digits = text;
    int base = 10;
    if (digits.size() > 2 && (digits.compare(0, 2, "0x") == 0 || digits.compare(0, 2, "0X") == 0 ||
                              digits.compare(0, 2, "U+") == 0 || digits.compare(0, 2, "u+") == 0)) {
        digits = digits.substr(2);
        base = 16;
    }
    if (digits.empty() || digits.size() > 8) return false;
    uint32_t v = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        v = v * static_cast<uint32_t>(base) + static_cast<uint32_t>(d);
        if (v > 0x10FFFF) return false;
    }
    if (v >= 0xD800 && v <= 0xDFFF) return false;
    *value = v;
    return true;
}

// A part of a set as an error line quotes it: on one line, and short.
std::string Quoted(const std::string& part) {
    std::string shown;
    for (char c : part.substr(0, 40)) shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    return "'" + shown + (part.size() > 40 ? "...'" : "'");
}

void AddRange(uint32_t first, uint32_t last, CodePoints* set) {
    for (uint32_t c = first; c <= last; ++c)
        if (c < 0xD800 || c > 0xDFFF) set->push_back(c);
}

}  // namespace

bool ParseGlyphSet(const std::string& written, CodePoints* set, std::string* error) {
    size_t at = 0;
    while (at <= written.size()) {
        size_t comma = written.find(',', at);
        if (comma == std::string::npos) comma = written.size();
        const std::string part = Trim(written.substr(at, comma - at));
        at = comma + 1;
        if (part.empty()) {
            if (comma == written.size() && !set->empty()) break;
            *error = "an empty part in the glyph set " + Quoted(written);
            return false;
        }
        std::string lower = part;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const auto named =
            std::find_if(NamedSets().begin(), NamedSets().end(), [&](const NamedSet& s) { return lower == s.name; });
        if (named != NamedSets().end()) {
            for (const auto& [first, last] : named->ranges) AddRange(first, last, set);
            continue;
        }
        const size_t dash = part.find('-', 1);
        uint32_t first = 0, last = 0;
        const bool single = dash == std::string::npos;
        if (!ParseCodePoint(Trim(single ? part : part.substr(0, dash)), &first) ||
            !(single ? (last = first, true) : ParseCodePoint(Trim(part.substr(dash + 1)), &last))) {
            *error = Quoted(part) + " is not a code point (0x41, U+0041 or 65), a range (0x20-0x7E) or a set (" +
                     GlyphSetNames() + ")";
            return false;
        }
        if (last < first) {
            *error = "the range " + Quoted(part) + " runs backwards";
            return false;
        }
        AddRange(first, last, set);
    }
    TidyGlyphSet(set);
    return true;
}

CodePoints DecodeUtf8(const std::string& text, size_t* firstBad) {
    CodePoints out;
    if (firstBad) *firstBad = std::string::npos;
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
        const unsigned char b = s[i];
        uint32_t c, need;
        if (b < 0x80)
            c = b, need = 0;
        else if ((b & 0xE0) == 0xC0)
            c = b & 0x1F, need = 1;
        else if ((b & 0xF0) == 0xE0)
            c = b & 0x0F, need = 2;
        else if ((b & 0xF8) == 0xF0)
            c = b & 0x07, need = 3;
        else {
            if (firstBad && *firstBad == std::string::npos) *firstBad = i;
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        size_t k = 1;
        for (; k <= need && i + k < n && (s[i + k] & 0xC0) == 0x80; ++k) c = c << 6 | (s[i + k] & 0x3F);
        static const uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        const bool whole = k == need + 1;
        if (!whole || c < kLeast[need] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            if (firstBad && *firstBad == std::string::npos) *firstBad = i;
            c = 0xFFFD;
        }
        out.push_back(c);
        i += whole ? k : std::max<size_t>(k, 1);
    }
    return out;
}

bool AddTextCharacters(const std::string& text, CodePoints* set, std::string* error) {
    size_t bad;
    const CodePoints points = DecodeUtf8(text, &bad);
    if (bad != std::string::npos) {
        const size_t line = 1 + static_cast<size_t>(std::count(text.begin(), text.begin() + bad, '\n'));
        *error = "line " + std::to_string(line) + " is not UTF-8 text";
        return false;
    }
    for (uint32_t c : points) {
        if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0xFEFF) continue;
        set->push_back(c);
    }
    TidyGlyphSet(set);
    return true;
}

void TidyGlyphSet(CodePoints* set) {
    std::sort(set->begin(), set->end());
    set->erase(std::unique(set->begin(), set->end()), set->end());
}

std::string GlyphSetNames() {
    std::string names;
    for (const NamedSet& s : NamedSets()) names += (names.empty() ? "" : ", ") + std::string(s.name);
    return names;
}

std::string CodePointText(uint32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", c);
    std::string out = text;
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return out;
    std::string utf8;
    if (c < 0x80)
        utf8 = static_cast<char>(c);
    else if (c < 0x800)
        utf8 = {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    else if (c < 0x10000)
        utf8 = {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    else
        utf8 = {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
                static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
    return out + " '" + utf8 + "'";
}
