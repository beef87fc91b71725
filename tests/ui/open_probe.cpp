// Starts a copy of the Windows program with a file, waits for its window
// to show the image (its client area the image's size), closes it, and
// prints the client size and the exit code: "128x64 0". For the release
// check, which runs the program from the unpacked zip.
//   usage: qg-open-probe PROGRAM FILE WIDTH HEIGHT
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Find {
    DWORD process;
    HWND window;
};

BOOL CALLBACK Match(HWND window, LPARAM context) {
    Find* find = reinterpret_cast<Find*>(context);
    DWORD process = 0;
    char name[64] = {};
    GetWindowThreadProcessId(window, &process);
    GetClassNameA(window, name, sizeof name);
    if (process != find->process || std::strcmp(name, "Quillgrid") != 0) return TRUE;
    find->window = window;
    return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: qg-open-probe PROGRAM FILE WIDTH HEIGHT\n");
        return 2;
    }
    const LONG width = std::atol(argv[3]), height = std::atol(argv[4]);
    std::string command = std::string("\"") + argv[1] + "\" \"" + argv[2] + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(argv[1], &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        std::fprintf(stderr, "qg-open-probe: cannot start %s\n", argv[1]);
        return 1;
    }
    Find find = {info.dwProcessId, nullptr};
    RECT client = {};
    for (int i = 0; i < 600; ++i) {  // 30 s
        if (!find.window) EnumWindows(Match, reinterpret_cast<LPARAM>(&find));
        if (find.window && GetClientRect(find.window, &client) && IsWindowVisible(find.window) &&
            client.right == width && client.bottom == height)
            break;
        Sleep(50);
    }
    DWORD code = 12345;
    if (find.window) {
        PostMessageA(find.window, WM_CLOSE, 0, 0);
        WaitForSingleObject(info.hProcess, 20000);
        GetExitCodeProcess(info.hProcess, &code);
    } else {
        TerminateProcess(info.hProcess, 99);
    }
    std::printf("%ldx%ld %lu\n", client.right, client.bottom, static_cast<unsigned long>(code));
    return find.window ? 0 : 1;
}
