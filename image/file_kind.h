// What kind of image file some bytes are, from their first bytes, and the
// checks of each kind's header that keep the decoder from misreading it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class FileKind {
    Unknown,
    Png,
    Bmp,
    Pnm,      // binary PGM or PPM (P5, P6)
    TextPnm,  // a PBM, PGM or PPM written as text (P1 to P4), which is not read
};

FileKind KindOf(const uint8_t* data, size_t size);

// "PNG", "BMP", "PGM or PPM": the kind in the words of a refusal.
const char* KindName(FileKind kind);

// What keeps the decoder from reading a file of that kind correctly, in a
// few words, or empty when nothing does.
std::string HeaderProblem(FileKind kind, const uint8_t* data, size_t size);

// The same for a BMP: `data` starts with "BM".
std::string BmpProblem(const uint8_t* data, size_t size);

// The same for a binary PGM or PPM: its three header numbers must be
// whole numbers the decoder can hold. `data` starts with "P5" or "P6".
std::string PnmProblem(const uint8_t* data, size_t size);
