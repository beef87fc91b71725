#include "forms/array_reader.h"

#include <cstring>

namespace {

class Reader {
public:
    Reader(const char* text, size_t size) : at(text), end(text + size) {}

    bool Read(std::vector<uint8_t>* bytes, std::string* why) {
        const char* open = Initializer();
        if (open != end) {
            for (const char* c = at; c < open; ++c) line += *c == '\n';
            at = open + 1;
        }
        const uint32_t openLine = line;
        const bool braced = open != end;
        for (;;) {
            if (!SkipBlanks(why)) return false;
            if (at == end) {
                if (!braced) return true;
                return Fail("the '{' of line " + std::to_string(openLine) + " is never closed", why);
            }
            if (*at == '}') {
                if (braced) return true;
                return Fail("a '}' without its '{'", why);
            }
            if (*at == ',') {
                ++at;
                continue;
            }
            uint32_t value = 0;
            if (!Value(&value, why)) return false;
            bytes->push_back(static_cast<uint8_t>(value));
        }
    }

private:
    // The brace that opens an initializer ("= {"), past others such as an
    // enum's; else the first brace; else the end.
    const char* Initializer() const {
        const char* first = Find('{', at);
        for (const char* open = first; open != end; open = Find('{', open + 1)) {
            const char* before = open;
            while (before > at && std::strchr(" \t\r\n", before[-1])) --before;
            if (before > at && before[-1] == '=') return open;
        }
        return first;
    }

    const char* Find(char wanted, const char* from) const {
        // Only outside comments: a brace in a comment opens nothing.
        for (const char* c = from; c < end; ++c) {
            if (c + 1 < end && c[0] == '/' && c[1] == '*') {
                const char* close = c + 2;
                while (close + 1 < end && !(close[0] == '*' && close[1] == '/')) ++close;
                if (close + 1 >= end) return end;
                c = close + 1;
            } else if (c + 1 < end && c[0] == '/' && c[1] == '/') {
                while (c < end && *c != '\n') ++c;
                if (c == end) return end;
            } else if (*c == wanted) {
                return c;
            }
        }
        return end;
    }

    // Blank space and comments; false for a comment that never ends or a NUL.
    bool SkipBlanks(std::string* why) {
        while (at < end) {
            const char c = *at;
            if (c == '\n') {
                ++line;
                ++at;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f') {
                ++at;
            } else if (c == '\0') {
                return Fail("a NUL byte", why);
            } else if (c == '/' && at + 1 < end && at[1] == '*') {
                const uint32_t start = line;
                at += 2;
                while (at + 1 < end && !(at[0] == '*' && at[1] == '/')) line += *at++ == '\n';
                if (at + 1 >= end) {
                    line = start;
                    return Fail("a comment that never ends", why);
                }
                at += 2;
            } else if (c == '/' && at + 1 < end && at[1] == '/') {
                while (at < end && *at != '\n') ++at;
            } else {
                return true;
            }
        }
        return true;
    }

    static int Digit(char c, int base) {
        int d = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : 99;
        return d < base ? d : -1;
    }

    static bool IsWordChar(char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    }

    // A number as C writes one: 0x hex, 0b binary, a leading 0 octal, else
    // decimal; a u or l suffix is allowed.
    bool Value(uint32_t* value, std::string* why) {
        const char* start = at;
        while (at < end && IsWordChar(*at)) ++at;
        std::string word(start, at);
        if (word.empty()) {
            std::string shown = std::string(1, *start);
            if (static_cast<unsigned char>(*start) < 0x20 || static_cast<unsigned char>(*start) >= 0x7F)
                shown = "byte " + std::to_string(static_cast<unsigned char>(*start));
            return Fail("'" + shown + "' where a value should be", why);
        }
        if (word[0] < '0' || word[0] > '9') return Fail("'" + Shorten(word) + "' is not a value", why);
        size_t digits = word.size();
        while (digits > 0 && (word[digits - 1] == 'u' || word[digits - 1] == 'U' || word[digits - 1] == 'l' ||
                              word[digits - 1] == 'L'))
            --digits;
        int base = 10;
        size_t first = 0;
        if (digits >= 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X'))
            base = 16, first = 2;
        else if (digits >= 2 && word[0] == '0' && (word[1] == 'b' || word[1] == 'B'))
            base = 2, first = 2;
        else if (digits >= 2 && word[0] == '0')
            base = 8, first = 1;
        if (first == digits) return Fail("'" + Shorten(word) + "' has no digits", why);
        uint32_t v = 0;
        for (size_t i = first; i < digits; ++i) {
            int d = Digit(word[i], base);
            if (d < 0) return Fail("'" + Shorten(word) + "' is not a value", why);
            v = v * base + d;
            if (v > 255) return Fail("'" + Shorten(word) + "' is over 255, more than a byte holds", why);
        }
        *value = v;
        return true;
    }

    static std::string Shorten(const std::string& word) {
        return word.size() <= 24 ? word : word.substr(0, 20) + "...";
    }

    bool Fail(const std::string& what, std::string* why) const {
        *why = "line " + std::to_string(line) + ": " + what;
        return false;
    }

    const char* at;
    const char* const end;
    uint32_t line = 1;
};

}  // namespace

bool ReadArrayText(const char* text, size_t size, std::vector<uint8_t>* bytes, std::string* why) {
    bytes->clear();
    return Reader(text, size).Read(bytes, why);
}
