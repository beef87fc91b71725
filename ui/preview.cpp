#include "ui/preview.h"

#include "core/mono_bitmap.h"
#include "ui/app_state.h"

namespace {

// Each fitting step may cause one nested size message; a window system
// that keeps answering with new sizes must not recurse without end.
const int kMaxFitDepth = 8;
int fitDepth = 0;

}  // namespace

void FitClientToView(HWND window, WPARAM sizeType, UINT clientWidth, UINT clientHeight) {
    if (sizeType == SIZE_MAXHIDE) return;
    // A minimised window reports a 0 x 0 client area; fitting it would ask
    // for ever larger icons. Restoring brings a size message of its own.
    if (sizeType == SIZE_MINIMIZED) return;
    if (fitDepth >= kMaxFitDepth) return;
    RECT frame;
    GetWindowRect(window, &frame);
    if (static_cast<LONG>(clientWidth) != g_viewSize.cx) frame.right += g_viewSize.cx - static_cast<LONG>(clientWidth);
    if (static_cast<LONG>(clientHeight) != g_viewSize.cy)
        frame.bottom += g_viewSize.cy - static_cast<LONG>(clientHeight);
    ++fitDepth;
    MoveWindow(window, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, TRUE);
    --fitDepth;
}

void DrawBitmapFile(HDC target, HINSTANCE instance, const char* path) {
    HBITMAP image = static_cast<HBITMAP>(LoadImageA(instance, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (!image) return;
    HDC memory = CreateCompatibleDC(target);
    BITMAP info = {};
    GetObjectA(image, sizeof info, &info);
    SelectObject(memory, image);
    BitBlt(target, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    DeleteDC(memory);
    DeleteObject(image);
}

void PaintPreview(HWND window) {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    if (g_bitmap.IsLoaded()) {
        HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
        DrawBitmapFile(target, instance, g_bitmapPath);
    }
    EndPaint(window, &paint);
}
