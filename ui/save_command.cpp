#include "ui/save_command.h"

#include "core/byte_scanner.h"
#include "core/mono_bitmap.h"
#include "core/scanner_table.h"
#include "io/array_text_file.h"
#include "io/replacing_file.h"
#include "settings/settings_file.h"
#include "ui/app_state.h"
#include "ui/file_dialog.h"
#include "ui/strings.h"

namespace {

void ShowSaveError() { MessageBoxA(nullptr, TEXT_CONVERT_FAILED, TEXT_ERROR, MB_OK); }

// The bitmap's path with ".txt"; empty when that would not fit, so that the
// bitmap itself is never proposed.
void ProposeSavePath() {
    lstrcpyA(g_savePath, g_bitmapPath);
    if (!RenameExtension(g_savePath, sizeof g_savePath, ".txt")) g_savePath[0] = '\0';
}

bool AskSavePath(HWND window) {
    // A save dialog must accept a name that does not exist yet: no must-exist flag.
    OPENFILENAMEA dialog = FileDialogRecord(window, FILTER_TXT, g_savePath, TEXT_SAVE_TITLE,
                                            OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, ".txt");
    return GetSaveFileNameA(&dialog) != FALSE;
}

// The chosen file changes only when the whole text has been written.
bool WriteSaveFile(const ByteScanner& scanner) {
    ReplacingFile file;
    return file.Open(g_savePath) && WriteArrayText(scanner, file.Handle()) && file.Commit();
}

}  // namespace

void SaveArrayFile(HWND window) {
    ByteScanner* scanner = SelectScanner(g_options);
    if (!scanner || !scanner->Attach(&g_bitmap, g_options.fillOnes)) {
        ShowSaveError();
        return;
    }
    if (g_bitmapPath[0] == '\0' || !g_bitmap.IsLoaded()) return;
    ProposeSavePath();
    if (!AskSavePath(window)) return;
    if (!WriteSaveFile(*scanner)) ShowSaveError();
}
