// The Windows dialog as a keyboard user meets it: entry fields that take what is read,
// the default button's look after a keyboard Calculate, and the window icon. (The names
// set through oleacc are not checked: Wine's oleacc answers E_NOTIMPL to annotations.)

// The C++ table first: once windows.h is in, its style names are macros.
#include "ui/dialog_template.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "core/control_ids.h"
#include "ui/win32/main_dialog.h"

namespace {

using namespace quorran;

int failures = 0;

void expect(bool ok, const std::string& what) { if (!ok) ++failures, std::printf("FAILED: %s\n", what.c_str()); }

// Types a hundred zeros and 26.2 into every entry field: each keeps the first 79.
void check_entry_limit(HWND dialog) {
    for (const auto& row : dialog_controls()) {
        if (row.window_class != "Edit") continue;
        const HWND field = GetDlgItem(dialog, row.id);
        for (const char c : std::string(100, '0') + "26.2") SendMessageA(field, WM_CHAR, static_cast<WPARAM>(c), 0);
        expect(GetWindowTextLengthA(field) == 79, "field " + std::to_string(row.id) + " takes 79");
        SetDlgItemTextA(dialog, row.id, "");
    }
}

bool looks_default(HWND dialog, int button) {
    return (GetWindowLongA(GetDlgItem(dialog, button), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// Tab to Calculate and press it: the focus returns to the distance, and the default
// button's border with it to Close, which Enter presses.
void check_default_button_after_keyboard_calculate(HWND dialog) {
    for (const auto& [field, text] : {std::pair{IDC_PACE_DISTANCE, "10"}, {IDC_PACE_HOURS, "1"},
                                      {IDC_FINISH_DISTANCE, "m"}, {IDC_FINISH_PACE_MINUTES, "8"}})
        SetDlgItemTextA(dialog, field, text);
    for (const int button : {IDC_PACE_CALCULATE, IDC_FINISH_CALCULATE}) {
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, button)), TRUE);
        expect(looks_default(dialog, button), "a tabbed-to button looks default");
        SendDlgItemMessageA(dialog, button, BM_CLICK, 0, 0);
        expect(!looks_default(dialog, button) && looks_default(dialog, IDC_CLOSE), "Close looks default again");
    }
}

INT_PTR CALLBACK driver(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) PostMessageA(dialog, WM_APP, 0, 0);
    if (message != WM_APP) return main_dialog_proc(dialog, message, wparam, lparam);
    check_entry_limit(dialog);
    check_default_button_after_keyboard_calculate(dialog);
    for (const WPARAM size : {ICON_BIG, ICON_SMALL}) expect(SendMessageA(dialog, WM_GETICON, size, 0), "window icon");
    SendDlgItemMessageA(dialog, IDC_CLOSE, BM_CLICK, 0, 0);
    return TRUE;
}

}  // namespace

int main() {
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(QUORRAN_IDD_MAIN), nullptr, driver, 0);
    std::printf(failures ? "%d check(s) failed\n" : "all checks passed\n", failures);
    return failures ? 1 : 0;
}
