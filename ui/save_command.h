// File > Save and Ctrl+S: the loaded bitmap as array text.
#pragma once

#include <windows.h>

// Reports its own failures; `window` owns the save dialog.
void SaveArrayFile(HWND window);
