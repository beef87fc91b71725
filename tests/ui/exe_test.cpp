// A few runs of the real program, started as its own process.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <filesystem>

#include "tests/cli/image_files.h"
#include "tests/test_support.h"

namespace {

const char kWarningCaption[] = "\x8c\x78\x8d\x90";

struct FindRequest {
    DWORD process;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    FindRequest* request = reinterpret_cast<FindRequest*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (process == request->process && std::strcmp(className, request->className) == 0) {
        request->found = window;
        return FALSE;
    }
    return TRUE;
}

// Waits up to 20 s for a top-level window of the process with that class.
HWND WaitForWindow(DWORD process, const char* className) {
    for (int i = 0; i < 400; ++i) {
        FindRequest request = {process, className, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&request));
        if (request.found) return request.found;
        Sleep(50);
    }
    return nullptr;
}

class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override {
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::filesystem::path built = std::filesystem::path(self).parent_path() / "quillgrid.exe";
        program = dir.File("quillgrid.exe");
        std::filesystem::copy_file(built, program);
    }
    void TearDown() override {
        if (info.hProcess) {
            TerminateProcess(info.hProcess, 99);
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
    void Launch(const std::string& args) {
        std::string commandLine = "\"" + program + "\" " + args;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   dir.File("").c_str(), &startup, &info));
    }
    DWORD CloseAndWait(HWND window) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForSingleObject(info.hProcess, 20000), WAIT_OBJECT_0);
        DWORD code = 12345;
        GetExitCodeProcess(info.hProcess, &code);
        return code;
    }
    SIZE Client(HWND window) {
        RECT r = {};
        GetClientRect(window, &r);
        return SIZE{r.right, r.bottom};
    }
    // The window is visible before its first fitting has run: wait for it.
    SIZE SettledClient(HWND window, LONG width, LONG height) {
        for (int i = 0; i < 100; ++i) {
            SIZE size = Client(window);
            if (IsWindowVisible(window) && size.cx == width && size.cy == height) break;
            Sleep(50);
        }
        return Client(window);
    }

    // Starts the program, expects its client area to settle at the given
    // size, closes it and expects exit code 0.
    void RunUntilClosed(const std::string& args, LONG width, LONG height) {
        Launch(args);
        HWND window = WaitForWindow(info.dwProcessId, "Quillgrid");
        ASSERT_NE(window, nullptr);
        SIZE client = SettledClient(window, width, height);
        EXPECT_EQ(client.cx, width);
        EXPECT_EQ(client.cy, height);
        EXPECT_EQ(CloseAndWait(window), 0u);
    }

    test::ScratchDir dir;
    std::string program;
    PROCESS_INFORMATION info = {};
};

TEST_F(ProgramRun, WithoutArgumentsAndClosed) {
    RunUntilClosed("", 300, 200);
    EXPECT_EQ(test::ReadBytes(dir.File("quillgrid.dat")),
              test::Bytes({0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(ProgramRun, WithAGoodBitmap) {
    test::WriteBytes(dir.File("logo.bmp"), test::RandomMonoBmp(123, 45, 6));
    RunUntilClosed("logo.bmp", 123, 45);
}

// Quotes group a name with blanks; without them it is two arguments, and
// two arguments are ignored.
TEST_F(ProgramRun, ANameWithBlanksNeedsItsQuotes) {
    test::WriteBytes(dir.File("my logo.bmp"), test::RandomMonoBmp(177, 33, 2));
    RunUntilClosed("\"my logo.bmp\"", 177, 33);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    info = {};
    RunUntilClosed("my logo.bmp", 300, 200);
}

// A PNG reaches the program through the converter's --bmp form.
TEST_F(ProgramRun, APngConvertedToABitmapOpens) {
    std::vector<uint32_t> samples;
    for (uint32_t y = 0; y < 40; ++y)
        for (uint32_t x = 0; x < 150; ++x)
            samples.insert(samples.end(), {x * 255 / 149, 0, 0, (x + y) % 2 ? 255u : 0u});
    test::WriteBytes(dir.File("art.png"), test::Png(150, 40, 6, 8, samples));
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string converter = (std::filesystem::path(self).parent_path() / "quillgrid-cli.exe").string();
    std::string commandLine = "\"" + converter + "\" --bmp -o art.bmp art.png";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION run = {};
    ASSERT_TRUE(CreateProcessA(converter.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                               dir.File("").c_str(), &startup, &run));
    ASSERT_EQ(WaitForSingleObject(run.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(run.hProcess, &code);
    CloseHandle(run.hProcess);
    CloseHandle(run.hThread);
    ASSERT_EQ(code, 0u);
    RunUntilClosed("art.bmp", 150, 40);
}

TEST_F(ProgramRun, WithAnUnsupportedFileWarnsFirst) {
    test::Bytes colour = test::MonoBmp({"#"});
    test::Put16(colour, 28, 8);
    test::WriteBytes(dir.File("colour.bmp"), colour);
    Launch("\"colour.bmp\"");
    HWND box = WaitForWindow(info.dwProcessId, "#32770");
    ASSERT_NE(box, nullptr);
    // The box gets its caption while it initialises, before it is shown.
    char caption[64] = {};
    for (int i = 0; i < 100 && !(IsWindowVisible(box) && GetWindowTextA(box, caption, sizeof caption)); ++i) Sleep(50);
    EXPECT_STREQ(caption, kWarningCaption);
    HWND window = WaitForWindow(info.dwProcessId, "Quillgrid");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));  // the warning comes before the window
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    SIZE client = SettledClient(window, 300, 200);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(client.cx, 300);
    EXPECT_EQ(CloseAndWait(window), 0u);
}

}  // namespace
