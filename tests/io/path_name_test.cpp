#include "io/path_name.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Renamed(const std::string& path, const char* ext, size_t capacity = kPathBufferSize) {
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer, "%s", path.c_str());
    if (!RenameExtension(buffer, capacity, ext)) return "(unchanged) " + std::string(buffer);
    return buffer;
}

TEST(RenameExtension, ReplacesOrAppends) {
    const std::pair<const char*, const char*> cases[] = {
        {"D:\\Tools\\tool.exe", "D:\\Tools\\tool.dat"},
        {"tool", "tool.dat"},
        {"dir.v2\\tool", "dir.v2\\tool.dat"},
        {"dir.v2/tool", "dir.v2/tool.dat"},
        {"a/b.c/logo", "a/b.c/logo.dat"},
        {"logo.tar.gz", "logo.tar.dat"},
        {".hidden", ".dat"},
        {"name.", "name.dat"},
        {"my file.bmp", "my file.dat"},
        {"odd.a b", "odd.a b.dat"},
        {"", ".dat"},
    };
    for (auto c : cases) EXPECT_EQ(Renamed(c.first, ".dat"), c.second) << c.first;
}

TEST(RenameExtension, RefusesWhatDoesNotFit) {
    std::string stem(255, 'a');
    EXPECT_EQ(Renamed(stem, ".dat"), stem + ".dat");  // 259 characters
    EXPECT_EQ(Renamed(stem + "a", ".dat"), "(unchanged) " + stem + "a");
    EXPECT_EQ(Renamed(stem + "a.b", ".txt"), "(unchanged) " + stem + "a.b");
    EXPECT_EQ(Renamed(stem + ".bmp", ".txt"), stem + ".txt");
}

TEST(CopyPath, FitsOrRefuses) {
    char buffer[8] = "keep";
    EXPECT_FALSE(CopyPath(buffer, sizeof buffer, "12345678"));
    EXPECT_STREQ(buffer, "keep");
    EXPECT_TRUE(CopyPath(buffer, sizeof buffer, "1234567"));
    EXPECT_STREQ(buffer, "1234567");
}

}  // namespace
