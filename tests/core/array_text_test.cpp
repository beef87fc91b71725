#include "core/array_text.h"

#include <gtest/gtest.h>

#include "io/array_text_file.h"
#include "tests/core/scanner_fixture.h"

using test::Options;

namespace {

// A grid given directly, for shapes that no real scanner produces.
class FixedScanner : public ByteScanner {
public:
    FixedScanner(uint32_t items, uint32_t lines) : items(items), lines(lines) {}
    bool Attach(const MonoBitmap*, uint8_t) override { return true; }
    uint32_t ItemsPerLine() const override { return items; }
    uint32_t LineCount() const override { return lines; }
    uint8_t GetByte(uint32_t item, uint32_t line) const override { return static_cast<uint8_t>(item * 7 + line * 13); }

private:
    uint32_t items, lines;
};

bool Collect(void* context, const char* text, uint32_t size) {
    static_cast<std::string*>(context)->append(text, size);
    return true;
}

std::string Text(const ByteScanner& scanner) {
    std::string text;
    EXPECT_TRUE(EmitArrayText(scanner, Collect, &text));
    EXPECT_EQ(text.size(), ArrayTextLength(scanner));
    return text;
}

class ArrayTextTest : public ::testing::Test {
protected:
    ByteScanner* Attached(const test::Bytes& image, const ConvertOptions& options) {
        EXPECT_TRUE(files.Load(image, &bitmap));
        ByteScanner* scanner = SelectScanner(options);
        EXPECT_TRUE(scanner->Attach(&bitmap, options.fillOnes));
        return scanner;
    }
    test::LoadedBitmap files;
    MonoBitmap bitmap;
};

TEST_F(ArrayTextTest, WorkedExampleFiles) {
    struct Case {
        ConvertOptions options;
        const char* text;
        size_t length;
    };
    const Case cases[] = {
        {Options(0, 0, 1, 0), ", 0xA0, 0x60, 0x60, 0x20, 0x20, 0x60, 0x60, 0xA0, 0xA0, 0xC0\n", 61},
        {Options(0, 1, 1, 1), ", 0x81, 0xFF\n, 0x66, 0x7F\n, 0xFF, 0xBF\n", 39},
        {Options(1, 1, 0, 0), ", 0x81, 0x66, 0xFF\n, 0x03, 0x02, 0x01\n", 38},
    };
    for (const Case& c : cases) {
        ByteScanner* scanner = Attached(test::MonoBmp(test::WorkedImage()), c.options);
        std::string path = files.dir.File("out.txt");
        FileHandle file = CreateFileForWrite(path.c_str());
        ASSERT_NE(file, nullptr);
        EXPECT_TRUE(WriteArrayText(*scanner, file));
        CloseFile(file);
        std::string text = test::ReadText(path);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(text.size(), c.length);
    }
}

TEST_F(ArrayTextTest, AllDarkSquare) {
    ByteScanner* scanner = Attached(test::MonoBmp(std::vector<std::string>(8, "########")), Options(0, 0, 1, 0));
    std::string text = Text(*scanner);
    EXPECT_EQ(text, ", 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF\n");
    EXPECT_EQ(text.size(), 49u);
}

TEST(ArrayTextShapes, EmptyLinesAndEmptyGrids) {
    EXPECT_EQ(Text(FixedScanner(0, 3)), "\n\n\n");
    EXPECT_EQ(Text(FixedScanner(5, 0)), "");
    EXPECT_EQ(Text(FixedScanner(2, 1)), ", 0x00, 0x07\n");
}

TEST(ArrayTextShapes, TwoUpperCaseDigitsAlways) {
    class Values : public FixedScanner {
    public:
        Values() : FixedScanner(4, 1) {}
        uint8_t GetByte(uint32_t item, uint32_t) const override {
            const uint8_t v[] = {10, 255, 0, 0xAB};
            return v[item];
        }
    } values;
    EXPECT_EQ(Text(values), ", 0x0A, 0xFF, 0x00, 0xAB\n");
}

// Blocks are cut anywhere in the text; joined they must read as if every
// item had been written on its own.
TEST(ArrayTextShapes, LargeGridsCrossBlockBoundaries) {
    FixedScanner scanner(4099, 37);
    std::string text = Text(scanner);
    std::string expected;
    for (uint32_t line = 0; line < 37; ++line) {
        for (uint32_t item = 0; item < 4099; ++item) {
            char buffer[12];
            std::snprintf(buffer, sizeof buffer, ", 0x%02X", scanner.GetByte(item, line));
            expected += buffer;
        }
        expected += "\n";
    }
    EXPECT_EQ(text, expected);
}

TEST(ArrayTextShapes, AFailedWriteIsReportedAndTheWalkFinishes) {
    struct Counter {
        uint64_t offered = 0;
        int calls = 0;
    } counter;
    ByteSink failFirst = [](void* context, const char*, uint32_t size) {
        Counter* c = static_cast<Counter*>(context);
        c->offered += size;
        return c->calls++ != 0;
    };
    FixedScanner scanner(3000, 30);
    EXPECT_FALSE(EmitArrayText(scanner, failFirst, &counter));
    EXPECT_EQ(counter.offered, ArrayTextLength(scanner));
    EXPECT_GT(counter.calls, 1);
}

}  // namespace
