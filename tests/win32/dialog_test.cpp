// Runs the real main dialog, made by the dialog manager from the real template and
// driven by the real dialog procedure: the view-behaviour suite, then what only the
// toolkit shows: where the controls sit, the window icon, the default button and its look,
// Enter and Escape, text limits. (The names set through oleacc are not read: Wine's oleacc
// answers E_NOTIMPL to annotations.)

// The C++ table first: once windows.h is in, its style names are macros.
#include "ui/dialog_template.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/dialog/control_ids.h"
#include "tests/view_behaviour.h"
#include "ui/win32/main_dialog.h"
#include "ui/win32/win32_calculator_view.h"

namespace {

using namespace quorran;

int failures = 0;
HWND the_dialog = nullptr;
std::vector<std::string> seen_boxes;

void expect(bool ok, const std::string& what) {
    if (!ok) ++failures, std::printf("FAILED: %s\n", what.c_str());
}

// A window's text, or with a control id, that control's.
std::string text(HWND window, int control = -1) {
    char buffer[512] = {};
    control < 0 ? GetWindowTextA(window, buffer, sizeof buffer) : GetDlgItemTextA(window, control, buffer, sizeof buffer);
    return buffer;
}

bool is_class(HWND window, std::string_view name) {
    char actual[64] = {};
    GetClassNameA(window, actual, sizeof actual);
    return lstrcmpiA(actual, std::string(name).c_str()) == 0;
}

bool is_icon(HWND window) { return is_class(window, "Static") && (GetWindowLongA(window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON; }

// Runs inside a message box's own loop: reads the box (caption, icon, text, and whether it
// leaves the dialog enabled, having no owner), then presses its OK.
void CALLBACK dismiss_box(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM found) -> BOOL {
        return window == the_dialog || !is_class(window, "#32770") || !IsWindowVisible(window) ||
               (*reinterpret_cast<HWND*>(found) = window, FALSE);
    }, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    std::string kind, said;
    for (HWND part = GetWindow(box, GW_CHILD); part; part = GetWindow(part, GW_HWNDNEXT)) {
        const LRESULT icon = is_icon(part) ? SendMessageA(part, STM_GETICON, 0, 0) : 0;
        if (icon) kind = icon == LPARAM(LoadIconA(nullptr, IDI_EXCLAMATION)) ? "warning" : "information";
        else if (is_class(part, "Static")) said += text(part);
    }
    const bool owned = GetWindow(box, GW_OWNER) || !IsWindowEnabled(the_dialog);
    seen_boxes.push_back(text(box) + " | " + kind + " | " + said + (owned ? " (owned)" : ""));
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

// Runs the dialog's loop until its queue is empty, as the dialog manager would.
void pump(HWND dialog) {
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
        if (!IsDialogMessageA(dialog, &message)) TranslateMessage(&message), DispatchMessageA(&message);
}

// Moves the focus to a control as Tab does, and presses a key there.
void press(HWND dialog, int control, WPARAM key) {
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, control)), TRUE);
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 0), PostMessageA(GetFocus(), WM_KEYUP, key, 0);
    pump(dialog);
}

class Win32Probe final : public testing::DialogProbe {
public:
    explicit Win32Probe(HWND dialog) : dialog_(dialog), view_(dialog) {}
    CalculatorView& view() override { return view_; }
    void command(int control) override {
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, dismiss_box);
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED), 0);
        KillTimer(nullptr, timer);
        pump(dialog_);  // what the command posted, such as a change of focus
    }
    void type(int control, std::string_view entry) override { SetDlgItemTextA(dialog_, control, std::string(entry).c_str()); }
    bool checked(int control) override { return IsDlgButtonChecked(dialog_, control) == BST_CHECKED; }
    std::string shown(int control) override { return text(dialog_, control); }
    std::vector<std::string> items(int list) override {
        std::vector<std::string> all(static_cast<std::size_t>(SendDlgItemMessageA(dialog_, list, CB_GETCOUNT, 0, 0)));
        for (std::size_t i = 0; i < all.size(); ++i) {
            all[i].resize(256);
            all[i].resize(static_cast<std::size_t>(SendDlgItemMessageA(dialog_, list, CB_GETLBTEXT, i, LPARAM(all[i].data()))));
        }
        return all;
    }
    int focus() override { return GetDlgCtrlID(GetFocus()); }
    std::vector<std::string> boxes() override { return std::exchange(seen_boxes, {}); }
    bool open() override { return IsWindowVisible(dialog_) != FALSE; }

private:
    HWND dialog_;
    Win32CalculatorView view_;
};

bool looks_default(HWND dialog, int button) {
    return (GetWindowLongA(GetDlgItem(dialog, button), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// The first run: every control in template order (which is the tab order), of its class
// and style, with its text, on its template rectangle as the dialog manager converts it;
// every field, a list's included, takes the 79 characters that are read. Then the suite,
// which ends with Close.
void first_run(HWND dialog) {
    RECT window, client, full{0, 0, QUORRAN_DIALOG_WIDTH, QUORRAN_DIALOG_HEIGHT};
    GetWindowRect(dialog, &window), GetClientRect(dialog, &client), MapDialogRect(dialog, &full);
    expect(window.left == 0 && window.top == 0 && client.right == full.right && client.bottom == full.bottom &&
               (GetWindowLongA(dialog, GWL_STYLE) & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0 &&
               SendMessageA(dialog, WM_GETICON, ICON_BIG, 0) && SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0),
           "the dialog opens at the top left at its template size, with its icon and no close box");
    // The style bits the template sets, as the window holds them: an edit control may
    // trade WS_BORDER for a client edge, and a combo box hands WS_VSCROLL on to its list.
    constexpr DWORD compared = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | 0xFFFF;
    HWND control = GetWindow(dialog, GW_CHILD);
    for (const auto& row : dialog_controls()) {
        const std::string name = "control " + std::to_string(row.id);
        if (!control) return expect(false, name + " exists");
        const bool icon = is_icon(control), list = row.window_class == "ComboBox";
        const HWND field = list ? FindWindowExA(control, nullptr, "Edit", nullptr) : control;
        expect(GetDlgCtrlID(control) == row.id && is_class(control, row.window_class) &&
                   (GetWindowLongA(control, GWL_STYLE) & compared) == ((WS_CHILD | WS_VISIBLE | row.style) & compared) &&
                   (list || icon || text(control) == row.text) && (!icon || SendMessageA(control, STM_GETICON, 0, 0)) &&
                   (!is_class(field, "Edit") || SendMessageA(field, EM_GETLIMITTEXT, 0, 0) == 79),
               name + ", id, class, style, text or icon, text limit");
        RECT r, want{row.x, row.y, row.width, row.height};
        MapDialogRect(dialog, &want);
        GetWindowRect(control, &r);
        MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
        // A combo box's template height is its open list's; the icon takes its picture's size.
        expect(r.left == want.left && r.top == want.top && (icon || r.right - r.left == want.right) &&
                   (icon || list || r.bottom - r.top == want.bottom), name + ", rectangle");
        control = GetWindow(control, GW_HWNDNEXT);
    }
    expect(control == nullptr, "no controls beyond the template's");
    Win32Probe probe(dialog);
    for (const auto& failure : check_view_behaviour(probe)) expect(false, failure);
}

// The second run: Enter on a tabbed-to Calculate presses it, and the default button's border
// returns to Close with the focus; Escape does nothing, Enter in an entry field presses Close.
void second_run(HWND dialog) {
    for (const auto& [field, entry] : {std::pair{IDC_PACE_DISTANCE, "10"}, {IDC_PACE_HOURS, "1"},
                                       {IDC_FINISH_DISTANCE, "m"}, {IDC_FINISH_PACE_MINUTES, "8"}})
        SetDlgItemTextA(dialog, field, entry);
    for (const int button : {IDC_PACE_CALCULATE, IDC_FINISH_CALCULATE}) {
        press(dialog, button, VK_RETURN);
        expect(!looks_default(dialog, button) && looks_default(dialog, IDC_CLOSE), "Close looks default again");
    }
    for (const int id : {IDC_PACE_DISTANCE, IDC_PER_KM, IDC_SPLITS}) press(dialog, id, VK_ESCAPE);
    expect(IsWindowVisible(dialog), "Escape does nothing");
    press(dialog, IDC_FINISH_PACE_SECONDS, VK_RETURN);
}

void (*run)(HWND) = first_run;

// The dialog procedure under test; the checks are posted behind its set-up, so they
// run from the dialog's own modal loop.
INT_PTR CALLBACK driver(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) PostMessageA(dialog, WM_APP, 0, 0);
    if (message != WM_APP) return main_dialog_proc(dialog, message, wparam, lparam);
    the_dialog = dialog;
    ShowWindow(dialog, SW_SHOWNORMAL);  // the dialog manager would show it once its queue is empty
    run(dialog);
    if (IsWindowVisible(dialog)) expect(false, "the dialog ended"), EndDialog(dialog, 9);
    return TRUE;
}

}  // namespace

int main() {
    SetTimer(nullptr, 0, 60000, [](HWND, UINT, UINT_PTR, DWORD) { std::puts("FAILED: time out"), ExitProcess(2); });
    for (const auto each : {first_run, second_run}) {
        run = each;
        expect(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(QUORRAN_IDD_MAIN), nullptr, driver, 0) == 0,
               "the dialog ends with 0");
    }
    std::printf(failures ? "%d check(s) failed\n" : "all checks passed\n", failures);
    return failures ? 1 : 0;
}
