// The Save command through the real save dialog.
#include <gtest/gtest.h>

#include <cstdlib>

#include "cli/cli.h"
#include "core/mono_bitmap.h"
#include "tests/ui/window_driver.h"
#include "ui/app_state.h"
#include "ui/resource.h"

using uitest::BoxAnswerer;

namespace {

const char kErrorText[] =
    "\xcb\xde\xaf\xc4\xcf\xaf\xcc\xdf\x2d\x94\x7a\x97\xf1\x92\xe8\x8b\x60\x95\xcf\x8a\xb7\xcc\xa8"
    "\xd9\xc0 NG";
const char kErrorCaption[] = "\x83\x47\x83\x89\x81\x5b";
const char kSaveTitle[] = "\x83\x74\x83\x40\x83\x43\x83\x8b\x95\xdb\x91\xb6";

class SaveTest : public uitest::MainWindowFixture {
protected:
    std::string CliText(const std::string& input, std::vector<std::string> flags = {}) {
        std::string out = dir.File("cli.txt");
        std::vector<std::string> args = {"quillgrid-cli", "-o", out};
        args.insert(args.end(), flags.begin(), flags.end());
        args.push_back(input);
        std::vector<const char*> argv;
        for (const std::string& a : args) argv.push_back(a.c_str());
        EXPECT_EQ(RunCli(static_cast<int>(argv.size()), argv.data(), stdout, stderr), 0);
        return test::ReadText(out);
    }
};

TEST_F(SaveTest, NothingLoadedShowsTheErrorBoxAndNoDialog) {
    Start();
    BoxAnswerer answers;
    answers.Then(BoxAnswerer::Press(IDOK));
    Command(IDM_SAVE);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].caption, kErrorCaption);
    EXPECT_EQ(answers.Seen()[0].text, kErrorText);
    EXPECT_EQ(answers.Seen()[0].owner, nullptr);
}

TEST_F(SaveTest, AnEmptyBitmapCannotBePacked) {
    Start({Image(test::MonoHeader(0, 12), "flat.bmp")});
    EXPECT_TRUE(SaveEnabled());
    BoxAnswerer answers;
    answers.Then(BoxAnswerer::Press(IDOK));
    Command(IDM_SAVE);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].caption, kErrorCaption);
}

TEST_F(SaveTest, ProposesTheTextFileBesideTheBitmapAndWritesWhatTheCliWrites) {
    std::string input = Image(test::RandomMonoBmp(77, 29, 3), "logo.bmp");
    Start({input});
    std::string chosen = dir.File("logo.txt");
    BoxAnswerer answers;
    answers.Then(BoxAnswerer::EnterFileName(chosen));
    Command(IDM_SAVE);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].caption, kSaveTitle);
    EXPECT_EQ(answers.Seen()[0].owner, window);
    EXPECT_NE(answers.Seen()[0].text.find("logo.txt"), std::string::npos) << answers.Seen()[0].text;
    EXPECT_STREQ(g_savePath, chosen.c_str());
    EXPECT_EQ(test::ReadText(chosen), CliText(input));

    // The next proposal comes from the bitmap again, not from the last choice.
    answers.Then(BoxAnswerer::EnterFileName(dir.File("other.txt")));
    Command(IDM_SAVE);
    ASSERT_EQ(answers.Seen().size(), 2u);
    EXPECT_NE(answers.Seen()[1].text.find("logo.txt"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir.Path("other.txt")));
}

TEST_F(SaveTest, ABitmapWithoutExtensionProposesDotTxt) {
    std::string input = Image(test::RandomMonoBmp(9, 9, 1), "logo");
    Start({input});
    BoxAnswerer answers;
    Command(IDM_SAVE);  // cancelled
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_NE(answers.Seen()[0].text.find("logo.txt"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("logo.txt")));
}

TEST_F(SaveTest, AnExistingFileIsReplacedEntirely) {
    std::string input = Image(test::MonoBmp({"#"}), "dot.bmp");
    std::string target = dir.File("old.txt");
    test::WriteBytes(target, test::Bytes(5000, 'z'));
    Start({input});
    BoxAnswerer answers;
    answers.Then(BoxAnswerer::EnterFileName(target));
    answers.Then(BoxAnswerer::Press(IDYES));  // the overwrite question
    Command(IDM_SAVE);
    EXPECT_EQ(answers.Seen().size(), 2u);
    EXPECT_EQ(test::ReadText(target), ", 0x80\n");
}

TEST_F(SaveTest, AFileHeldOpenIsLeftAsItWasWithTheErrorBox) {
    std::string input = Image(test::MonoBmp({"#"}), "dot.bmp");
    std::string target = dir.File("held.txt");
    test::WriteBytes(target, {'o', 'l', 'd'});
    Start({input});
    HANDLE holder = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    BoxAnswerer answers;
    answers.Then(BoxAnswerer::EnterFileName(target));
    answers.Then(BoxAnswerer::Press(IDYES));
    answers.Then(BoxAnswerer::Press(IDOK));
    Command(IDM_SAVE);
    CloseHandle(holder);
    ASSERT_EQ(answers.Seen().size(), 3u);
    EXPECT_EQ(answers.Seen()[2].caption, kErrorCaption);
    EXPECT_EQ(test::ReadText(target), "old");
    std::string names;
    for (auto& e : std::filesystem::directory_iterator(dir.Path(""))) names += e.path().filename().string() + " ";
    EXPECT_EQ(names, "dot.bmp held.txt ");  // no temporary left
}

TEST_F(SaveTest, AWriteThatFailsPartWayLeavesTheOldFile) {
    std::string full = test::FullDiskDir();
    if (full.empty()) GTEST_SKIP() << "no small file system to fill (QG_FULL_DIR)";
    std::string target = full + "\\save-target.txt";
    test::WriteBytes(target, {'o', 'l', 'd'});
    Start({Image(test::RandomMonoBmp(400, 400, 2), "big.bmp")});  // about 120 KB of text
    BoxAnswerer answers;
    answers.Then(BoxAnswerer::EnterFileName(target));
    answers.Then(BoxAnswerer::Press(IDYES));
    answers.Then(BoxAnswerer::Press(IDOK));
    Command(IDM_SAVE);
    ASSERT_FALSE(answers.Seen().empty());
    EXPECT_EQ(answers.Seen().back().caption, kErrorCaption);
    EXPECT_EQ(test::ReadText(target), "old");
    size_t files = 0;
    for (auto& e : std::filesystem::directory_iterator(full))
        files += e.path().filename().string().rfind("~qg", 0) == 0;
    EXPECT_EQ(files, 0u);
    std::filesystem::remove(target);
}

TEST_F(SaveTest, AnUnwritableFolderShowsTheErrorBox) {
    std::string input = Image(test::MonoBmp({"#"}), "dot.bmp");
    Start({input});
    BoxAnswerer answers;
    // A name in a folder that does not exist: the dialog itself may refuse
    // it; if it lets it through, the command must report the failure.
    g_savePath[0] = '\0';
    answers.Then(BoxAnswerer::EnterFileName(dir.File("gone\\out.txt")));
    answers.Then(BoxAnswerer::Press(IDOK));
    answers.Then(BoxAnswerer::Press(IDCANCEL));
    Command(IDM_SAVE);
    ASSERT_GE(answers.Seen().size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("gone")));
}

// The temporary file needs more room than the chosen name: every folder
// whose names still fit the path buffer must take the output.
TEST_F(SaveTest, LongFoldersTakeTheOutput) {
    std::string input = Image(test::RandomMonoBmp(20, 10, 4), "pic.bmp");
    const std::string expected = CliText(input);
    Start({input});
    for (size_t length : {200u, 247u, 248u, 250u, 255u}) {
        std::string target = test::NestedFolder(dir.File(""), length) + "a.c";
        test::WriteBytes(target, {'o', 'l', 'd'});
        BoxAnswerer answers;
        answers.Then(BoxAnswerer::EnterFileName(target));
        answers.Then(BoxAnswerer::Press(IDYES));  // the overwrite question
        answers.Then(BoxAnswerer::Press(IDOK));   // an error box, were there one
        Command(IDM_SAVE);
        EXPECT_EQ(answers.Seen().size(), 2u) << length;
        EXPECT_EQ(test::ReadText(target), expected) << length;
    }
}

TEST_F(SaveTest, ALongBitmapPathProposesAnEmptyName) {
    // 259 characters with a two-letter extension: ".txt" would not fit.
    std::string base = dir.File("");
    std::string input = base + std::string(259 - base.size() - 3, 'n') + ".bm";
    ASSERT_EQ(input.size(), 259u);
    test::WriteBytes(input, test::MonoBmp({"#"}));
    Start({input});
    ASSERT_TRUE(g_bitmap.IsLoaded());
    BoxAnswerer answers;
    Command(IDM_SAVE);  // cancelled
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].text, "");
    EXPECT_EQ(test::ReadBytes(input), test::MonoBmp({"#"}));
}

}  // namespace

namespace {

// Run by bench/run: times a save of a large bitmap through the real
// window, the dialog answered at once.
TEST_F(SaveTest, DISABLED_SaveCommandTime) {
    const char* input = std::getenv("QG_BENCH_BMP");
    const char* output = std::getenv("QG_BENCH_OUT");
    if (!input || !output) GTEST_SKIP() << "QG_BENCH_BMP and QG_BENCH_OUT name the files";
    Start({input});
    ASSERT_TRUE(g_bitmap.IsLoaded());
    // The dialog alone, cancelled: what every save spends before writing.
    for (int round = 0; round < 3; ++round) {
        BoxAnswerer answers;
        DWORD start = GetTickCount();
        Command(IDM_SAVE);
        std::printf("dialog alone took %lu ms\n", static_cast<unsigned long>(GetTickCount() - start));
    }
    for (int round = 0; round < 3; ++round) {
        BoxAnswerer answers;
        std::filesystem::remove(output);
        answers.Then(BoxAnswerer::EnterFileName(output));
        DWORD start = GetTickCount();
        Command(IDM_SAVE);
        std::printf("save took %lu ms\n", static_cast<unsigned long>(GetTickCount() - start));
    }
}

}  // namespace
