#include "tests/ui/window_driver.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>

#include "core/mono_bitmap.h"
#include "settings/settings_file.h"
#include "ui/app_state.h"
#include "ui/main_window.h"

namespace uitest {

BoxAnswerer* BoxAnswerer::current = nullptr;

BoxAnswerer::BoxAnswerer() {
    current = this;
    hook = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    watchdog = SetTimer(nullptr, 0, 1500, Watchdog);
}

BoxAnswerer::~BoxAnswerer() {
    KillTimer(nullptr, watchdog);
    UnhookWindowsHookEx(hook);
    current = nullptr;
}

// A box that stays open for two ticks was left without an answer (a dialog
// that refused what the test typed): cancel it rather than hang.
void CALLBACK BoxAnswerer::Watchdog(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND box, LPARAM) -> BOOL {
            char className[64] = {};
            GetClassNameA(box, className, sizeof className);
            if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(box)) return TRUE;
            INT_PTR ticks = reinterpret_cast<INT_PTR>(GetPropA(box, "qg-ticks")) + 1;
            SetPropA(box, "qg-ticks", reinterpret_cast<HANDLE>(ticks));
            if (ticks >= 2) {
                if (current) current->unanswered++;
                Press(IDCANCEL)(box);
            }
            return TRUE;
        },
        0);
}

LRESULT CALLBACK BoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && current) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char className[64] = {};
        GetClassNameA(box, className, sizeof className);
        if (std::strcmp(className, "#32770") == 0) current->OnActivate(box);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void BoxAnswerer::OnActivate(HWND box) {
    // Activated again after a nested box closed: a dialog that is still
    // open with nothing more to do is cancelled, so that no test hangs.
    if (GetPropA(box, "qg-seen")) {
        if (next >= actions.size()) Press(IDCANCEL)(box);
        return;
    }
    SetPropA(box, "qg-seen", reinterpret_cast<HANDLE>(1));
    SeenBox s;
    char text[1024] = {};
    GetWindowTextA(box, text, sizeof text);
    s.caption = text;
    text[0] = '\0';
    if (!GetDlgItemTextA(box, 0xFFFF, text, sizeof text)) {
        if (!GetDlgItemTextA(box, 0x47c, text, sizeof text))  // the file name combo
            GetDlgItemTextA(box, 0x480, text, sizeof text);   // the file name edit
    }
    s.text = text;
    s.owner = GetWindow(box, GW_OWNER);
    s.ownerVisible = s.owner && IsWindowVisible(s.owner);
    s.ownerEnabled = s.owner && IsWindowEnabled(s.owner);
    seen.push_back(s);
    Action action = next < actions.size() ? actions[next++] : Press(IDCANCEL);
    action(box);
}

BoxAnswerer::Action BoxAnswerer::Press(int id) {
    return [id](HWND box) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
    };
}

BoxAnswerer::Action BoxAnswerer::EnterFileName(const std::string& path) {
    return [path](HWND box) {
        if (!SetDlgItemTextA(box, 0x47c, path.c_str())) SetDlgItemTextA(box, 0x480, path.c_str());
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    };
}

BoxAnswerer::Action BoxAnswerer::Keep() {
    return [](HWND) {};
}

void PumpMessages() {
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}

void MainWindowFixture::SetUp() {
    program = dir.File("quillgrid.exe");
    SetProgramName(program.c_str());
    g_bitmap.Unload();
    std::memset(&g_options, 0, sizeof g_options);
}

void MainWindowFixture::TearDown() {
    Close();
    SetCommandArgs(-1, nullptr);
    SetProgramName(nullptr);
}

HWND MainWindowFixture::Start(const std::vector<std::string>& args) {
    // As in a new process: nothing loaded yet.
    g_bitmap.Unload();
    argStorage = {program};
    argStorage.insert(argStorage.end(), args.begin(), args.end());
    argPointers.clear();
    for (std::string& a : argStorage) argPointers.push_back(&a[0]);
    SetCommandArgs(static_cast<int>(argPointers.size()), argPointers.data());
    window = CreateMainWindow(GetModuleHandleA(nullptr));
    EXPECT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    PumpMessages();
    return window;
}

void MainWindowFixture::Close() {
    if (!window || !IsWindow(window)) return;
    SendMessageA(window, WM_CLOSE, 0, 0);
    PumpMessages();
    window = nullptr;
}

SIZE MainWindowFixture::Client() const {
    RECT r = {};
    GetClientRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

bool MainWindowFixture::SaveEnabled() const {
    UINT state = GetMenuState(GetMenu(window), 40003, MF_BYCOMMAND);
    return !(state & (MF_GRAYED | MF_DISABLED));
}

void MainWindowFixture::Drop(const std::vector<std::string>& paths, HGLOBAL* handle) {
    size_t bytes = sizeof(DROPFILES) + 1;
    for (const std::string& p : paths) bytes += p.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    char* names = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
    for (const std::string& p : paths) {
        std::memcpy(names, p.c_str(), p.size() + 1);
        names += p.size() + 1;
    }
    GlobalUnlock(memory);
    if (handle) *handle = memory;
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    PumpMessages();
}

void MainWindowFixture::Key(WPARAM key, bool control, bool shift) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_CONTROL] = control ? 0x80 : 0;
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    SendMessageA(window, WM_KEYDOWN, key, 0);
    state[VK_CONTROL] = 0;
    state[VK_SHIFT] = 0;
    SetKeyboardState(state);
    PumpMessages();
}

std::string MainWindowFixture::Image(const test::Bytes& bytes, const std::string& name) {
    std::string path = dir.File(name);
    test::WriteBytes(path, bytes);
    return path;
}

}  // namespace uitest
