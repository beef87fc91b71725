#include "ui/main_window.h"

#include <shellapi.h>

#include "settings/settings_file.h"
#include "ui/app_state.h"
#include "ui/loading.h"
#include "ui/option_dialog.h"
#include "ui/preview.h"
#include "ui/resource.h"
#include "ui/save_command.h"
#include "ui/strings.h"

namespace {

const char kClassName[] = TEXT_APP_NAME;
const DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    // A second window in the same process (the tests make several) reuses it.
    if (GetClassInfoExA(instance, kClassName, &windowClass)) return true;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExA(&windowClass) != 0;
}

void OnDestroy() {
    SaveOptions();
    PostQuitMessage(0);
}

void OnCommand(HWND window, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDM_OPTION:
        ShowOptionDialog(window);
        break;
    case IDM_OPEN:
        LoadFromOpenDialog(window);
        break;
    case IDM_SAVE:
        SaveArrayFile(window);
        break;
    case IDM_VERSION:
        ShowVersionBox();
        break;
    }
}

void OnDropFiles(HWND window, HDROP drop) {
    LoadFromDrop(window, drop);
    DragFinish(drop);
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance) {
    g_viewSize.cx = kEmptyViewWidth;
    g_viewSize.cy = kEmptyViewHeight;
    if (!RegisterMainWindowClass(instance)) return nullptr;
    return CreateWindowExA(0, kClassName, TEXT_APP_NAME, kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, g_viewSize.cx,
                           g_viewSize.cy, nullptr, nullptr, instance, nullptr);
}

int RunQuillgrid(HINSTANCE instance, int showCommand) {
    HWND window = CreateMainWindow(instance);
    if (!window) return 0;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        InitMainWindow(window);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_SIZE:
        FitClientToView(window, wParam, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT:
        PaintPreview(window);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_KEYDOWN:
        HandleShortcutKey(window, wParam);
        return 0;
    case WM_COMMAND:
        OnCommand(window, wParam);
        return 0;
    case WM_DROPFILES:
        OnDropFiles(window, reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void InitMainWindow(HWND window) {
    ZeroMemory(g_bitmapPath, sizeof g_bitmapPath);
    GetModuleFileNameA(nullptr, g_modulePath, sizeof g_modulePath);
    DragAcceptFiles(window, TRUE);
    LoadOptions();
    LoadFromCommandLine(window);
}

void HandleShortcutKey(HWND window, WPARAM key) {
    bool control = GetKeyState(VK_CONTROL) < 0;
    if (key == 'O' && control) {
        SendMessageA(window, WM_COMMAND, IDM_OPEN, 0);
    } else if (key == 'S' && control) {
        SendMessageA(window, WM_COMMAND, IDM_SAVE, 0);
    }
}

void ShowVersionBox() { MessageBoxA(nullptr, TEXT_VERSION, TEXT_VERSION_TITLE, MB_OK); }
