// The modal dialog that edits the four conversion options.
#pragma once

#include <windows.h>

// Runs the dialog owned by `window`; OK stores the choices in g_options.
void ShowOptionDialog(HWND window);

INT_PTR CALLBACK OptionDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
