// The one top-level window: class, creation, message dispatch, shortcuts.
#pragma once

#include <windows.h>

// Registers the class and creates the main window (hidden). Null when
// either fails. WM_CREATE has run when this returns.
HWND CreateMainWindow(HINSTANCE instance);

// The whole program after start-up: the window, shown, and its message
// loop. Returns the process exit code.
int RunQuillgrid(HINSTANCE instance, int showCommand);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void InitMainWindow(HWND window);
void HandleShortcutKey(HWND window, WPARAM key);
void ShowVersionBox();
