#include "ui/file_dialog.h"

#include "ui/app_state.h"

OPENFILENAMEA FileDialogRecord(HWND owner, const char* filter, char* path, const char* title, DWORD flags,
                               const char* defaultExtension) {
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = kPathBufferSize;
    dialog.lpstrInitialDir = g_modulePath;
    dialog.lpstrTitle = title;
    dialog.Flags = flags;
    dialog.lpstrDefExt = defaultExtension;
    return dialog;
}
