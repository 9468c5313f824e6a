// Runs the real main dialog, made by the dialog manager from the real template and
// driven by the real dialog procedure, and checks what the Windows front end adds
// to the core: the layout against the shared control table, the tab order, the
// set-up, the routing of commands, the message boxes and the end of the dialog.
// Result texts and which entries give which warning are the core suite's
// business: one case per command here proves the dialog carries them through.

// The C++ table first: once windows.h is in, its style names are macros.
#include "ui/dialog_template.h"

#include <windows.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/control_ids.h"
#include "core/messages.h"
#include "ui/win32/main_dialog.h"

namespace {

using namespace quorran;

int failures = 0;

void expect(bool ok, const std::string& what) { if (!ok) ++failures, std::printf("FAILED: %s\n", what.c_str()); }

void expect_eq(const std::string& actual, std::string_view expected, const std::string& what) {
    expect(actual == expected, what + ": got \"" + actual + "\", want \"" + std::string(expected) + "\"");
}

void expect_eq(long long actual, long long expected, const std::string& what) {
    expect(actual == expected, what + ": got " + std::to_string(actual) + ", want " + std::to_string(expected));
}

// A window's text, or with a control id, that control's.
std::string text(HWND window, int control = -1) {
    char buffer[512] = {};
    if (control < 0) GetWindowTextA(window, buffer, sizeof buffer);
    else GetDlgItemTextA(window, control, buffer, sizeof buffer);
    return buffer;
}

bool is_class(HWND window, std::string_view name) {
    char actual[64] = {};
    GetClassNameA(window, actual, sizeof actual);
    return lstrcmpiA(actual, std::string(name).c_str()) == 0;
}

// The icon static: the template gives it the number of its icon as text.
bool shows_icon(const ControlTemplate& r) { return r.window_class == "Static" && (r.style & SS_TYPEMASK) == SS_ICON; }

LRESULT send(HWND dialog, int control, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    return SendDlgItemMessageA(dialog, control, message, wparam, lparam);
}

std::string list_item(HWND dialog, int list, LRESULT index) {
    char item[256] = {};
    send(dialog, list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item));
    return item;
}

void command(HWND dialog, int control) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED), 0); }

using Entries = std::vector<std::pair<int, const char*>>;  // what to type into which control

// Everything a command may change, as one text: every control's text and check
// state, every list item and selection, and where the focus is.
std::string state_of(HWND dialog) {
    std::ostringstream state;
    state << "focus " << GetDlgCtrlID(GetFocus());
    for (const auto& row : dialog_controls()) {
        state << "\n" << row.id << " \"" << (shows_icon(row) ? "" : text(dialog, row.id)) << '"';
        if (row.window_class == "Button") state << " checked " << IsDlgButtonChecked(dialog, row.id);
        if (row.window_class != "ComboBox") continue;
        state << " selected " << send(dialog, row.id, CB_GETCURSEL) << ':';
        for (LRESULT i = 0; i < send(dialog, row.id, CB_GETCOUNT); ++i) state << " | " << list_item(dialog, row.id, i);
    }
    return state.str();
}

// --- layout and set-up ------------------------------------------------------------

// Rectangles as left, top, width, height. The dialog manager converts a control's
// position and size each from dialog units, as MapDialogRect does.
RECT mapped(HWND dialog, RECT r) { return MapDialogRect(dialog, &r), r; }

std::string text_of(const RECT& r) {
    std::ostringstream out;
    out << r.left << ',' << r.top << ' ' << r.right << 'x' << r.bottom;
    return out.str();
}

// The style bits the template sets, as the window holds them: an edit control may
// trade WS_BORDER for a client edge, and a combo box hands WS_VSCROLL on to its list.
constexpr DWORD COMPARED_STYLE = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | 0xFFFF;

void check_layout(HWND dialog) {
    expect_eq(text(dialog), QUORRAN_DIALOG_CAPTION, "caption");
    const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    expect_eq(GetWindowLongA(dialog, GWL_STYLE) & frame, WS_POPUP | WS_CAPTION, "dialog style");
    RECT window, client;
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    expect(window.left == 0 && window.top == 0, "the dialog opens at the top left");
    expect_eq(text_of(client), text_of(mapped(dialog, {0, 0, QUORRAN_DIALOG_WIDTH, QUORRAN_DIALOG_HEIGHT})), "client");

    HWND control = GetWindow(dialog, GW_CHILD);
    std::vector<int> stops;
    for (const auto& row : dialog_controls()) {
        const std::string name = "control " + std::to_string(row.id);
        if (!control) return expect(false, name + " exists");
        expect_eq(GetDlgCtrlID(control), row.id, name + ", id in template order");
        expect(is_class(control, row.window_class), name + ", class");
        const DWORD style = (WS_CHILD | WS_VISIBLE | row.style) & COMPARED_STYLE;
        expect_eq(GetWindowLongA(control, GWL_STYLE) & COMPARED_STYLE, style, name + ", style");
        if (row.window_class != "ComboBox" && !shows_icon(row)) expect_eq(text(control), row.text, name + ", text");

        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
        const RECT expected = mapped(dialog, {row.x, row.y, row.width, row.height});
        RECT actual{r.left, r.top, r.right - r.left, r.bottom - r.top};
        if (row.window_class == "ComboBox") actual.bottom = expected.bottom;  // its template height is the open list's
        if (shows_icon(row)) {  // it takes the size of its icon
            expect(SendMessageA(control, STM_GETICON, 0, 0) != 0, name + " shows an icon");
            actual.right = expected.right, actual.bottom = expected.bottom;
        }
        expect_eq(text_of(actual), text_of(expected), name + ", rectangle");
        if (row.style & WS_TABSTOP) stops.push_back(row.id);
        control = GetWindow(control, GW_HWNDNEXT);
    }
    expect(control == nullptr, "no controls beyond the template's");
    for (std::size_t i = 0; i < stops.size(); ++i) {  // the template order is the tab order
        const HWND next = GetNextDlgTabItem(dialog, GetDlgItem(dialog, stops[i]), FALSE);
        expect_eq(GetDlgCtrlID(next), stops[(i + 1) % stops.size()], "tab from " + std::to_string(stops[i]));
    }
}

void check_set_up(HWND dialog) {
    for (const auto& [id, checked] : {std::pair{IDC_PACE_MILES, 1}, {IDC_PACE_KM, 0}, {IDC_FINISH_MILES, 1},
                                      {IDC_FINISH_KM, 0}, {IDC_PER_MILE, 1}, {IDC_PER_KM, 0}})
        expect_eq(IsDlgButtonChecked(dialog, id), checked, "radio " + std::to_string(id));
    for (const auto& [id, placeholder] :
         {std::pair{IDC_SPLITS, SPLITS_PLACEHOLDER}, {IDC_OTHER_FORMATS, OTHER_FORMATS_PLACEHOLDER}}) {
        const std::string name = "list " + std::to_string(id);
        expect_eq(send(dialog, id, CB_GETCOUNT), 1, name + ", items");
        expect_eq(list_item(dialog, id, send(dialog, id, CB_GETCURSEL)), placeholder, name + ", selected");
        const HWND edit = FindWindowExA(GetDlgItem(dialog, id), nullptr, "Edit", nullptr);
        expect_eq(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 79, name + ", typing limit");
    }
    expect_eq(GetDlgCtrlID(GetFocus()), IDC_PACE_DISTANCE, "focus on start");
}

// --- commands ---------------------------------------------------------------------

// A message box as the test compares it.
struct Box { std::string caption, text; HICON icon; int buttons; bool owned, dialog_enabled; };

std::string text_of(const Box& box) {
    std::ostringstream out;
    out << "caption \"" << box.caption << "\", text \"" << box.text << "\", icon " << box.icon << ", " << box.buttons
        << " button(s), " << (box.owned ? "owned" : "no owner") << ", dialog enabled " << box.dialog_enabled;
    return out.str();
}

HWND the_dialog = nullptr;
std::string seen_box;  // what dismiss_box saw; empty while no box was up

// Runs inside the message box's own loop: reads the box, then presses its OK.
void CALLBACK dismiss_box(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM found) -> BOOL {
        return window == the_dialog || !is_class(window, "#32770") || (*reinterpret_cast<HWND*>(found) = window, FALSE);
    }, reinterpret_cast<LPARAM>(&box));
    if (!box) return;  // not up yet
    KillTimer(nullptr, timer);
    Box seen{text(box), "", nullptr, 0, GetWindow(box, GW_OWNER) != nullptr, IsWindowEnabled(the_dialog) != FALSE};
    EnumChildWindows(box, [](HWND part, LPARAM to) -> BOOL {
        Box& seen = *reinterpret_cast<Box*>(to);
        if (is_class(part, "Button")) ++seen.buttons;
        else if ((GetWindowLongA(part, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            seen.icon = reinterpret_cast<HICON>(SendMessageA(part, STM_GETICON, 0, 0));
        else if (is_class(part, "Static")) seen.text += text(part);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&seen));
    seen_box = text_of(seen);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

// OK, Escape's Cancel and every control but the four buttons do nothing.
void check_ignored_commands(HWND dialog) {
    const std::string before = state_of(dialog);
    std::vector<int> ids{IDOK, IDCANCEL};
    for (const auto& row : dialog_controls()) ids.push_back(row.id);
    for (const int id : ids)
        if (id != IDC_ABOUT && id != IDC_CLOSE && id != IDC_PACE_CALCULATE && id != IDC_FINISH_CALCULATE)
            command(dialog, id), expect_eq(state_of(dialog), before, "command " + std::to_string(id));
}

void check_calculations(HWND dialog) {
    const struct {
        std::string name;
        Entries entries;  // the first is the group's distance, where the focus returns
        int button, result_control, list, rows;
        const char *result, *shown;
    } calculations[] = {
        {"Find Pace", {{1002, "26.21875"}, {1006, "3"}, {1008, "30"}, {1010, ""}}, 1012, 1013, 1031, 9,
         " 8:00.6 per mile", " 119.4 secs or  1:59.4 per 400m"},
        {"Find Finish Time", {{1014, "m"}, {1020, "8"}, {1022, ""}}, 1024, 1025, 1027, 36,
         " 3 hours, 29 mins, 45.0 secs", " 1 m                 8:00.0"},
    };
    for (const auto& c : calculations) {
        for (const auto& [id, entry] : c.entries) SetDlgItemTextA(dialog, id, entry);
        SetFocus(GetDlgItem(dialog, IDC_CLOSE));
        command(dialog, c.button);
        expect_eq(text(dialog, c.result_control), c.result, c.name + ", result");
        expect_eq(send(dialog, c.list, CB_GETCOUNT), c.rows, c.name + ", list rows");
        expect_eq(list_item(dialog, c.list, send(dialog, c.list, CB_GETCURSEL)), c.shown, c.name + ", selected row");
        expect_eq(GetDlgCtrlID(GetFocus()), c.entries.front().first, c.name + ", focus");
    }
}

// One warning and About: the view's two mappings onto MessageBoxA.
void check_message_boxes(HWND dialog) {
    const struct { std::string name; Entries entries; int button; std::string_view text; LPCSTR icon; } boxes[] = {
        {"Find Pace without a distance", {{1002, ""}}, 1012, DISTANCE_ZERO_WARNING, IDI_EXCLAMATION},
        {"About", {}, 1000, ABOUT_TEXT, IDI_INFORMATION},
    };
    for (const auto& b : boxes) {
        for (const auto& [id, entry] : b.entries) SetDlgItemTextA(dialog, id, entry);
        seen_box.clear();
        SetTimer(nullptr, 0, 50, dismiss_box);
        command(dialog, b.button);
        const HICON icon = LoadIconA(nullptr, b.icon);
        expect_eq(seen_box, text_of({std::string(MESSAGE_CAPTION), std::string(b.text), icon, 1, false, true}), b.name);
    }
}

// --- the run of the dialog ----------------------------------------------------------

// The dialog procedure under test. The checks are posted behind the set-up, so
// they run from the dialog's own modal loop; they end by pressing Close.
INT_PTR CALLBACK driver(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) PostMessageA(dialog, WM_APP, 0, 0);
    if (message != WM_APP) return main_dialog_proc(dialog, message, wparam, lparam);
    the_dialog = dialog;
    for (const auto check :
         {check_layout, check_set_up, check_ignored_commands, check_calculations, check_message_boxes})
        check(dialog);
    command(dialog, IDC_CLOSE);
    return TRUE;
}

}  // namespace

int main() {
    SetTimer(nullptr, 0, 60000, [](HWND, UINT, UINT_PTR, DWORD) {
        std::puts("FAILED: the dialog did not finish in time"), std::fflush(stdout), ExitProcess(2);
    });
    const LPCSTR id = MAKEINTRESOURCEA(QUORRAN_IDD_MAIN);
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), id, nullptr, driver, 0);
    expect(the_dialog != nullptr, "the checks ran");
    expect_eq(result, 0, "Close ends the dialog with");
    std::printf(failures ? "%d check(s) failed\n" : "all checks passed\n", failures);
    return failures ? 1 : 0;
}
