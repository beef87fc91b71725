// A bitmap loaded from rows built in the test, and the packed grid of a
// scanner as text ("A0 60 / 81 C0").
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/byte_scanner.h"
#include "core/mono_bitmap.h"
#include "core/scanner_table.h"
#include "tests/test_support.h"

namespace test {

inline ConvertOptions Options(uint32_t msbReverse, uint32_t bitHorizontal, uint32_t byteHorizontal, uint8_t fillOnes) {
    ConvertOptions options = {};
    options.msbReverse = msbReverse;
    options.bitHorizontal = bitHorizontal;
    options.byteHorizontal = byteHorizontal;
    options.fillOnes = fillOnes;
    return options;
}

inline std::string Grid(const ByteScanner& scanner) {
    std::string text;
    for (uint32_t line = 0; line < scanner.LineCount(); ++line) {
        if (line) text += " / ";
        for (uint32_t item = 0; item < scanner.ItemsPerLine(); ++item) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%s%02X", item ? " " : "", scanner.GetByte(item, line));
            text += hex;
        }
    }
    return text;
}

class LoadedBitmap {
public:
    bool Load(const Bytes& bytes, MonoBitmap* into) {
        std::string path = dir.File("image.bmp");
        WriteBytes(path, bytes);
        return into->Load(path.c_str());
    }
    ScratchDir dir;
};

inline const std::vector<std::string>& WorkedImage() {
    static const std::vector<std::string> rows = {
        "#......###",
        ".##..##..#",
        "#########.",
    };
    return rows;
}

}  // namespace test
