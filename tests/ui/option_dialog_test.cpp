// The options dialog in the real window.
#include <gtest/gtest.h>

#include "settings/settings_file.h"
#include "tests/ui/window_driver.h"
#include "ui/resource.h"

using uitest::BoxAnswerer;

namespace {

const char kDialogCaption[] = "\x83\x49\x83\x76\x83\x56\x83\x87\x83\x93\x90\xdd\x92\xe8";

class OptionDialogTest : public uitest::MainWindowFixture {
protected:
    // An action that records which of the eight buttons are checked.
    BoxAnswerer::Action Record(std::string* checks) {
        return [checks](HWND box) {
            checks->clear();
            for (int id = IDC_MSB_FORWARD; id <= IDC_FILL_ONE; ++id)
                *checks += IsDlgButtonChecked(box, id) == BST_CHECKED ? '1' : '0';
        };
    }
    static BoxAnswerer::Action Then(BoxAnswerer::Action first, BoxAnswerer::Action second) {
        return [first, second](HWND box) {
            first(box);
            second(box);
        };
    }
    // Checks the other button of every pair.
    static BoxAnswerer::Action FlipAll() {
        return [](HWND box) {
            for (int id = IDC_MSB_FORWARD; id <= IDC_FILL_ONE; ++id) {
                bool on = IsDlgButtonChecked(box, id) == BST_CHECKED;
                CheckDlgButton(box, id, on ? BST_UNCHECKED : BST_CHECKED);
            }
        };
    }
    static BoxAnswerer::Action Key(WPARAM key) {
        return [key](HWND box) { PostMessageA(GetDlgItem(box, IDC_BIT_VERT), WM_KEYDOWN, key, 0); };
    }
    // Enter with the focus on a button presses that button.
    static BoxAnswerer::Action EnterOn(int id) {
        return [id](HWND box) {
            SendMessageA(box, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(box, id)), TRUE);
            PostMessageA(GetDlgItem(box, id), WM_KEYDOWN, VK_RETURN, 0);
        };
    }
    std::string Options() const {
        return std::to_string(g_options.msbReverse) + std::to_string(g_options.bitHorizontal) +
               std::to_string(g_options.byteHorizontal) + std::to_string(g_options.fillOnes);
    }
};

TEST_F(OptionDialogTest, OpensWithTheDefaultsChecked) {
    Start();
    BoxAnswerer answers;
    std::string checks;
    answers.Then(Then(Record(&checks), BoxAnswerer::Press(IDCANCEL)));
    Command(IDM_OPTION);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].caption, kDialogCaption);
    EXPECT_EQ(answers.Seen()[0].owner, window);
    EXPECT_FALSE(answers.Seen()[0].ownerEnabled);
    // forward, vertical bits, horizontal bytes, fill 0
    EXPECT_EQ(checks, "10011010");
}

TEST_F(OptionDialogTest, OkStoresEveryPairAndTheNextSaveUsesThem) {
    std::string input = Image(test::MonoBmp({"#.#", "..#"}), "pic.bmp");
    Start({input});
    BoxAnswerer answers;
    answers.Then(BoxAnswerer::EnterFileName(dir.File("pic.txt")));
    Command(IDM_SAVE);
    EXPECT_EQ(test::ReadText(dir.File("pic.txt")), ", 0x80, 0x00, 0xC0\n");  // the defaults
    answers.Then(Then(FlipAll(), BoxAnswerer::Press(IDOK)));
    Command(IDM_OPTION);
    EXPECT_EQ(Options(), "1101");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("quillgrid.dat")));  // only at exit

    answers.Then(BoxAnswerer::EnterFileName(dir.File("pic.txt")));
    answers.Then(BoxAnswerer::Press(IDYES));  // the overwrite question
    Command(IDM_SAVE);
    // lsb first, horizontal bits, vertical bytes, fill 1: one strip, two rows
    EXPECT_EQ(test::ReadText(dir.File("pic.txt")), ", 0xFD, 0xFC\n");

    Close();
    EXPECT_EQ(test::ReadBytes(dir.File("quillgrid.dat")),
              test::Bytes({1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));

    // After a restart the stored values are checked.
    Start();
    std::string checks;
    answers.Then(Then(Record(&checks), BoxAnswerer::Press(IDCANCEL)));
    Command(IDM_OPTION);
    EXPECT_EQ(checks, "01100101");
}

TEST_F(OptionDialogTest, CancelAndEscapeChangeNothingEnterIsOk) {
    Start();
    BoxAnswerer answers;
    answers.Then(Then(FlipAll(), BoxAnswerer::Press(IDCANCEL)));
    Command(IDM_OPTION);
    EXPECT_EQ(Options(), "0010");
    answers.Then(Then(FlipAll(), Key(VK_ESCAPE)));
    Command(IDM_OPTION);
    EXPECT_EQ(Options(), "0010");
    answers.Then(Then(FlipAll(), EnterOn(IDCANCEL)));
    Command(IDM_OPTION);
    EXPECT_EQ(Options(), "0010");
    answers.Then(Then(FlipAll(), Key(VK_RETURN)));
    Command(IDM_OPTION);
    EXPECT_EQ(Options(), "1101");
    std::string checks;
    answers.Then(Then(Record(&checks), BoxAnswerer::Press(IDCANCEL)));
    Command(IDM_OPTION);
    EXPECT_EQ(checks, "01100101");
    EXPECT_EQ(answers.Seen().size(), 5u);
}

}  // namespace
