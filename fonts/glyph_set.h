// Which characters a font is made of: Unicode code points, sorted, each
// once. A set is written as ranges and single code points ("0x20-0x7E,
// 0xB0,U+2013-U+2014", decimal too), names of sets ("ascii", "latin1",
// "digits", "kana", and u8g2's "u8g2-f", "u8g2-r", "u8g2-n", "u8g2-u"), or
// the characters of a text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using CodePoints = std::vector<uint32_t>;

// The code points a set as written names, added to `set`. False with `error` (one
// line, naming the part at fault) for a part that is neither.
bool ParseGlyphSet(const std::string& written, CodePoints* set, std::string* error);

// The characters of a UTF-8 text, added to `set`; line breaks, tabs and
// other control characters are left out. False with `error` for bytes that
// are not UTF-8, naming where.
bool AddTextCharacters(const std::string& text, CodePoints* set, std::string* error);

// Sorted, each once.
void TidyGlyphSet(CodePoints* set);

// The UTF-8 of a text as code points, in order, control characters kept
// (a sample's line breaks). Bytes that are not UTF-8 become U+FFFD; the
// offset of the first such byte goes to `firstBad` (npos when none).
CodePoints DecodeUtf8(const std::string& text, size_t* firstBad = nullptr);

// The names of the named sets, for the help: "ascii, latin1, digits, kana".
std::string GlyphSetNames();

// "U+00E9 'é'" and the like, for lists of glyphs on a terminal.
std::string CodePointText(uint32_t codePoint);
