// The three loading routes and what each leaves behind.
#include <gtest/gtest.h>

#include <cstring>

#include "core/mono_bitmap.h"
#include "tests/ui/window_driver.h"
#include "ui/app_state.h"
#include "ui/resource.h"

using uitest::BoxAnswerer;

namespace {

const char kWarningText[] =
    "\x96\xa2\xbb\xce\xdf\xb0\xc4\x82\xcc\xcc\xa7\xb2\xd9\x8c\x60\x8e\xae\x82\xc5\x82\xb7\x81\x42";
const char kWarningCaption[] = "\x8c\x78\x8d\x90";

class LoadingTest : public uitest::MainWindowFixture {
protected:
    std::string Good(const char* name = "logo.bmp", uint32_t w = 150, uint32_t h = 90) {
        return Image(test::RandomMonoBmp(w, h, 1), name);
    }
    std::string Unsupported(const char* name = "colour.bmp") {
        test::Bytes b = test::MonoBmp({"#."});
        test::Put16(b, 28, 24);
        return Image(b, name);
    }
    void ExpectEmptyView() {
        EXPECT_EQ(Client().cx, 300);
        EXPECT_EQ(Client().cy, 200);
        EXPECT_FALSE(SaveEnabled());
        EXPECT_FALSE(g_bitmap.IsLoaded());
    }
};

TEST_F(LoadingTest, CommandLineWithAGoodBitmap) {
    std::string path = Good();
    Start({path});
    EXPECT_EQ(Client().cx, 150);
    EXPECT_EQ(Client().cy, 90);
    EXPECT_TRUE(SaveEnabled());
    EXPECT_STREQ(g_bitmapPath, path.c_str());
}

TEST_F(LoadingTest, CommandLineWithAnUnsupportedFileWarnsBeforeTheWindowShows) {
    BoxAnswerer answers;
    answers.Then(BoxAnswerer::Press(IDOK));
    Start({Unsupported()});
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].caption, kWarningCaption);
    EXPECT_EQ(answers.Seen()[0].text, kWarningText);
    EXPECT_EQ(answers.Seen()[0].owner, window);
    EXPECT_FALSE(answers.Seen()[0].ownerVisible);
    ExpectEmptyView();
    EXPECT_EQ(g_bitmapPath[0], '\0');
}

TEST_F(LoadingTest, CommandLineThatIsIgnored) {
    std::string good = Good();
    const std::vector<std::vector<std::string>> cases = {
        {dir.File("missing.bmp")}, {good, good}, {std::string(300, 'x') + ".bmp"}};
    for (const auto& args : cases) {
        BoxAnswerer answers;
        Start(args);
        EXPECT_TRUE(answers.Seen().empty());
        ExpectEmptyView();
        EXPECT_EQ(g_bitmapPath[0], '\0');
        Close();
    }
}

TEST_F(LoadingTest, ShortNamesAreStoredInTheirLongForm) {
    std::string path = Good("a long file name.bmp");
    char shortName[MAX_PATH] = {};
    if (!GetShortPathNameA(path.c_str(), shortName, MAX_PATH) || path == shortName)
        GTEST_SKIP() << "no short names on this file system";
    Start({shortName});
    EXPECT_STREQ(g_bitmapPath, path.c_str());
}

TEST_F(LoadingTest, DropOfOneGoodFile) {
    Start();
    std::string first = Good("first.bmp", 120, 70);
    Drop({first});
    EXPECT_EQ(Client().cx, 120);
    EXPECT_EQ(Client().cy, 70);
    EXPECT_TRUE(SaveEnabled());
    EXPECT_STREQ(g_bitmapPath, first.c_str());
    // A second bitmap of the same size ends at the same size.
    std::string second = Image(test::RandomMonoBmp(120, 70, 9), "second.bmp");
    Drop({second});
    EXPECT_EQ(Client().cx, 120);
    EXPECT_STREQ(g_bitmapPath, second.c_str());
}

TEST_F(LoadingTest, DropOfAnUnsupportedFileKeepsThePath) {
    std::string good = Good();
    Start({good});
    BoxAnswerer answers;
    answers.Then(BoxAnswerer::Press(IDOK));
    Drop({Unsupported()});
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].text, kWarningText);
    EXPECT_EQ(answers.Seen()[0].owner, window);
    ExpectEmptyView();
    EXPECT_STREQ(g_bitmapPath, good.c_str());

    answers.Then(BoxAnswerer::Press(IDOK));
    Drop({dir.File("")});  // a folder
    EXPECT_EQ(answers.Seen().size(), 2u);
    ExpectEmptyView();
}

TEST_F(LoadingTest, DropOfSeveralFilesChangesNothing) {
    std::string good = Good();
    Start({good});
    BoxAnswerer answers;
    HGLOBAL drop = nullptr;
    Drop({Good("a.bmp", 20, 20), Good("b.bmp", 30, 30)}, &drop);
    EXPECT_TRUE(answers.Seen().empty());
    EXPECT_EQ(Client().cx, 150);
    EXPECT_TRUE(SaveEnabled());
    EXPECT_STREQ(g_bitmapPath, good.c_str());
    EXPECT_EQ(GlobalFlags(drop), static_cast<UINT>(GMEM_INVALID_HANDLE));  // finished
}

TEST_F(LoadingTest, DropOfANameTooLongForTheBufferIsRefused) {
    std::string good = Good();
    Start({good});
    BoxAnswerer answers;
    answers.Then(BoxAnswerer::Press(IDOK));
    // The first 259 characters name a real bitmap; the whole name does not.
    std::string longName = good + std::string(300 - good.size(), 'x');
    std::string cut = longName.substr(0, 259);
    test::WriteBytes(cut, test::RandomMonoBmp(40, 40, 2));
    Drop({longName});
    EXPECT_EQ(answers.Seen().size(), 1u);
    ExpectEmptyView();
    EXPECT_STREQ(g_bitmapPath, good.c_str());
}

TEST_F(LoadingTest, OpenDialogLoadsTheChosenFile) {
    std::string good = Good("chosen.bmp", 64, 48);
    Start();
    BoxAnswerer answers;
    answers.Then(BoxAnswerer::EnterFileName(good));
    Command(IDM_OPEN);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].text, "");
    EXPECT_TRUE(g_bitmap.IsLoaded());
    EXPECT_STREQ(g_bitmapPath, good.c_str());
    EXPECT_EQ(Client().cy, 48);
    EXPECT_TRUE(SaveEnabled());

    // The next opening starts with that path.
    Command(IDM_OPEN);  // cancelled by the answerer
    ASSERT_EQ(answers.Seen().size(), 2u);
    EXPECT_NE(answers.Seen()[1].text.find("chosen.bmp"), std::string::npos) << answers.Seen()[1].text;
    EXPECT_TRUE(g_bitmap.IsLoaded());  // cancelled with a bitmap loaded: nothing changes
    EXPECT_EQ(Client().cy, 48);
    EXPECT_TRUE(SaveEnabled());
}

// The dialog works on a copy of the current path: a cancel leaves every
// byte of it, a choice replaces it.
TEST_F(LoadingTest, OpenDialogTouchesThePathOnlyWhenAFileIsChosen) {
    std::string first = Good("first.bmp", 130, 20);
    Start({first});
    char before[sizeof g_bitmapPath];
    std::memcpy(before, g_bitmapPath, sizeof before);
    BoxAnswerer answers;
    Command(IDM_OPEN);  // cancelled
    EXPECT_EQ(std::memcmp(before, g_bitmapPath, sizeof before), 0);
    std::string second = Good("second.bmp", 140, 20);
    answers.Then(BoxAnswerer::EnterFileName(second));
    Command(IDM_OPEN);
    EXPECT_STREQ(g_bitmapPath, second.c_str());
    EXPECT_EQ(Client().cx, 140);
}

TEST_F(LoadingTest, ARelativePathLoadsAndTheSaveIsProposedBesideIt) {
    std::filesystem::create_directory(dir.Path("sub"));
    Good("sub\\rel.bmp", 133, 22);
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(dir.File("").c_str());
    Start({"sub\\rel.bmp"});
    EXPECT_TRUE(g_bitmap.IsLoaded());
    EXPECT_EQ(Client().cx, 133);
    BoxAnswerer answers;
    answers.Then(BoxAnswerer::Press(IDOK));  // the proposal as it stands
    Command(IDM_SAVE);
    SetCurrentDirectoryA(previous);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(dir.Path("sub") / "rel.txt"));
}

TEST_F(LoadingTest, OpenDialogCancelledWithNothingLoaded) {
    Start();
    BoxAnswerer answers;
    Command(IDM_OPEN);  // cancelled, g_bitmapPath empty: no warning
    EXPECT_EQ(answers.Seen().size(), 1u);
    ExpectEmptyView();

    // An unsupported choice, then a cancel: the warning comes twice.
    answers.Then(BoxAnswerer::EnterFileName(Unsupported()));
    answers.Then(BoxAnswerer::Press(IDOK));
    answers.Then(BoxAnswerer::Press(IDCANCEL));
    answers.Then(BoxAnswerer::Press(IDOK));
    Command(IDM_OPEN);
    Command(IDM_OPEN);
    ASSERT_EQ(answers.Seen().size(), 5u);
    EXPECT_EQ(answers.Seen()[2].caption, kWarningCaption);
    EXPECT_EQ(answers.Seen()[4].caption, kWarningCaption);
    ExpectEmptyView();
    EXPECT_NE(std::string(g_bitmapPath).find("colour.bmp"), std::string::npos);
}

}  // namespace
