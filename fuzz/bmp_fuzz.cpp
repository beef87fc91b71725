// Feeds arbitrary bytes to the BMP reader as a file and, when a file is
// accepted, packs it in all sixteen ways, checking the shape of the text
// and that the line-at-a-time path writes what the per-byte walk writes.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "core/array_text.h"
#include "core/byte_scanner.h"
#include "core/mono_bitmap.h"
#include "core/scanner_table.h"
#include "fuzz/fuzz_check.h"

namespace {

const std::string& InputPath() {
    static std::string path = [] {
        const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string name = std::string(folder) + "/quillgrid-fuzz-XXXXXX";
        int fd = mkstemp(&name[0]);
        FUZZ_CHECK(fd >= 0);
        close(fd);
        return name;
    }();
    return path;
}

// Follows the text as it arrives: every line is ItemsPerLine() items of
// ", 0xHH" with upper-case digits, then a line feed.
struct ShapeCheck {
    uint32_t items;
    uint32_t itemsSeen = 0;
    uint32_t charInItem = 0;
    uint64_t total = 0;

    void Take(char c) {
        static const char kPrefix[] = ", 0x";
        ++total;
        if (itemsSeen == items) {
            FUZZ_CHECK(c == '\n');
            itemsSeen = 0;
            return;
        }
        if (charInItem < 4) {
            FUZZ_CHECK(c == kPrefix[charInItem]);
        } else {
            FUZZ_CHECK((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'));
        }
        if (++charInItem == 6) {
            charInItem = 0;
            ++itemsSeen;
        }
    }
};

bool Append(void* context, const char* text, uint32_t size) {
    static_cast<std::string*>(context)->append(text, size);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = InputPath();
    FILE* file = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    if (!g_bitmap.Load(path.c_str())) {
        FUZZ_CHECK(!g_bitmap.IsLoaded() && g_bitmap.Width() == 0);
        return 0;
    }
    for (int bits = 0; bits < 16; ++bits) {
        ConvertOptions options = {};
        options.msbReverse = bits & 1;
        options.bitHorizontal = (bits >> 1) & 1;
        options.byteHorizontal = (bits >> 2) & 1;
        options.fillOnes = static_cast<uint8_t>(bits >> 3);
        ByteScanner* scanner = SelectScanner(options);
        FUZZ_CHECK(scanner != nullptr);
        if (!scanner->Attach(&g_bitmap, options.fillOnes)) {
            FUZZ_CHECK(g_bitmap.Width() == 0 || g_bitmap.Height() == 0);
            continue;
        }
        static std::string fast, reference;
        fast.clear();
        reference.clear();
        FUZZ_CHECK(EmitArrayText(*scanner, Append, &fast));
        ShapeCheck check{scanner->ItemsPerLine()};
        for (char c : fast) check.Take(c);
        FUZZ_CHECK(check.total == ArrayTextLength(*scanner) && check.itemsSeen == 0);
        FUZZ_CHECK(EmitArrayTextPerByte(*scanner, Append, &reference));
        FUZZ_CHECK(fast == reference);
    }
    return 0;
}
