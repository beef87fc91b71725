// Paths at and beyond the 259 characters that the path buffers hold.
#include <gtest/gtest.h>

#include "core/mono_bitmap.h"
#include "tests/ui/window_driver.h"
#include "ui/app_state.h"
#include "ui/resource.h"

using uitest::BoxAnswerer;

namespace {

class PathsTest : public uitest::MainWindowFixture {
protected:
    // A path of exactly `length` characters in the scratch folder; the
    // file is written when it fits a single name.
    std::string PathOfLength(size_t length, bool create = true) {
        std::string base = dir.File("");
        std::string path = base + std::string(length - base.size() - 4, 'p') + ".bmp";
        EXPECT_EQ(path.size(), length);
        if (create) test::WriteBytes(path, test::RandomMonoBmp(48, 24, 3));
        return path;
    }
};

TEST_F(PathsTest, CommandLine) {
    std::string fits = PathOfLength(259);
    Start({fits});
    EXPECT_TRUE(g_bitmap.IsLoaded());
    EXPECT_STREQ(g_bitmapPath, fits.c_str());
    Close();

    for (size_t length : {260u, 300u}) {
        BoxAnswerer answers;
        std::string tooLong = PathOfLength(length);
        Start({tooLong});
        EXPECT_TRUE(answers.Seen().empty()) << length;
        EXPECT_FALSE(g_bitmap.IsLoaded()) << length;
        EXPECT_EQ(g_bitmapPath[0], '\0');
        Close();
    }
}

TEST_F(PathsTest, Drop) {
    Start();
    std::string fits = PathOfLength(259);
    Drop({fits});
    EXPECT_TRUE(g_bitmap.IsLoaded());
    EXPECT_STREQ(g_bitmapPath, fits.c_str());
    for (size_t length : {260u, 300u}) {
        BoxAnswerer answers;
        answers.Then(BoxAnswerer::Press(IDOK));
        Drop({PathOfLength(length)});
        EXPECT_EQ(answers.Seen().size(), 1u) << length;  // refused, never cut short
        EXPECT_FALSE(g_bitmap.IsLoaded());
        EXPECT_STREQ(g_bitmapPath, fits.c_str());
    }
}

// Longer names are the dialog's own affair: Wine's dialog stops answering
// when one of 300 characters is typed into it.
TEST_F(PathsTest, OpenDialog) {
    Start();
    for (size_t length : {259u, 260u}) {
        BoxAnswerer answers;
        std::string path = PathOfLength(length);
        answers.Then(BoxAnswerer::EnterFileName(path));
        answers.Then(BoxAnswerer::Press(IDOK));
        Command(IDM_OPEN);
        EXPECT_LT(lstrlenA(g_bitmapPath), 260);
        if (length == 259) {
            EXPECT_TRUE(g_bitmap.IsLoaded());
            EXPECT_STREQ(g_bitmapPath, path.c_str());
        } else {
            EXPECT_NE(std::string(g_bitmapPath), path);
        }
    }
}

}  // namespace
