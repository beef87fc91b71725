// The preview: the bitmap file drawn at its natural size in a client area
// kept exactly as large as g_viewSize.
#pragma once

#include <windows.h>

// Answers WM_SIZE: moves the right and bottom edges by the difference
// between the wanted and the reported client size.
void FitClientToView(HWND window, WPARAM sizeType, UINT clientWidth, UINT clientHeight);

// Answers WM_PAINT.
void PaintPreview(HWND window);

// Draws the BMP file at `path`, read afresh, at (0, 0) and its natural
// size. Nothing is drawn when the file cannot be read.
void DrawBitmapFile(HDC target, HINSTANCE instance, const char* path);
