#include "ui/strings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// The constant's bytes read as code page 932, in UTF-8.
std::string FromCp932(const char* text) {
    wchar_t wide[512];
    int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text, -1, wide, 512);
    EXPECT_GT(n, 0);
    char utf8[1024];
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

TEST(Strings, ShiftJisConstantsReadAsTheirTexts) {
    const std::pair<const char*, const char*> cases[] = {
        {TEXT_UNSUPPORTED, "未ｻﾎﾟｰﾄのﾌｧｲﾙ形式です。"},
        {TEXT_WARNING, "警告"},
        {TEXT_OPEN_TITLE, "ファイルオープン"},
        {TEXT_SAVE_TITLE, "ファイル保存"},
        {TEXT_CONVERT_FAILED, "ﾋﾞｯﾄﾏｯﾌﾟ-配列定義変換ﾌｨﾙﾀ NG"},
        {TEXT_ERROR, "エラー"},
        {TEXT_VERSION, "ﾓﾉｸﾛﾋﾞｯﾄﾏｯﾌﾟ-配列定義変換\n\nｿﾌﾄ名:\tQuillgrid\nVersion:\t1.00"},
        {TEXT_VERSION_TITLE, "バージョン情報"},
        {TEXT_APP_NAME, "Quillgrid"},
    };
    for (auto c : cases) EXPECT_EQ(FromCp932(c.first), c.second);
}

TEST(Strings, FiltersAreDoubleTerminatedPairs) {
    const char bmp[] = FILTER_BMP;
    EXPECT_EQ(std::string(bmp, sizeof bmp), std::string("BMP(*.bmp)\0*.bmp\0All files(*.*)\0*.*\0\0", 37));
    const char txt[] = FILTER_TXT;
    EXPECT_EQ(std::string(txt, sizeof txt), std::string("TXT(*.txt)\0*.txt\0All files(*.*)\0*.*\0\0", 37));
}

}  // namespace
