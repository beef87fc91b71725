// The main window itself: start-up state, menu, shortcuts, version box,
// shut-down.
#include <gtest/gtest.h>

#include "settings/settings_file.h"
#include "tests/ui/window_driver.h"
#include "ui/app_state.h"
#include "ui/resource.h"

using uitest::BoxAnswerer;

namespace {

class MainWindowTest : public uitest::MainWindowFixture {};

TEST_F(MainWindowTest, StartsEmptyWithSaveGreyed) {
    Start();
    char caption[64] = {};
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "Quillgrid");
    EXPECT_EQ(Client().cx, 300);
    EXPECT_EQ(Client().cy, 200);
    EXPECT_FALSE(SaveEnabled());
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(g_bitmapPath[0], '\0');
    EXPECT_NE(std::string(g_modulePath).find("ui_tests.exe"), std::string::npos);
}

TEST_F(MainWindowTest, MenuMatchesTheResource) {
    Start();
    HMENU bar = GetMenu(window);
    ASSERT_EQ(GetMenuItemCount(bar), 3);
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(IDM_OPEN));
    EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(file, 2), static_cast<UINT>(IDM_SAVE));
    EXPECT_EQ(GetSubMenu(bar, 1), nullptr);  // Options is a command on the bar
    EXPECT_EQ(GetMenuItemID(bar, 1), static_cast<UINT>(IDM_OPTION));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 2), 0), static_cast<UINT>(IDM_VERSION));
    const struct {
        HMENU menu;
        int position;
        const wchar_t* text;
    } texts[] = {
        {bar, 0, L"ファイル(&F)"},   {file, 0, L"開く(&O)\tCtrl+O"}, {file, 2, L"保存(&S)\tCtrl+S"},
        {bar, 1, L"オプション(&O)"}, {bar, 2, L"ヘルプ(&H)"},        {GetSubMenu(bar, 2), 0, L"バージョン情報(&V)"},
    };
    for (const auto& t : texts) {
        wchar_t text[64] = {};
        GetMenuStringW(t.menu, t.position, text, 64, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(text), t.text);
    }
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 2)), 1);
}

TEST_F(MainWindowTest, WithoutABitmapTheClientAreaIsWhite) {
    Start();
    HDC dc = GetDC(window);
    int other = 0;
    for (int y = 0; y < 200; y += 7)
        for (int x = 0; x < 300; x += 7) other += GetPixel(dc, x, y) != RGB(255, 255, 255);
    other += GetPixel(dc, 299, 199) != RGB(255, 255, 255);
    ReleaseDC(window, dc);
    EXPECT_EQ(other, 0);
}

TEST_F(MainWindowTest, ShortcutsSendTheirCommands) {
    Start();
    BoxAnswerer answers;
    Key('O', true);        // Ctrl+O: the Open dialog
    Key('O', true, true);  // Ctrl+Shift+O: the same
    Key('O', false);       // O alone: nothing
    Key('S', false);
    ASSERT_EQ(answers.Seen().size(), 2u);
    EXPECT_EQ(answers.Seen()[0].caption, "\x83\x74\x83\x40\x83\x43\x83\x8b\x83\x49\x81\x5b\x83\x76\x83\x93");
    EXPECT_EQ(answers.Seen()[1].caption, answers.Seen()[0].caption);
    EXPECT_EQ(answers.Seen()[0].owner, window);
    EXPECT_FALSE(answers.Seen()[0].ownerEnabled);

    // Ctrl+S with nothing loaded reaches the Save command although the item is greyed.
    answers.Then(BoxAnswerer::Press(IDOK));
    Key('S', true);
    ASSERT_EQ(answers.Seen().size(), 3u);
    EXPECT_EQ(answers.Seen()[2].caption, "\x83\x47\x83\x89\x81\x5b");
}

TEST_F(MainWindowTest, UnknownCommandsAreIgnored) {
    Start();
    BoxAnswerer answers;
    for (WPARAM id : {0u, 1u, 40000u, 40005u, 0x10000u + 40010u}) {
        EXPECT_EQ(SendMessageA(window, WM_COMMAND, id, 0), 0);
    }
    uitest::PumpMessages();
    EXPECT_TRUE(answers.Seen().empty());
    EXPECT_EQ(Client().cx, 300);
}

TEST_F(MainWindowTest, VersionBoxHasNoOwner) {
    Start();
    BoxAnswerer answers;
    answers.Then(BoxAnswerer::Press(IDOK));
    Command(IDM_VERSION);
    ASSERT_EQ(answers.Seen().size(), 1u);
    const uitest::SeenBox& box = answers.Seen()[0];
    EXPECT_EQ(box.caption, "\x83\x6f\x81\x5b\x83\x57\x83\x87\x83\x93\x8f\xee\x95\xf1");
    EXPECT_EQ(box.text,
              "\xd3\xc9\xb8\xdb\xcb\xde\xaf\xc4\xcf\xaf\xcc\xdf\x2d\x94\x7a\x97\xf1\x92\xe8\x8b\x60"
              "\x95\xcf\x8a\xb7\n\n\xbf\xcc\xc4\x96\xbc:\tQuillgrid\nVersion:\t1.00");
    EXPECT_EQ(box.owner, nullptr);
}

TEST_F(MainWindowTest, ClosingWritesTheSettingsEvenUnchanged) {
    std::string settings = dir.File("quillgrid.dat");
    Start();
    EXPECT_FALSE(std::filesystem::exists(settings));
    Close();
    EXPECT_EQ(test::ReadBytes(settings), test::Bytes({0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
}

}  // namespace
