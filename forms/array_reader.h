// Reading bytes back from the text forms they were written in: the array
// text (", 0xA0, 0x60"), a C initializer between braces (hex, decimal,
// octal or 0b values; comments skipped), an XBM file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The values of `text`: those between its first '{' and the '}' that
// closes it, or, with no brace, all of them. False with `why` (one line,
// with the line number) for anything that is not a byte value, a comma,
// blank space or a comment there: a value over 255, a bare "0x", a word,
// an unclosed comment or brace, a NUL byte.
bool ReadArrayText(const char* text, size_t size, std::vector<uint8_t>* bytes, std::string* why);
