// Glyph sets as written on the command line, and the characters of a text.
#include <gtest/gtest.h>

#include "fonts/glyph_set.h"

namespace {

TEST(GlyphSetTest, SetsReadAsWritten) {
    struct Case {
        const char* written;
        size_t count;
        uint32_t first, last;
    } cases[] = {
        {"0x20-0x7E", 95, 0x20, 0x7E},
        {"ascii", 95, 0x20, 0x7E},
        {"ASCII,0xB0", 96, 0x20, 0xB0},
        {"latin1", 95 + 96, 0x20, 0xFF},
        {"U+2013-U+2014, 65", 3, 'A', 0x2014},
        {"0x41,0x41,65", 1, 'A', 'A'},
        {"digits", 1 + 16, 0x20, 0x3A},
        {"kana", 64 + 86 + 103 + 63, 0x3000, 0xFF9F},
        {"0x10FFFF", 1, 0x10FFFF, 0x10FFFF},
        {"0xD7FF-0xE000", 2, 0xD7FF, 0xE000},  // the surrogates are no characters
        {"1,", 1, 1, 1},                       // a trailing comma
    };
    for (const Case& c : cases) {
        CodePoints set;
        std::string error;
        ASSERT_TRUE(ParseGlyphSet(c.written, &set, &error)) << c.written << ": " << error;
        EXPECT_EQ(set.size(), c.count) << c.written;
        EXPECT_EQ(set.front(), c.first) << c.written;
        EXPECT_EQ(set.back(), c.last) << c.written;
        EXPECT_TRUE(std::is_sorted(set.begin(), set.end())) << c.written;
    }
}

TEST(GlyphSetTest, WrongSetsAreRefusedNamingThePart) {
    struct Case {
        const char* written;
        const char* says;
    } cases[] = {
        {"", "an empty part"},
        {"0x20,,0x30", "an empty part"},
        {"0x7E-0x20", "'0x7E-0x20' runs backwards"},
        {"0x110000", "'0x110000' is not a code point"},
        {"0xD800", "'0xD800' is not a code point"},
        {"greek", "'greek' is not a code point"},
        {"0x20-", "'0x20-' is not a code point"},
        {"0xZZ", "'0xZZ' is not"},
        {"A-Z", "'A-Z' is not a code point"},  // characters go in --chars
    };
    for (const Case& c : cases) {
        CodePoints set;
        std::string error;
        EXPECT_FALSE(ParseGlyphSet(c.written, &set, &error)) << c.written;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.written << ": " << error;
    }
}

TEST(GlyphSetTest, ATextGivesItsCharactersOnce) {
    struct Case {
        const char* text;
        CodePoints set;
        const char* refusal;  // null: taken
    } cases[] = {
        {"Hello, 世界\nHello", {' ', ',', 'H', 'e', 'l', 'o', 0x4E16, 0x754C}, nullptr},
        {"\xEF\xBB\xBF"
         "a\tb\r\n",
         {'a', 'b'},
         nullptr},                                         // a byte-order mark, tabs and line ends left out
        {"\xF0\x9F\x98\x80", {0x1F600}, nullptr},          // four bytes
        {"ok\nbad \xC3", {}, "line 2 is not UTF-8 text"},  // cut short
        {"\xC0\x80", {}, "line 1 is not UTF-8 text"},      // an overlong NUL
        {"\xED\xA0\x80", {}, "line 1 is not UTF-8 text"},  // a surrogate
    };
    for (const Case& c : cases) {
        CodePoints set;
        std::string error;
        const bool taken = AddTextCharacters(c.text, &set, &error);
        EXPECT_EQ(taken, c.refusal == nullptr) << c.text;
        if (taken)
            EXPECT_EQ(set, c.set) << c.text;
        else
            EXPECT_EQ(error, c.refusal);
    }
}

}  // namespace
