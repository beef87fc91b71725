// The three ways a bitmap becomes the current one.
#pragma once

#include <windows.h>
#include <shellapi.h>

// The one command-line argument, in its long form; nothing at all when
// there is not exactly one, or when it cannot be resolved.
void LoadFromCommandLine(HWND window);

// File > Open and Ctrl+O. A cancelled dialog still applies the outcome.
void LoadFromOpenDialog(HWND window);

// A single dropped file; a drop of several is ignored. The caller finishes
// the drop.
void LoadFromDrop(HWND window, HDROP drop);
