// Runs the real main dialog, made by the dialog manager from the real template and
// driven by the real dialog procedure, and checks it the way a user meets it:
// layout, tab order, set-up, both calculations, message boxes, Escape and Enter.
// Each step runs from the dialog's own modal loop, one posted message at a time.

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

using quorran::ControlTemplate;
using Entries = std::vector<std::pair<int, const char*>>;

int failures = 0;

void expect(bool ok, const std::string& what) {
    if (!ok) {
        ++failures;
        std::printf("FAILED: %s\n", what.c_str());
    }
}

void expect_eq(const std::string& actual, const std::string& expected, const std::string& what) {
    expect(actual == expected, what + ": got \"" + actual + "\", want \"" + expected + "\"");
}

void expect_eq(long long actual, long long expected, const std::string& what) {
    expect(actual == expected, what + ": got " + std::to_string(actual) + ", want " + std::to_string(expected));
}

std::string row_name(const ControlTemplate& row) { return "control " + std::to_string(row.id); }

// The icon static: its text in the template is the number of the icon it shows.
bool shows_icon(const ControlTemplate& row) { return row.window_class == "Static" && (row.style & SS_TYPEMASK) == SS_ICON; }

std::string window_text(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string class_of(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

LRESULT send(HWND dialog, int control, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    return SendDlgItemMessageA(dialog, control, message, wparam, lparam);
}

std::string list_item(HWND dialog, int list, LRESULT index) {
    char text[256] = {};
    send(dialog, list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

void command(HWND dialog, int control) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED), 0); }

void enter(HWND dialog, const Entries& entries) {
    for (const auto& [control, text] : entries) SetDlgItemTextA(dialog, control, text);
}

// Everything a command may change, as one text: every control's text and check
// state, every list item and selection, and where the focus is.
std::string state_of(HWND dialog) {
    std::ostringstream state;
    state << "focus " << GetDlgCtrlID(GetFocus());
    for (const auto& row : quorran::dialog_controls()) {
        state << "\n" << row.id;
        if (!shows_icon(row)) state << " \"" << window_text(GetDlgItem(dialog, row.id)) << '"';
        if (row.window_class == "Button") state << " checked " << IsDlgButtonChecked(dialog, row.id);
        if (row.window_class != "ComboBox") continue;
        const LRESULT count = send(dialog, row.id, CB_GETCOUNT);
        state << " selected " << send(dialog, row.id, CB_GETCURSEL);
        for (LRESULT i = 0; i < count; ++i) state << " [" << list_item(dialog, row.id, i) << ']';
    }
    return state.str();
}

// --- the template resource itself ----------------------------------------------

// How a template names a resource or class by number.
std::string ordinal_name(int number) {
    std::string name = "#";
    name += std::to_string(number);
    return name;
}

// Reads a DLGTEMPLATE: words, with names either a 0xFFFF ordinal or a string.
class TemplateReader {
public:
    explicit TemplateReader(const void* data) : at_(static_cast<const WORD*>(data)) {}
    WORD word() { return *at_++; }
    DWORD dword() { const DWORD low = word(); return low | (static_cast<DWORD>(word()) << 16); }
    short coordinate() { return static_cast<short>(word()); }
    std::string name() {
        if (*at_ == 0xFFFF) return ++at_, ordinal_name(word());
        std::string text;
        while (const WORD c = word()) text += static_cast<char>(c);
        return text;
    }
    void align() { if (reinterpret_cast<UINT_PTR>(at_) % 4 != 0) ++at_; }

private:
    const WORD* at_;
};

std::string class_ordinal(std::string_view window_class) {
    const std::pair<std::string_view, int> ordinals[] = {{"Button", 0x80}, {"Edit", 0x81}, {"Static", 0x82}, {"ComboBox", 0x85}};
    for (const auto& [name, ordinal] : ordinals)
        if (name == window_class) return ordinal_name(ordinal);
    return "unknown class " + std::string(window_class);
}

void check_template_resource() {
    const HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(QUORRAN_IDD_MAIN), MAKEINTRESOURCEA(5));  // RT_DIALOG
    expect(found != nullptr, "dialog template IDD_MAIN exists");
    if (!found) return;
    TemplateReader in(LockResource(LoadResource(nullptr, found)));
    expect_eq(in.dword(), WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, "dialog style");
    expect_eq(in.dword(), 0, "dialog extended style");
    const auto rows = quorran::dialog_controls();
    expect_eq(in.word(), static_cast<long long>(rows.size()), "number of controls");
    for (const int expected : {0, 0, QUORRAN_DIALOG_WIDTH, QUORRAN_DIALOG_HEIGHT}) expect_eq(in.coordinate(), expected, "dialog rectangle");
    expect_eq(in.name(), "", "dialog menu");
    expect_eq(in.name(), "", "dialog class");
    expect_eq(in.name(), QUORRAN_DIALOG_CAPTION, "dialog caption");
    expect_eq(in.word(), QUORRAN_DIALOG_FONT_POINTS, "font size");
    expect_eq(in.name(), QUORRAN_DIALOG_FONT, "font");
    for (const auto& row : rows) {
        in.align();
        const std::string name = "template of " + row_name(row);
        expect_eq(in.dword(), WS_CHILD | WS_VISIBLE | row.style, name + ", style");
        expect_eq(in.dword(), 0, name + ", extended style");
        for (const int expected : {row.x, row.y, row.width, row.height}) expect_eq(in.coordinate(), expected, name + ", rectangle");
        expect_eq(in.word(), row.id, name + ", id");
        // Resource compilers store a predefined class by ordinal or by name.
        const std::string window_class = in.name();
        expect(window_class == class_ordinal(row.window_class) ||
                   lstrcmpiA(window_class.c_str(), std::string(row.window_class).c_str()) == 0,
               name + ", class " + window_class);
        const std::string text = shows_icon(row) ? ordinal_name(quorran::ICON_SHOWN) : std::string(row.text);
        expect_eq(in.name(), text, name + ", text");
        expect_eq(in.word(), 0, name + ", creation data");
    }
}

// --- the dialog as the dialog manager made it ----------------------------------

// Where the dialog manager puts a control: position and size are each converted
// from dialog units, so the far edge is not simply the mapped x + width.
RECT dialog_units(HWND dialog, int x, int y, int width, int height) {
    RECT r{x, y, width, height};
    MapDialogRect(dialog, &r);
    return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
}

RECT client_rect_of(HWND dialog, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string text_of(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom);
}

// The style bits the template sets, as the window holds them. An edit control
// draws its border itself and may clear WS_BORDER, and a combo box hands
// WS_VSCROLL on to its list, so those two bits are checked elsewhere.
constexpr DWORD COMPARED_STYLE = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | 0xFFFF;

void check_window(HWND dialog) {
    expect_eq(window_text(dialog), QUORRAN_DIALOG_CAPTION, "caption");
    const auto style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
    expect_eq(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_POPUP | WS_CAPTION, "window style");
    RECT window, client;
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    expect_eq(text_of(window).substr(0, 4), "0,0,", "the dialog opens at the top left");
    expect_eq(text_of(client), text_of(dialog_units(dialog, 0, 0, QUORRAN_DIALOG_WIDTH, QUORRAN_DIALOG_HEIGHT)), "client size");

    HWND control = GetWindow(dialog, GW_CHILD);
    for (const auto& row : quorran::dialog_controls()) {
        const std::string name = row_name(row);
        expect(control != nullptr, name + " exists, in template order");
        if (!control) return;
        expect_eq(GetDlgCtrlID(control), row.id, name + ", id");
        expect(lstrcmpiA(class_of(control).c_str(), std::string(row.window_class).c_str()) == 0, name + ", class " + class_of(control));
        const auto actual = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
        expect_eq(actual & COMPARED_STYLE, (WS_CHILD | WS_VISIBLE | row.style) & COMPARED_STYLE, name + ", style");

        const RECT expected = dialog_units(dialog, row.x, row.y, row.width, row.height);
        RECT placed = client_rect_of(dialog, control);
        if (row.window_class == "ComboBox") {
            // The template's height is the open list's; closed, the box is one
            // line high, and how far the list opens is the toolkit's business.
            expect(placed.bottom - placed.top < expected.bottom - expected.top, name + ", closed height");
            placed.bottom = expected.bottom;
        } else if (shows_icon(row)) {
            // An icon static takes the size of its icon.
            const auto icon = reinterpret_cast<HICON>(SendMessageA(control, STM_GETICON, 0, 0));
            expect(icon != nullptr, name + " shows an icon");
            placed.right = placed.left + (expected.right - expected.left);
            placed.bottom = placed.top + (expected.bottom - expected.top);
        } else if (row.window_class == "Edit") {
            expect((GetWindowLongA(control, GWL_STYLE) & WS_BORDER) != 0 || (GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0,
                   name + ", border");
        }
        expect_eq(text_of(placed), text_of(expected), name + ", rectangle");
        control = GetWindow(control, GW_HWNDNEXT);
    }
    expect(control == nullptr, "no controls beyond the template's");
}

void check_tab_order(HWND dialog) {
    std::vector<HWND> stops;
    for (const auto& row : quorran::dialog_controls())
        if (row.style & WS_TABSTOP) stops.push_back(GetDlgItem(dialog, row.id));
    for (std::size_t i = 0; i < stops.size(); ++i) {
        const HWND next = stops[(i + 1) % stops.size()];
        const HWND previous = stops[(i + stops.size() - 1) % stops.size()];
        const std::string name = "tab from control " + std::to_string(GetDlgCtrlID(stops[i]));
        expect_eq(GetDlgCtrlID(GetNextDlgTabItem(dialog, stops[i], FALSE)), GetDlgCtrlID(next), name);
        expect_eq(GetDlgCtrlID(GetNextDlgTabItem(dialog, stops[i], TRUE)), GetDlgCtrlID(previous), "back" + name.substr(3));
    }
}

void check_set_up(HWND dialog) {
    const std::pair<int, UINT> radios[] = {
        {quorran::IDC_PACE_MILES, BST_CHECKED}, {quorran::IDC_PACE_KM, BST_UNCHECKED},
        {quorran::IDC_FINISH_MILES, BST_CHECKED}, {quorran::IDC_FINISH_KM, BST_UNCHECKED},
        {quorran::IDC_PER_MILE, BST_CHECKED}, {quorran::IDC_PER_KM, BST_UNCHECKED}};
    for (const auto& [id, state] : radios) expect_eq(IsDlgButtonChecked(dialog, id), state, "radio " + std::to_string(id));
    const std::pair<int, std::string_view> lists[] = {
        {quorran::IDC_SPLITS, quorran::SPLITS_PLACEHOLDER}, {quorran::IDC_OTHER_FORMATS, quorran::OTHER_FORMATS_PLACEHOLDER}};
    for (const auto& [id, placeholder] : lists) {
        const std::string name = "list " + std::to_string(id);
        expect_eq(send(dialog, id, CB_GETCOUNT), 1, name + ", items");
        expect_eq(send(dialog, id, CB_GETCURSEL), 0, name + ", selected");
        expect_eq(window_text(GetDlgItem(dialog, id)), std::string(placeholder), name + ", shown");
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(GetDlgItem(dialog, id), &info);
        expect_eq(SendMessageA(info.hwndItem, EM_GETLIMITTEXT, 0, 0), 79, name + ", typing limit");
    }
    expect_eq(GetDlgCtrlID(GetFocus()), quorran::IDC_PACE_DISTANCE, "focus on start");
}

// --- commands -------------------------------------------------------------------

// Escape, and commands from controls that are not the four buttons, change nothing.
void check_ignored_commands(HWND dialog, const std::string& before) {
    for (const int id : {IDCANCEL, 1002, 1003, 1005, 1013, 1027, 1031, 65535}) {
        command(dialog, id);
        expect_eq(state_of(dialog), before, "after command " + std::to_string(id));
    }
}

struct Calculation {
    const char* name;
    Entries entries;
    int button, result_control;
    const char* result;
    int list;
    long long rows;
    const char* shown;
    int focus;
};

void check_calculations(HWND dialog) {
    const Calculation calculations[] = {
        {"Find Pace", {{1002, "26.21875"}, {1006, "3"}, {1008, "30"}, {1010, ""}}, 1012, 1013, " 8:00.6 per mile",
         1031, 9, " 119.4 secs or  1:59.4 per 400m", 1002},
        {"Find Finish Time", {{1014, "m"}, {1020, "8"}, {1022, ""}}, 1024, 1025, " 3 hours, 29 mins, 45.0 secs",
         1027, 36, " 1 m                 8:00.0", 1014},
    };
    for (const auto& c : calculations) {
        enter(dialog, c.entries);
        SetFocus(GetDlgItem(dialog, quorran::IDC_CLOSE));
        command(dialog, c.button);
        const std::string name = c.name;
        expect_eq(window_text(GetDlgItem(dialog, c.result_control)), c.result, name + ", result");
        expect_eq(send(dialog, c.list, CB_GETCOUNT), c.rows, name + ", list rows");
        expect_eq(list_item(dialog, c.list, send(dialog, c.list, CB_GETCURSEL)), c.shown, name + ", selected row");
        expect_eq(window_text(GetDlgItem(dialog, c.list)), c.shown, name + ", shown row");
        expect_eq(GetDlgCtrlID(GetFocus()), c.focus, name + ", focus");
    }
    COMBOBOXINFO splits{};
    splits.cbSize = sizeof splits;
    GetComboBoxInfo(GetDlgItem(dialog, quorran::IDC_SPLITS), &splits);
    expect((GetWindowLongA(splits.hwndList, GWL_STYLE) & WS_VSCROLL) != 0, "the 36 splits scroll");
}

// What the timer saw of the message box it dismissed.
struct SeenBox {
    bool seen = false;
    std::string caption, text;
    HICON icon = nullptr;
    int buttons = 0;
    bool owned = false, dialog_enabled = false;
};
HWND the_dialog = nullptr;
SeenBox seen_box;

BOOL CALLBACK read_box_part(HWND part, LPARAM) {
    const auto style = static_cast<DWORD>(GetWindowLongA(part, GWL_STYLE));
    if (lstrcmpiA(class_of(part).c_str(), "Button") == 0) ++seen_box.buttons;
    else if ((style & SS_TYPEMASK) == SS_ICON) seen_box.icon = reinterpret_cast<HICON>(SendMessageA(part, STM_GETICON, 0, 0));
    else if (lstrcmpiA(class_of(part).c_str(), "Static") == 0) seen_box.text += window_text(part);
    return TRUE;
}

BOOL CALLBACK find_box(HWND window, LPARAM found) {
    if (window == the_dialog || class_of(window) != "#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Runs inside the message box's own loop: reads the box, then presses its OK.
void CALLBACK dismiss_box(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_box, reinterpret_cast<LPARAM>(&box));
    if (!box) return;  // not up yet
    KillTimer(nullptr, timer);
    seen_box.seen = true;
    seen_box.caption = window_text(box);
    seen_box.owned = GetWindow(box, GW_OWNER) != nullptr;
    seen_box.dialog_enabled = IsWindowEnabled(the_dialog) != FALSE;
    EnumChildWindows(box, read_box_part, 0);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void check_message_boxes(HWND dialog) {
    const HICON exclamation = LoadIconA(nullptr, MAKEINTRESOURCEA(32515));  // IDI_EXCLAMATION
    const HICON information = LoadIconA(nullptr, MAKEINTRESOURCEA(32516));  // IDI_INFORMATION
    const struct {
        const char* name;
        Entries entries;
        int button;
        std::string_view text;
        HICON icon;
    } boxes[] = {
        {"Find Pace with nothing entered", {{1002, ""}, {1006, ""}, {1008, ""}, {1010, ""}}, 1012, quorran::DISTANCE_ZERO_WARNING, exclamation},
        {"Find Pace without a time", {{1002, "10"}}, 1012, quorran::TIME_ZERO_WARNING, exclamation},
        {"Find Finish Time without a distance", {{1014, "0"}, {1020, "8"}}, 1024, quorran::DISTANCE_ZERO_WARNING, exclamation},
        {"Find Finish Time without a pace", {{1014, "h"}, {1020, ""}, {1022, ""}}, 1024, quorran::TIME_ZERO_WARNING, exclamation},
        {"About", {}, 1000, quorran::ABOUT_TEXT, information},
    };
    for (const auto& b : boxes) {
        enter(dialog, b.entries);
        SetFocus(GetDlgItem(dialog, quorran::IDC_PACE_SECONDS));
        const std::string before = state_of(dialog);
        seen_box = SeenBox{};
        SetTimer(nullptr, 0, 50, dismiss_box);
        command(dialog, b.button);
        // The box took the activation; back on the dialog, the focus returns to
        // the control that had it, unless the command moved it.
        SetActiveWindow(dialog);
        const std::string name = b.name;
        expect(seen_box.seen, name + " shows a message box");
        expect_eq(seen_box.caption, std::string(quorran::MESSAGE_CAPTION), name + ", caption");
        expect_eq(seen_box.text, std::string(b.text), name + ", text");
        expect(seen_box.icon == b.icon, name + ", icon");
        expect_eq(seen_box.buttons, 1, name + ", buttons");
        expect(!seen_box.owned && seen_box.dialog_enabled, name + ", box has no owner and the dialog stays enabled");
        expect_eq(state_of(dialog), before, name + ", nothing else changes");
    }
}

// --- the two runs of the dialog ---------------------------------------------------

constexpr UINT STEP = WM_APP;
using Step = void (*)(HWND);
std::vector<Step> steps;
std::size_t steps_done = 0;
std::string state_on_start;

// The dialog procedure under test, with each step of the run posted behind the
// previous one, so the dialog's own loop handles the messages in between.
INT_PTR CALLBACK driver(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == STEP) {
        steps[wparam](dialog);
        steps_done = wparam + 1;
        if (steps_done < steps.size()) PostMessageA(dialog, STEP, steps_done, 0);
        return TRUE;
    }
    const INT_PTR result = quorran::main_dialog_proc(dialog, message, wparam, lparam);
    if (message == WM_INITDIALOG) {
        the_dialog = dialog;
        PostMessageA(dialog, STEP, 0, 0);
    }
    return result;
}

void press_key(WPARAM key) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
}

void run_dialog(const char* name, std::vector<Step> run) {
    steps = std::move(run);
    steps_done = 0;
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(QUORRAN_IDD_MAIN), nullptr, driver, 0);
    expect_eq(static_cast<long long>(steps_done), static_cast<long long>(steps.size()), std::string(name) + ": steps run");
    expect_eq(result, 0, std::string(name) + ": the dialog's result");
    expect(!IsWindow(the_dialog), std::string(name) + ": the dialog is gone");
}

void CALLBACK give_up(HWND, UINT, UINT_PTR, DWORD) {
    std::printf("FAILED: the dialog did not finish in time (after step %u)\n", static_cast<unsigned>(steps_done));
    std::fflush(stdout);
    ExitProcess(2);
}

}  // namespace

int main() {
    SetTimer(nullptr, 0, 60000, give_up);
    check_template_resource();
    run_dialog("closed by Close", {
        [](HWND d) { check_window(d); check_tab_order(d); check_set_up(d); state_on_start = state_of(d); },
        [](HWND) { press_key(VK_ESCAPE); },
        [](HWND d) { expect_eq(state_of(d), state_on_start, "after Escape"); check_ignored_commands(d, state_on_start); },
        check_calculations,
        check_message_boxes,
        [](HWND d) { command(d, quorran::IDC_CLOSE); },
    });
    run_dialog("closed by Enter in an entry field", {
        [](HWND d) { SetDlgItemTextA(d, quorran::IDC_PACE_DISTANCE, "5"); press_key(VK_RETURN); },
    });
    std::printf(failures ? "%d check(s) failed\n" : "all checks passed\n", failures);
    return failures ? 1 : 0;
}
