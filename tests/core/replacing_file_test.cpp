#include "core/replacing_file.h"

#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace {

size_t FilesIn(const std::filesystem::path& folder) {
    size_t count = 0;
    for (auto& entry : std::filesystem::directory_iterator(folder)) (void)entry, ++count;
    return count;
}

TEST(ReplacingFile, TargetChangesOnlyOnCommit) {
    test::ScratchDir dir;
    std::string target = dir.File("out.txt");
    test::WriteBytes(target, {'o', 'l', 'd'});
    {
        ReplacingFile file;
        ASSERT_TRUE(file.Open(target.c_str()));
        ASSERT_TRUE(WriteFileBytes(file.Handle(), "new text", 8));
        EXPECT_EQ(test::ReadText(target), "old");
        EXPECT_EQ(FilesIn(dir.Path("")), 2u);
        ASSERT_TRUE(file.Commit());
    }
    EXPECT_EQ(test::ReadText(target), "new text");
    EXPECT_EQ(FilesIn(dir.Path("")), 1u);
}

TEST(ReplacingFile, AbandonedWorkLeavesNoTrace) {
    test::ScratchDir dir;
    std::string target = dir.File("out.txt");
    test::WriteBytes(target, {'o', 'l', 'd'});
    {
        ReplacingFile file;
        ASSERT_TRUE(file.Open(target.c_str()));
        WriteFileBytes(file.Handle(), "half", 4);
    }
    EXPECT_EQ(test::ReadText(target), "old");
    EXPECT_EQ(FilesIn(dir.Path("")), 1u);
}

// A device is written in place, never replaced by a file of its name.
TEST(ReplacingFile, DevicesAreWrittenDirectly) {
#ifdef _WIN32
    const char* device = "NUL";
#else
    const char* device = "/dev/null";
#endif
    ReplacingFile file;
    ASSERT_TRUE(file.Open(device));
    EXPECT_TRUE(WriteFileBytes(file.Handle(), "text", 4));
    EXPECT_TRUE(file.Commit());
    EXPECT_EQ(GetPathKind(device), PathKind::Device);
}

TEST(ReplacingFile, AFolderIsNeverATarget) {
    test::ScratchDir dir;
    ReplacingFile file;
    EXPECT_FALSE(file.Open(dir.File("").c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path("")));
}

TEST(ReplacingFile, MissingFolderFailsCleanly) {
    test::ScratchDir dir;
    ReplacingFile file;
    EXPECT_FALSE(file.Open(dir.File("no/such/folder/out.txt").c_str()));
    EXPECT_FALSE(file.Commit());
}

}  // namespace
