// Drives the real main window in this process: creates it as the program
// does, answers its modal boxes and dialogs, and reads its state back
// through the Win32 API.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/test_support.h"

namespace uitest {

// What a modal box or dialog showed when it came up.
struct SeenBox {
    std::string caption;
    std::string text;  // a message box's text, or a file dialog's name field
    HWND owner;
    bool ownerVisible;
    bool ownerEnabled;
};

// Answers each modal box or dialog (window class "#32770") that becomes
// active on this thread with the next action in the queue; with the queue
// empty, it presses Cancel so that no test hangs.
class BoxAnswerer {
public:
    typedef std::function<void(HWND)> Action;
    BoxAnswerer();
    ~BoxAnswerer();
    void Then(Action action) { actions.push_back(action); }
    const std::vector<SeenBox>& Seen() const { return seen; }
    int Unanswered() const { return unanswered; }  // boxes the watchdog had to cancel

    static Action Press(int id);
    static Action EnterFileName(const std::string& path);  // then OK
    static Action Keep();                                  // a box that the test closes itself

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD);
    void OnActivate(HWND box);

    HHOOK hook;
    UINT_PTR watchdog;
    int unanswered = 0;
    std::vector<Action> actions;
    size_t next = 0;
    std::vector<SeenBox> seen;
    static BoxAnswerer* current;
};

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates and shows the main window with these command-line arguments
    // after the program name.
    HWND Start(const std::vector<std::string>& args = {});
    void Close();

    SIZE Client() const;
    bool SaveEnabled() const;
    void Drop(const std::vector<std::string>& paths, HGLOBAL* handle = nullptr);
    void Key(WPARAM key, bool control, bool shift = false);
    void Command(WPARAM id) { SendMessageA(window, WM_COMMAND, id, 0); }
    std::string Image(const test::Bytes& bytes, const std::string& name);

    test::ScratchDir dir;
    std::string program;
    HWND window = nullptr;
    std::vector<std::string> argStorage;
    std::vector<char*> argPointers;
};

void PumpMessages();

}  // namespace uitest
