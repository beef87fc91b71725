#include "ui/loading.h"

#include "core/mono_bitmap.h"
#include "ui/app_state.h"
#include "ui/file_dialog.h"
#include "ui/resource.h"
#include "ui/strings.h"

namespace {

enum class Warning { Always, IfPathKnown };

// After a load attempt: the current path, the wanted view size, the Save
// item, the warning and a provisional resize, all from whether g_bitmap
// holds an image now. `path` is copied into g_bitmapPath on success; null
// when the Open dialog has already put it there.
void ApplyLoadOutcome(HWND window, const char* path, Warning warning) {
    HMENU menu = GetMenu(window);
    if (g_bitmap.IsLoaded()) {
        if (path) lstrcpyA(g_bitmapPath, path);
        g_viewSize.cx = static_cast<LONG>(g_bitmap.Width());
        g_viewSize.cy = static_cast<LONG>(g_bitmap.Height());
        EnableMenuItem(menu, IDM_SAVE, MF_BYCOMMAND | MF_ENABLED);
    } else {
        g_viewSize.cx = kEmptyViewWidth;
        g_viewSize.cy = kEmptyViewHeight;
        EnableMenuItem(menu, IDM_SAVE, MF_BYCOMMAND | MF_GRAYED);
        if (warning == Warning::Always || g_bitmapPath[0] != '\0')
            MessageBoxA(window, TEXT_UNSUPPORTED, TEXT_WARNING, MB_OK);
    }
    // Provisional: the size message that follows fits the client area exactly.
    RECT frame;
    GetWindowRect(window, &frame);
    MoveWindow(window, frame.left, frame.top, g_viewSize.cx, g_viewSize.cy + 100, TRUE);
}

}  // namespace

void LoadFromCommandLine(HWND window) {
    if (CommandArgCount() != 2) return;
    char longPath[kPathBufferSize];
    DWORD length = GetLongPathNameA(CommandArg(1), longPath, sizeof longPath);
    if (length == 0 || length > sizeof longPath) return;
    g_bitmap.Load(longPath);
    ApplyLoadOutcome(window, longPath, Warning::Always);
}

void LoadFromOpenDialog(HWND window) {
    // The dialog works on a copy: when a chosen name does not fit, it fails
    // and writes the size it needs into the buffer, which must not become
    // the current path.
    char chosen[kPathBufferSize];
    lstrcpyA(chosen, g_bitmapPath);
    OPENFILENAMEA dialog =
        FileDialogRecord(window, FILTER_BMP, chosen, TEXT_OPEN_TITLE, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, ".bmp");
    if (GetOpenFileNameA(&dialog)) {
        lstrcpyA(g_bitmapPath, chosen);
        g_bitmap.Load(g_bitmapPath);
    }
    ApplyLoadOutcome(window, nullptr, Warning::IfPathKnown);
}

void LoadFromDrop(HWND window, HDROP drop) {
    if (DragQueryFileA(drop, 0xFFFFFFFF, g_dropPath, sizeof g_dropPath) != 1) return;
    // A name that does not fit would arrive cut short and could name
    // another file: refuse it like an unsupported one.
    if (DragQueryFileA(drop, 0, nullptr, 0) >= sizeof g_dropPath) {
        g_bitmap.Unload();
        ApplyLoadOutcome(window, nullptr, Warning::Always);
        return;
    }
    DragQueryFileA(drop, 0, g_dropPath, sizeof g_dropPath);
    g_bitmap.Load(g_dropPath);
    ApplyLoadOutcome(window, g_dropPath, Warning::Always);
}
