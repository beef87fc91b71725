// Real BMP files from public test suites, when they are beside the project.
#include <gtest/gtest.h>

#include "core/array_text.h"
#include "tests/core/scanner_fixture.h"

namespace {

bool Collect(void* context, const char* text, uint32_t size) {
    static_cast<std::string*>(context)->append(text, size);
    return true;
}

// The text of all sixteen layouts, one after the other.
std::string PackAllWays(const MonoBitmap& bitmap) {
    std::string all;
    for (int bits = 0; bits < 16; ++bits) {
        ConvertOptions options =
            test::Options(bits & 1, (bits >> 1) & 1, (bits >> 2) & 1, static_cast<uint8_t>(bits >> 3));
        ByteScanner* scanner = SelectScanner(options);
        if (!scanner->Attach(&bitmap, options.fillOnes)) continue;
        std::string text;
        EXPECT_TRUE(EmitArrayText(*scanner, Collect, &text));
        EXPECT_EQ(text.size(), ArrayTextLength(*scanner));
        all += text;
    }
    return all;
}

class SharedFiles : public ::testing::Test {
protected:
    void SetUp() override {
        root = test::SharedBmpDir();
        if (root.empty()) GTEST_SKIP() << "the shared BMP test files are not here";
    }
    bool Load(const std::string& name) { return bitmap.Load((root / name).string().c_str()); }
    std::filesystem::path root;
    MonoBitmap bitmap;
};

TEST_F(SharedFiles, EveryFileIsRefusedOrLoadsAndPacks) {
    size_t loaded = 0, refused = 0;
    for (auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".bmp") continue;
        if (bitmap.Load(entry.path().string().c_str())) {
            ++loaded;
            PackAllWays(bitmap);
        } else {
            ++refused;
            EXPECT_EQ(bitmap.Width(), 0u);
        }
    }
    EXPECT_GE(loaded, 10u);
    EXPECT_GE(refused, 10u);
}

TEST_F(SharedFiles, FieldsThatAreNotTestedChangeNothing) {
    ASSERT_TRUE(Load("bmpsuite/g/pal1.bmp"));
    std::string reference = PackAllWays(bitmap);
    ASSERT_FALSE(reference.empty());
    for (const char* name : {"badbitssize", "badfilesize", "baddens1", "baddens2", "badplanes"}) {
        ASSERT_TRUE(Load(std::string("bmpsuite/b/") + name + ".bmp")) << name;
        EXPECT_EQ(PackAllWays(bitmap), reference) << name;
    }
}

TEST_F(SharedFiles, KnownVerdicts) {
    for (const char* good : {"bmpsuite/g/pal1.bmp", "bmpsuite/g/pal1wb.bmp", "bmpsuite/g/pal1bg.bmp",
                             "bmpsuite/q/pal1p1.bmp", "extra/imagers-Info_1_Bit.bmp"})
        EXPECT_TRUE(Load(good)) << good;
    for (const char* bad : {"bmpsuite/b/badwidth.bmp", "bmpsuite/b/badbitcount.bmp", "bmpsuite/b/badheadersize.bmp",
                            "bmpsuite/b/rletopdown.bmp", "bmpsuite/b/shortfile.bmp", "bmpsuite/b/reallybig.bmp",
                            "extra/imagers-Info_1_Bit_Top_Down.bmp", "extra/pillow-l2rgb_read.bmp"})
        EXPECT_FALSE(Load(bad)) << bad;
}

// pal1wb.bmp stores white as entry 0: the same picture, complemented bits.
TEST_F(SharedFiles, PaletteOrderDoesNotChangeThePicture) {
    ASSERT_TRUE(Load("bmpsuite/g/pal1.bmp"));
    std::string plain = PackAllWays(bitmap);
    ASSERT_TRUE(Load("bmpsuite/g/pal1wb.bmp"));
    EXPECT_EQ(PackAllWays(bitmap), plain);
}

}  // namespace
