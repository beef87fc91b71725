#include "ui/option_dialog.h"

#include "settings/option_buttons.h"
#include "settings/settings_file.h"
#include "ui/resource.h"

namespace {

// The option buttons' ids run from IDC_MSB_FORWARD in OptionButton order.
int ButtonId(int button) { return IDC_MSB_FORWARD + button; }

void OnInitDialog(HWND dialog) {
    bool checked[kOptionButtonCount];
    OptionsToChecks(g_options, checked);
    for (int button = 0; button < kOptionButtonCount; ++button) {
        if (checked[button]) SendMessageA(GetDlgItem(dialog, ButtonId(button)), BM_SETCHECK, BST_CHECKED, 0);
    }
}

void OnOk(HWND dialog) {
    bool checked[kOptionButtonCount];
    for (int button = 0; button < kOptionButtonCount; ++button)
        checked[button] = IsDlgButtonChecked(dialog, ButtonId(button)) == BST_CHECKED;
    ChecksToOptions(checked, &g_options);
    EndDialog(dialog, IDOK);
}

}  // namespace

void ShowOptionDialog(HWND window) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_OPTION), window, OptionDlgProc, 0);
}

INT_PTR CALLBACK OptionDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            OnOk(dialog);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
    }
    return FALSE;
}
