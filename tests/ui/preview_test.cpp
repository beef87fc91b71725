// Fitting the client area to the bitmap, and what the preview shows.
#include <gtest/gtest.h>

#include "core/mono_bitmap.h"
#include "tests/ui/window_driver.h"
#include "ui/app_state.h"

namespace {

class PreviewTest : public uitest::MainWindowFixture {
protected:
    // Reads back one pixel of the client area as 'D' (dark), 'L' (light) or '?'.
    char PixelAt(int x, int y) {
        HDC dc = GetDC(window);
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(window, dc);
        if (c == RGB(0, 0, 0)) return 'D';
        if (c == RGB(255, 255, 255)) return 'L';
        return '?';
    }
    std::string Row(int y, int width) {
        std::string row;
        for (int x = 0; x < width; ++x) row += PixelAt(x, y);
        return row;
    }
    void Repaint() {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
        uitest::PumpMessages();
    }
};

TEST_F(PreviewTest, TinyBitmapKeepsTheMinimumWidthAndItsHeight) {
    Start({Image(test::MonoBmp({"#"}), "dot.bmp")});
    EXPECT_EQ(Client().cy, 1);
    EXPECT_GE(Client().cx, 1);
    EXPECT_EQ(PixelAt(0, 0), 'D');
    EXPECT_EQ(PixelAt(1, 0), 'L');  // the strip beside it is white
}

TEST_F(PreviewTest, NarrowBitmapThatWrapsTheMenuStillGetsItsHeight) {
    Start({Image(test::RandomMonoBmp(40, 33, 4), "narrow.bmp")});
    EXPECT_EQ(Client().cy, 33);
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_GT(GetSystemMetrics(SM_CYMENU) * 2, 0);
    EXPECT_GT(frame.bottom - frame.top - 33, GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYCAPTION));
}

TEST_F(PreviewTest, HugeBitmapIsFittedAsFarAsTheScreenAllows) {
    Start({Image(test::RandomMonoBmp(3000, 2400, 8), "huge.bmp")});
    EXPECT_EQ(g_viewSize.cx, 3000);
    SIZE client = Client();
    EXPECT_GT(client.cx, 300);
    EXPECT_LE(client.cx, 3000);
    EXPECT_LE(client.cy, 2400);
    // Another size message with the same size ends at once.
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.cx, client.cy));
    EXPECT_EQ(Client().cx, client.cx);
}

TEST_F(PreviewTest, MinimiseAndRestoreComeBackToTheViewSize) {
    Start({Image(test::RandomMonoBmp(210, 130, 5), "logo.bmp")});
    ShowWindow(window, SW_MINIMIZE);
    uitest::PumpMessages();
    EXPECT_TRUE(IsIconic(window));
    ShowWindow(window, SW_RESTORE);
    uitest::PumpMessages();
    EXPECT_EQ(Client().cx, 210);
    EXPECT_EQ(Client().cy, 130);
}

TEST_F(PreviewTest, SizeMessagesThatNeedNoChange) {
    Start();
    SendMessageA(window, WM_SIZE, SIZE_MAXHIDE, MAKELPARAM(10, 10));
    EXPECT_EQ(Client().cx, 300);
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    EXPECT_EQ(Client().cy, 200);
}

TEST_F(PreviewTest, ShowsTheFileAsItIsOnDisk) {
    std::vector<std::string> rows = {"#..#....", "........", "###....."};
    std::string path = Image(test::MonoBmp(rows), "pic.bmp");
    Start({path});
    Repaint();
    EXPECT_EQ(Row(0, 8), "DLLDLLLL");
    EXPECT_EQ(Row(2, 8), "DDDLLLLL");

    // Changed on disk: the preview follows, the loaded pixels do not.
    test::WriteBytes(path, test::MonoBmp({"........", "....####", "........"}));
    Repaint();
    EXPECT_EQ(Row(1, 8), "LLLLDDDD");
    EXPECT_TRUE(g_bitmap.IsDark(0, 0));

    // Deleted: a white client area, still loaded.
    std::filesystem::remove(path);
    Repaint();
    EXPECT_EQ(Row(1, 8), "LLLLLLLL");
    EXPECT_TRUE(g_bitmap.IsLoaded());
}

}  // namespace
