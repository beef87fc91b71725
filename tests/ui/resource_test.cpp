// The options dialog template as compiled into the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ui/resource.h"

namespace {

struct Item {
    DWORD style, exStyle;
    short x, y, cx, cy;
    int id;
    WORD classAtom;
    std::wstring text;
};

struct Template {
    DWORD style, exStyle;
    short x, y, cx, cy;
    std::wstring caption, font;
    WORD pointSize;
    std::vector<Item> items;
};

// Reads a name-or-ordinal field; ordinals come back as "#n".
std::wstring ReadString(const WORD*& at) {
    if (*at == 0xFFFF) {
        std::wstring ordinal = L"#" + std::to_wstring(at[1]);
        at += 2;
        return ordinal;
    }
    std::wstring text(reinterpret_cast<const wchar_t*>(at));
    at += text.size() + 1;
    return text;
}

Template ReadTemplate() {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_OPTION), MAKEINTRESOURCEA(5));
    EXPECT_NE(found, nullptr);
    const DLGTEMPLATE* head = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(nullptr, found)));
    Template t = {head->style, head->dwExtendedStyle, head->x, head->y, head->cx, head->cy, {}, {}, 0, {}};
    const WORD* at = reinterpret_cast<const WORD*>(head + 1);
    EXPECT_EQ(ReadString(at), L"");  // no menu
    EXPECT_EQ(ReadString(at), L"");  // the standard dialog class
    t.caption = ReadString(at);
    if (t.style & DS_SETFONT) {
        t.pointSize = *at++;
        t.font = ReadString(at);
    }
    for (WORD i = 0; i < head->cdit; ++i) {
        at = reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(at) + 3) & ~UINT_PTR(3));
        const DLGITEMTEMPLATE* item = reinterpret_cast<const DLGITEMTEMPLATE*>(at);
        Item it = {item->style, item->dwExtendedStyle,        item->x, item->y, item->cx,
                   item->cy,    static_cast<short>(item->id), 0,       {}};
        at = reinterpret_cast<const WORD*>(item + 1);
        std::wstring className = ReadString(at);
        it.classAtom = className == L"#128" ? 0x80 : 0;
        it.text = ReadString(at);
        WORD extra = *at++;
        at = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(at) + extra);
        t.items.push_back(it);
    }
    return t;
}

TEST(OptionDialogTemplate, MatchesTheLayout) {
    Template t = ReadTemplate();
    EXPECT_EQ(t.style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(t.exStyle, 0u);
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.cx, 195);
    EXPECT_EQ(t.cy, 147);
    EXPECT_EQ(t.caption, L"オプション設定");
    EXPECT_EQ(t.font, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(t.pointSize, 9);

    const DWORD radio = BS_AUTORADIOBUTTON, box = BS_GROUPBOX, g = WS_GROUP, tab = WS_TABSTOP;
    const Item expected[] = {
        {radio | g | tab, 0, 20, 18, 37, 10, 1000, 0x80, L"順方向"},
        {radio | tab, 0, 20, 33, 37, 10, 1001, 0x80, L"逆方向"},
        {box, 0, 7, 5, 82, 44, -1, 0x80, L"MSB位置"},
        {radio | g | tab, 0, 21, 77, 23, 10, 1002, 0x80, L"横"},
        {radio | tab, 0, 21, 92, 23, 10, 1003, 0x80, L"縦"},
        {box, 0, 7, 64, 82, 44, -1, 0x80, L"ビット取得方向"},
        {radio | g | tab, 0, 119, 18, 23, 10, 1004, 0x80, L"横"},
        {radio | tab, 0, 119, 33, 23, 10, 1005, 0x80, L"縦"},
        {box, 0, 106, 5, 82, 44, -1, 0x80, L"バイト取得方向"},
        {radio | g | tab, 0, 119, 77, 50, 10, 1006, 0x80, L"'0' で埋める"},
        {radio | tab, 0, 119, 92, 50, 10, 1007, 0x80, L"'1' で埋める"},
        {box, 0, 106, 64, 82, 44, -1, 0x80, L"端数ﾋﾞｯﾄの扱い"},
        {BS_DEFPUSHBUTTON | tab, 0, 54, 126, 36, 14, IDOK, 0x80, L"OK"},
        {BS_PUSHBUTTON | tab, 0, 107, 126, 36, 14, IDCANCEL, 0x80, L"ｷｬﾝｾﾙ"},
    };
    ASSERT_EQ(t.items.size(), 14u);
    for (size_t i = 0; i < 14; ++i) {
        const Item& got = t.items[i];
        const Item& want = expected[i];
        EXPECT_EQ(got.style, want.style | WS_CHILD | WS_VISIBLE) << i;
        EXPECT_EQ(got.exStyle, 0u) << i;
        EXPECT_EQ(got.x, want.x) << i;
        EXPECT_EQ(got.y, want.y) << i;
        EXPECT_EQ(got.cx, want.cx) << i;
        EXPECT_EQ(got.cy, want.cy) << i;
        EXPECT_EQ(got.id, want.id) << i;
        EXPECT_EQ(got.classAtom, 0x80) << i;
        EXPECT_TRUE(got.text == want.text) << i;
    }
}

TEST(Icon, HasBothSizesIn16Colours) {
    HRSRC group = FindResourceA(nullptr, MAKEINTRESOURCEA(IDI_APP), MAKEINTRESOURCEA(14));
    ASSERT_NE(group, nullptr);
    const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, group)));
    WORD count = *reinterpret_cast<const WORD*>(dir + 4);
    ASSERT_EQ(count, 2);
    // GRPICONDIRENTRY: width, height, colour count, reserved, planes, bit count, ...
    const BYTE* entry = dir + 6;
    EXPECT_EQ(entry[0], 32);
    EXPECT_EQ(entry[2], 16);
    EXPECT_EQ(entry[14], 16);
    EXPECT_EQ(entry[16], 16);
}

TEST(Resources, JapaneseLanguage) {
    for (auto type : {MAKEINTRESOURCEA(4), MAKEINTRESOURCEA(5)}) {
        int id = type == MAKEINTRESOURCEA(4) ? IDR_MAINMENU : IDD_OPTION;
        EXPECT_NE(FindResourceExA(nullptr, type, MAKEINTRESOURCEA(id), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)),
                  nullptr);
    }
}

}  // namespace
