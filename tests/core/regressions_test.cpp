// Files that once troubled the reader (fuzzer findings and hand-made
// hostile headers, under tests/regressions): each must be refused, or
// loaded and packed, without reading outside the rows.
#include <gtest/gtest.h>

#include "core/array_text.h"
#include "tests/core/scanner_fixture.h"

namespace {

bool Discard(void*, const char*, uint32_t) { return true; }

TEST(Regressions, EveryFileIsRefusedOrPacked) {
    std::filesystem::path folder = std::filesystem::path(QG_SOURCE_DIR) / "tests" / "regressions";
    size_t files = 0;
    for (auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".bmp") continue;
        ++files;
        MonoBitmap bitmap;
        if (!bitmap.Load(entry.path().string().c_str())) continue;
        for (const ScannerRow& row : ScannerTable) {
            if (row.scanner->Attach(&bitmap, 1)) EmitArrayText(*row.scanner, Discard, nullptr);
        }
    }
    EXPECT_GT(files, 0u);
}

TEST(Regressions, HostileHeadersAreRefused) {
    std::filesystem::path folder = std::filesystem::path(QG_SOURCE_DIR) / "tests" / "regressions";
    for (const char* name : {"width-max-one-row.bmp", "rows-above-4gib.bmp", "offset-2gib.bmp"}) {
        MonoBitmap bitmap;
        EXPECT_FALSE(bitmap.Load((folder / name).string().c_str())) << name;
    }
}

}  // namespace
