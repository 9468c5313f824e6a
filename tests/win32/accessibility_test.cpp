// The Windows dialog as a keyboard and screen reader user meets it: entry fields that
// take what is read, the default button's look after a keyboard Calculate, the window
// icon, open lists wide enough for their lines and the names oleacc reports.

// The C++ table first: once windows.h is in, its style names are macros.
#include "ui/dialog_template.h"

#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/control_ids.h"
#include "ui/win32/main_dialog.h"
#include "ui/win32/win32_calculator_view.h"

namespace {

using namespace quorran;

int failures = 0;

void expect(bool ok, const std::string& what) { if (!ok) ++failures, std::printf("FAILED: %s\n", what.c_str()); }

LRESULT send(HWND dialog, int control, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    return SendDlgItemMessageA(dialog, control, message, wparam, lparam);
}

// Types a hundred zeros and 26.2 into every entry field: each keeps the first 79.
void check_entry_limit(HWND dialog) {
    const std::string typed = std::string(100, '0') + "26.2";
    for (const auto& row : dialog_controls()) {
        if (row.window_class != "Edit") continue;
        SetDlgItemTextA(dialog, row.id, "");
        for (const char c : typed) send(dialog, row.id, WM_CHAR, static_cast<WPARAM>(c));
        expect(GetWindowTextLengthA(GetDlgItem(dialog, row.id)) == 79, "field " + std::to_string(row.id) + " takes 79");
    }
}

bool looks_default(HWND dialog, int button) {
    return (GetWindowLongA(GetDlgItem(dialog, button), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// Tab to Calculate and press it: the focus returns to the distance, and the border of
// the default button with it to Close, which Enter presses.
void check_default_button_after_keyboard_calculate(HWND dialog) {
    for (const auto& [field, text] : {std::pair{IDC_PACE_DISTANCE, "10"}, {IDC_PACE_HOURS, "1"},
                                      {IDC_FINISH_DISTANCE, "m"}, {IDC_FINISH_PACE_MINUTES, "8"}})
        SetDlgItemTextA(dialog, field, text);
    for (const int button : {IDC_PACE_CALCULATE, IDC_FINISH_CALCULATE}) {
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, button)), TRUE);
        expect(looks_default(dialog, button), "a tabbed-to button looks default");
        send(dialog, button, BM_CLICK);
        expect(!looks_default(dialog, button) && looks_default(dialog, IDC_CLOSE), "Close looks default again");
    }
}

// The lists are full from the calculations above; a line of 79 digits is the longest.
void check_window_icon_and_open_lists(HWND dialog) {
    for (const WPARAM size : {ICON_BIG, ICON_SMALL}) expect(SendMessageA(dialog, WM_GETICON, size, 0), "window icon");
    for (const int list : {IDC_SPLITS, IDC_OTHER_FORMATS}) {
        Win32CalculatorView(dialog).list_add(list, std::string(79, '8'));
        const HDC dc = GetDC(dialog);
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
        LONG longest = 0;
        for (LRESULT i = 0; i < send(dialog, list, CB_GETCOUNT); ++i) {
            char line[128] = {};
            SIZE extent{};
            send(dialog, list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
            GetTextExtentPoint32A(dc, line, lstrlenA(line), &extent);
            longest = std::max(longest, extent.cx);
        }
        ReleaseDC(dialog, dc);
        COMBOBOXINFO parts{sizeof parts, {}, {}, 0, nullptr, nullptr, nullptr};
        GetComboBoxInfo(GetDlgItem(dialog, list), &parts);
        RECT open{};
        send(dialog, list, CB_SHOWDROPDOWN, TRUE);
        GetClientRect(parts.hwndList, &open);  // inside its border and scroll bar
        send(dialog, list, CB_SHOWDROPDOWN, FALSE);
        expect(open.right > longest, "list " + std::to_string(list) + " opens wide enough");
    }
}

// The name oleacc gives a control, or why there is none.
std::string accessible_name(HWND control) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&accessible))))
        return "(no accessible object)";
    VARIANT self{};
    self.vt = VT_I4;
    BSTR name = nullptr;
    const HRESULT got = accessible->get_accName(self, &name);
    accessible->Release();
    std::string text = got == S_OK && name ? std::string(name, name + SysStringLen(name)) : "(no name)";
    SysFreeString(name);
    return text;
}

// Whether this system's oleacc takes dynamic annotations: Wine's answers E_NOTIMPL.
bool annotations_work(HWND probe) {
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services))))
        return false;
    const HRESULT set = services->SetHwndPropStr(probe, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_DESCRIPTION, L"-");
    MSAAPROPID description = PROPID_ACC_DESCRIPTION;
    services->ClearHwndProps(probe, OBJID_CLIENT, CHILDID_SELF, &description, 1);
    services->Release();
    return set == S_OK;
}

void check_accessible_names(HWND dialog) {
    if (!annotations_work(GetDlgItem(dialog, IDC_ABOUT)))
        return (void)std::puts("NOTE: oleacc here takes no dynamic annotations (as Wine's): names not checked");
    const auto rows = dialog_controls();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (const int field = field_labelled_by(i)) {
            const std::string name = accessible_name(GetDlgItem(dialog, field));
            expect(name == rows[i].text, "field " + std::to_string(field) + " is named \"" + name + '"');
        }
    for (const auto& [list, name] : {std::pair{IDC_SPLITS, "Splits"}, {IDC_OTHER_FORMATS, "Other Formats"}})
        expect(accessible_name(GetDlgItem(dialog, list)) == name, std::string("list named ") + name);
}

INT_PTR CALLBACK driver(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) PostMessageA(dialog, WM_APP, 0, 0);
    if (message != WM_APP) return main_dialog_proc(dialog, message, wparam, lparam);
    for (const auto check : {check_entry_limit, check_default_button_after_keyboard_calculate,
                             check_window_icon_and_open_lists, check_accessible_names})
        check(dialog);
    send(dialog, IDC_CLOSE, BM_CLICK);
    return TRUE;
}

}  // namespace

int main() {
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(QUORRAN_IDD_MAIN), nullptr, driver, 0);
    std::printf(failures ? "%d check(s) failed\n" : "all checks passed\n", failures);
    return failures ? 1 : 0;
}
