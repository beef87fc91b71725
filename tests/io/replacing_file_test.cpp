#include "io/replacing_file.h"

#include <gtest/gtest.h>

#include "tests/test_support.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

// The last step, moving the finished file over the target, can fail too:
// here a folder took the target's name meanwhile. Nothing is left behind.
TEST(ReplacingFile, AFailedMoveLeavesNoTemporaryFile) {
    test::ScratchDir dir;
    std::string target = dir.File("out.txt");
    ReplacingFile file;
    ASSERT_TRUE(file.Open(target.c_str()));
    ASSERT_TRUE(WriteFileBytes(file.Handle(), "text", 4));
    std::filesystem::create_directory(target);
    test::WriteBytes(dir.File("out.txt/inside"), {'x'});
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(FilesIn(dir.Path("")), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(test::ReadText(dir.File("out.txt/inside")), "x");
}

TEST(ReplacingFile, MissingFolderFailsCleanly) {
    test::ScratchDir dir;
    ReplacingFile file;
    EXPECT_FALSE(file.Open(dir.File("no/such/folder/out.txt").c_str()));
    EXPECT_FALSE(file.Commit());
}

#ifndef _WIN32
size_t Temporaries(const std::filesystem::path& folder) {
    size_t count = 0;
    for (auto& entry : std::filesystem::directory_iterator(folder))
        count += entry.path().filename().string().rfind("~qg", 0) == 0;
    return count;
}

void Replace(const std::string& target, const std::string& text) {
    ReplacingFile file;
    ASSERT_TRUE(file.Open(target.c_str()));
    ASSERT_TRUE(WriteFileBytes(file.Handle(), text.data(), static_cast<uint32_t>(text.size())));
    ASSERT_TRUE(file.Commit());
}

// What belongs to the file, not to its content, outlives the replacement.
TEST(ReplacingFile, KeepsModeOwnerAndGroup) {
    struct Case {
        mode_t mode;
        bool otherOwner;  // only root may give a file away
    } cases[] = {{0640, false}, {0600, false}, {0444, false}, {02755, false}, {0640, true}};
    for (const Case& c : cases) {
        if (c.otherOwner && geteuid() != 0) continue;
        test::ScratchDir dir;
        std::string target = dir.File("m.txt");
        test::WriteBytes(target, {'o'});
        if (c.otherOwner) {
            ASSERT_EQ(chown(target.c_str(), 1234, 5678), 0);
        }
        ASSERT_EQ(chmod(target.c_str(), c.mode), 0);
        Replace(target, "new");
        struct stat info;
        ASSERT_EQ(stat(target.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.mode) << std::oct << c.mode;
        EXPECT_EQ(info.st_uid, c.otherOwner ? 1234u : geteuid());
        EXPECT_EQ(info.st_gid, c.otherOwner ? 5678u : getegid());
        EXPECT_EQ(test::ReadText(target), "new");
        EXPECT_EQ(FilesIn(dir.Path("")), 1u);
    }
}

// A link stays a link; the file at the end of it is the one replaced, and
// the temporary file stood beside that file.
TEST(ReplacingFile, WritesThroughSymbolicLinks) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> links;  // link name, what it names
        std::string file;                                        // the file written, relative to the scratch folder
    } cases[] = {
        {"relative", {{"link.txt", "real.txt"}}, "real.txt"},
        {"other folder", {{"link.txt", "sub/real.txt"}}, "sub/real.txt"},
        {"chain", {{"link.txt", "mid.txt"}, {"mid.txt", "sub/real.txt"}}, "sub/real.txt"},
        {"dangling", {{"link.txt", "sub/new.txt"}}, "sub/new.txt"},
        {"absolute", {{"link.txt", "@/sub/real.txt"}}, "sub/real.txt"},
    };
    for (const Case& c : cases) {
        test::ScratchDir dir;
        std::filesystem::create_directory(dir.Path("sub"));
        if (c.file.find("new") == std::string::npos) test::WriteBytes(dir.File(c.file), {'o'});
        for (const auto& link : c.links) {
            std::string to = link.second[0] == '@' ? dir.File("") + link.second.substr(2) : link.second;
            ASSERT_EQ(symlink(to.c_str(), dir.File(link.first).c_str()), 0) << c.name;
        }
        Replace(dir.File("link.txt"), "through");
        EXPECT_EQ(test::ReadText(dir.File(c.file)), "through") << c.name;
        for (const auto& link : c.links) {
            EXPECT_TRUE(std::filesystem::is_symlink(dir.Path(link.first))) << c.name;
            std::string to = link.second[0] == '@' ? dir.File("") + link.second.substr(2) : link.second;
            EXPECT_EQ(std::filesystem::read_symlink(dir.Path(link.first)).string(), to) << c.name;
        }
        EXPECT_EQ(Temporaries(dir.Path("")) + Temporaries(dir.Path("sub")), 0u) << c.name;
    }
}

// Interrupted while writing: the temporary file goes, the target stays.
TEST(ReplacingFileDeathTest, AnInterruptionRemovesTheTemporaryFile) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        test::ScratchDir dir;
        std::string target = dir.File("out.txt");
        test::WriteBytes(target, {'o', 'l', 'd'});
        EXPECT_EXIT(
            {
                InstallInterruptCleanup();
                ReplacingFile file;
                if (!file.Open(target.c_str())) std::_Exit(1);
                WriteFileBytes(file.Handle(), "half", 4);
                if (FilesIn(dir.Path("")) != 2) std::_Exit(2);
                raise(signal);
                std::_Exit(3);
            },
            ::testing::KilledBySignal(signal), "");
        EXPECT_EQ(test::ReadText(target), "old") << signal;
        EXPECT_EQ(FilesIn(dir.Path("")), 1u) << signal;
    }
}
#else
// Attributes stay as they were, where the file system keeps them.
TEST(ReplacingFile, KeepsTheAttributesOfTheReplacedFile) {
    test::ScratchDir dir;
    std::string target = dir.File("hidden.txt");
    test::WriteBytes(target, {'o'});
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_HIDDEN));
    if (!(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_HIDDEN))
        GTEST_SKIP() << "this file system does not keep the hidden attribute";
    {
        ReplacingFile file;
        ASSERT_TRUE(file.Open(target.c_str()));
        ASSERT_TRUE(WriteFileBytes(file.Handle(), "new", 3));
        ASSERT_TRUE(file.Commit());
    }
    EXPECT_TRUE(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(test::ReadText(target), "new");

    // A read-only file is not replaced, and nothing else is left beside it.
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        ReplacingFile file;
        ASSERT_TRUE(file.Open(target.c_str()));
        EXPECT_FALSE(file.Commit());
    }
    EXPECT_EQ(test::ReadText(target), "new");
    EXPECT_EQ(FilesIn(dir.Path("")), 1u);
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}
#endif

}  // namespace
