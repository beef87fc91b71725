#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "io/path_name.h"
#include "tests/test_support.h"

using test::Bytes;

namespace {

const Bytes kDefaultFile = {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        program = dir.File("tool.exe");
        settings = dir.File("tool.dat");
        SetProgramName(program.c_str());
        std::memset(&g_options, 0x5A, sizeof g_options);
    }
    void TearDown() override { SetProgramName(nullptr); }

    Bytes Options() const {
        const uint8_t* at = reinterpret_cast<const uint8_t*>(&g_options);
        return Bytes(at, at + sizeof g_options);
    }
    // Loads from a file holding `stored`, then writes back at once.
    Bytes RoundTrip(const Bytes& stored) {
        test::WriteBytes(settings, stored);
        LoadOptions();
        Bytes loaded = Options();
        SaveOptions();
        EXPECT_EQ(test::ReadBytes(settings), loaded);
        return loaded;
    }

    test::ScratchDir dir;
    std::string program, settings;
};

TEST_F(SettingsFileTest, NoFileGivesTheDefaultsWrittenAtExit) {
    std::memset(&g_options, 0, sizeof g_options);
    LoadOptions();
    EXPECT_EQ(Options(), kDefaultFile);
    EXPECT_FALSE(std::filesystem::exists(settings));
    SaveOptions();
    EXPECT_EQ(test::ReadBytes(settings), kDefaultFile);
}

TEST_F(SettingsFileTest, FileContentsAsTheyAreReadAndWrittenBack) {
    struct Case {
        const char* what;
        Bytes stored, loaded;
    };
    const Case cases[] = {
        {"defaults", kDefaultFile, kDefaultFile},
        {"all ones",
         {1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0},
         {1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}},
        {"non-zero values count as 1, carried bytes kept",
         {2, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 7, 8, 9},
         {1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 7, 8, 9}},
        {"only byte 12 holds the fill",
         {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0},
         {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0}},
        {"fill 5 is 1",
         {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 5, 0, 0, 0},
         {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}},
        {"upper bytes of a slot count",
         {0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         {1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(RoundTrip(c.stored), c.loaded) << c.what;
}

TEST_F(SettingsFileTest, ShortFilesGiveAllFourDefaults) {
    for (size_t length : {0u, 1u, 12u, 15u}) {
        Bytes stored(length, 1);
        std::memset(&g_options, 0, sizeof g_options);
        EXPECT_EQ(RoundTrip(stored), kDefaultFile) << length;
        EXPECT_EQ(test::ReadBytes(settings).size(), 16u);
    }
}

TEST_F(SettingsFileTest, LongerFilesAreReadForSixteenBytesAndRewrittenAsSixteen) {
    Bytes stored = {1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 3, 4, 5, 9, 9, 9, 9};
    Bytes loaded = RoundTrip(stored);
    EXPECT_EQ(loaded, Bytes(stored.begin(), stored.begin() + 16));
}

TEST_F(SettingsFileTest, AnUnwritableLocationIsSilent) {
    // A folder where the file should be: it cannot be created.
    std::filesystem::create_directory(settings);
    g_options.msbReverse = 1;
    SaveOptions();
    EXPECT_TRUE(std::filesystem::is_directory(settings));

    std::string deep = dir.File("missing/tool.exe");
    SetProgramName(deep.c_str());
    SaveOptions();
    EXPECT_FALSE(std::filesystem::exists(dir.Path("missing")));
}

#ifdef _WIN32
TEST_F(SettingsFileTest, AFileHeldOpenElsewhereIsNeitherReadNorWritten) {
    Bytes stored = {1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
    test::WriteBytes(settings, stored);
    {
        std::ifstream holder(settings, std::ios::binary);
        ASSERT_TRUE(holder.is_open());
        std::memset(&g_options, 0, sizeof g_options);
        LoadOptions();
        EXPECT_EQ(Options(), kDefaultFile);
        SaveOptions();
    }
    EXPECT_EQ(test::ReadBytes(settings), stored);
}
#endif

TEST(SettingsPath, FollowsTheProgramName) {
    const std::pair<const char*, const char*> cases[] = {
        {"D:\\Tools\\tool.exe", "D:\\Tools\\tool.dat"},
        {"tool", "tool.dat"},
        {"dir.v2\\tool", "dir.v2\\tool.dat"},
        {"/opt/q/quillgrid-cli", "/opt/q/quillgrid-cli.dat"},
    };
    for (auto c : cases) {
        SetProgramName(c.first);
        char path[kPathBufferSize];
        ASSERT_TRUE(GetSettingsPath(path, sizeof path)) << c.first;
        EXPECT_STREQ(path, c.second);
    }
    SetProgramName(nullptr);
}

TEST(SettingsPath, NoPathWhenItWouldNotFitOrWouldNameTheProgram) {
    char path[kPathBufferSize];
    std::string fits = std::string(251, 'a') + ".exe";  // 255 + 4 = 259 with ".dat"
    SetProgramName(fits.c_str());
    EXPECT_TRUE(GetSettingsPath(path, sizeof path));
    EXPECT_EQ(std::strlen(path), 255u);

    std::string tooLong = std::string(256, 'a');  // 256 + ".dat" = 260
    SetProgramName(tooLong.c_str());
    EXPECT_FALSE(GetSettingsPath(path, sizeof path));
    std::string huge = std::string(300, 'b') + ".exe";
    SetProgramName(huge.c_str());
    EXPECT_FALSE(GetSettingsPath(path, sizeof path));
    for (const char* self : {"tool.dat", "C:\\x\\TOOL.DAT"}) {
        SetProgramName(self);
        EXPECT_FALSE(GetSettingsPath(path, sizeof path)) << self;
    }
    SetProgramName(nullptr);
    EXPECT_FALSE(GetSettingsPath(path, sizeof path));
}

TEST(SettingsPath, WithoutAPathLoadGivesDefaultsAndSaveWritesNothing) {
    test::ScratchDir dir;
    std::string tooLong = dir.File(std::string(300, 'c'));
    SetProgramName(tooLong.c_str());
    std::memset(&g_options, 0, sizeof g_options);
    g_options.fillSlotRest[0] = 4;
    LoadOptions();
    EXPECT_EQ(g_options.byteHorizontal, 1u);
    EXPECT_EQ(g_options.fillSlotRest[0], 4);  // the defaults leave the carried bytes
    SaveOptions();
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path("")));
    SetProgramName(nullptr);
}

}  // namespace
