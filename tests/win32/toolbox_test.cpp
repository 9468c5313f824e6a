// Runs the real toolbox window, made at run time from the tool table and driven through
// its controls as a user drives them, keeping its entries in the registry under a key of
// the test's own: the panel-behaviour suite, then what only the toolkit shows: every
// control inside the window and none over another for every tool, each entry's words
// fitting their place, the Tab order, Alt+letter, another monitor's scale, Ctrl+C's
// clipboard, a document's Save button, Escape, every way of choosing a tool, the
// registry's texts and a first run's units, a report taller than the screen scrolled; and
// the pace dialog's Alt+Space menu opening the toolbox beside it. (Wine's oleacc takes no
// annotations, so the names given through it are not read, and gives a list box no lines,
// so its selection is tried only where it has them.)
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "adapters/files/file_system_runs.h"
#include "core/toolbox/tool_panel.h"
#include "tests/drawing_behaviour.h"
#include "tests/embedded_files.h"
#include "tests/memory_panel.h"
#include "tests/panel_behaviour.h"
#include "ui/dialog_strings.h"
#include "ui/win32/gdi_painter.h"
#include "ui/win32/main_dialog.h"
#include "ui/win32/registry_memory.h"
#include "ui/win32/toolbox_window.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_tool_panel.h"

namespace {

using namespace quorran;

int failures = 0;

// The test's own key: the user's settings (in the test's own Wine prefix, too) are never read.
constexpr wchar_t TEST_KEY[] = L"Software\\Quorran\\Toolbox test";

void expect(bool ok, const std::string& what) {
    if (!ok) ++failures, std::printf("FAILED: %s\n", what.c_str());
}

// The loop every window of the program runs under, the toolbox's keyboard first.
void pump() {
    for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);)
        if (!toolbox_message(m)) TranslateMessage(&m), DispatchMessageW(&m);
}

bool is_class(HWND window, const wchar_t* name) {
    wchar_t actual[64] = {};
    GetClassNameW(window, actual, 64);
    return lstrcmpiW(actual, name) == 0;
}

// A key pressed where the focus is, with Ctrl or Alt held as Windows says they are held.
void press(WPARAM key, BYTE held = 0) {
    BYTE keys[256] = {}, before[256] = {};
    GetKeyboardState(before);
    if (held) keys[held] = 0x80, SetKeyboardState(keys);
    if (held == VK_MENU) PostMessageW(GetFocus(), WM_SYSCHAR, key, 1 << 29);
    else PostMessageW(GetFocus(), WM_KEYDOWN, key, 0), PostMessageW(GetFocus(), WM_KEYUP, key, 0);
    pump();
    SetKeyboardState(before);
}

RECT place(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::vector<HWND> children(HWND window) {
    std::vector<HWND> all;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) all.push_back(c);
    return all;
}

// The tool the list has selected; the first when none is (a fault the checks report).
const Tool& shown_tool(HWND window) {
    const LRESULT selected = SendDlgItemMessageW(window, IDC_TOOLBOX_TOOLS, LB_GETCURSEL, 0, 0);
    return tools()[selected < 0 ? 0 : static_cast<std::size_t>(selected)];
}

// What the next file dialog is answered with: a file's name, or empty to cancel.
std::wstring file_to_open;

// Runs inside the Open dialog's loop: names the file and presses Open, or cancels.
void CALLBACK answer_open_dialog(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindWindowW(L"#32770", nullptr);
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, timer);
    const int file_name = 1148;  // the file name box of the Explorer-style dialog
    SetDlgItemTextW(dialog, file_name, file_to_open.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(file_to_open.empty() ? IDCANCEL : IDOK, BN_CLICKED), 0);
}

class Win32PanelProbe final : public testing::PanelProbe {
public:
    explicit Win32PanelProbe(EntryMemory& memory) : memory_(memory) { restart(0); }
    HWND window() const { return window_; }
    std::vector<std::string> tools() override {
        std::vector<std::string> all;
        const HWND list = item(IDC_TOOLBOX_TOOLS);
        for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
            std::wstring title(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            title.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(title.data()))));
            all.push_back(narrow(title));
        }
        return all;
    }
    int chosen_tool() override { return static_cast<int>(SendMessageW(item(IDC_TOOLBOX_TOOLS), LB_GETCURSEL, 0, 0)); }
    // A click on the tool's line: the list selects it, then tells the window.
    void choose_tool(int index) override {
        const HWND list = item(IDC_TOOLBOX_TOOLS);
        RECT line;
        SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&line));
        const LPARAM at = MAKELPARAM(line.left + 2, (line.top + line.bottom) / 2);
        SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(list, WM_LBUTTONUP, 0, at);
        pump();
    }
    // A user cannot empty the list's selection; another program or an assistive technology can.
    void choose_no_tool() override {
        SendMessageW(item(IDC_TOOLBOX_TOOLS), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        pump();
    }
    std::vector<std::string> labels() override {
        std::vector<std::string> all;
        for (int i = 0; field(i); ++i) {
            const HWND label_control = item(entry_control(i, ENTRY_LABEL));  // a check box has its own
            std::string label = window_text(label_control ? label_control : field(i));
            all.push_back(label.erase(label.find('&'), 1));
        }
        return all;
    }
    // Typing replaces a field's text, and the field says it changed; a choice is made in the
    // list, which says so; a check box is clicked.
    void enter(int entry, std::string_view text) override {
        const HWND control = field(entry);
        if (is_class(control, L"Edit")) {
            SetWindowTextW(control, wide(text).c_str());
        } else if (is_class(control, L"ComboBox")) {
            const auto choices = choices_of(entry);
            const auto at = std::find_if(choices.begin(), choices.end(), [text](const EntryChoice& c) { return c.value == text; });
            SendMessageW(control, CB_SETCURSEL, at - choices.begin(), 0);
            notify(entry_control(entry, ENTRY_FIELD), CBN_SELCHANGE);
        } else if (entry_shown(entry) != text) {
            SendMessageW(control, BM_CLICK, 0, 0);
        }
        pump();
    }
    std::string entry_shown(int entry) override {
        const HWND control = field(entry);
        if (is_class(control, L"ComboBox")) {
            const auto chosen = static_cast<std::size_t>(SendMessageW(control, CB_GETCURSEL, 0, 0));
            return chosen < choices_of(entry).size() ? choices_of(entry)[chosen].value : "";
        }
        if (is_class(control, L"Button")) return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "on" : "";
        return window_text(control);
    }
    void press_shortcut(int entry, int shortcut) override {
        SendMessageW(item(entry_control(entry, ENTRY_SHORTCUT + shortcut)), BM_CLICK, 0, 0);
        pump();
    }
    std::string mark(int entry) override { return window_text(item(entry_control(entry, ENTRY_MARK))); }
    // The report's texts and tables in the window's order, a table's header before its cells.
    std::vector<std::string> report() override {
        std::vector<std::string> texts;
        for (const HWND c : report_controls()) {
            if (!is_class(c, WC_LISTVIEWW)) {
                texts.push_back(window_text(c));
                continue;
            }
            const HWND header = reinterpret_cast<HWND>(SendMessageW(c, LVM_GETHEADER, 0, 0));
            const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
            for (int col = 0; col < columns; ++col) texts.push_back(cell(c, -1, col));
            for (int row = 0; row < SendMessageW(c, LVM_GETITEMCOUNT, 0, 0); ++row)
                for (int col = 0; col < columns; ++col) texts.push_back(cell(c, row, col));
        }
        return texts;
    }
    bool report_current() override {
        if (!IsWindowEnabled(item(IDC_TOOLBOX_REPORT_LABEL))) return false;
        for (const HWND c : report_controls())
            if (!IsWindowEnabled(c)) return false;
        return true;
    }
    // Ctrl+C with the focus in the list of tools.
    void copy() override {
        SetFocus(item(IDC_TOOLBOX_TOOLS));
        press('C', VK_CONTROL);
    }
    std::string clipboard() override {
        std::string text = clipboard_text(CF_UNICODETEXT);
        for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
        return text;
    }
    // The main answer, when it stands above every other text of the report, in larger type.
    std::string main_answer() override {
        const HWND answer = item(IDC_TOOLBOX_MAIN_ANSWER);
        const std::string text = window_text(answer);
        if (text.empty()) return text;
        for (const HWND c : report_controls())
            if (place(c).top <= place(answer).top || font_height(c) >= font_height(answer))
                return "(not first and largest: " + text + ")";
        return text;
    }
    Units units() override {
        const HWND list = item(IDC_TOOLBOX_UNITS);
        const LRESULT chosen = SendMessageW(list, CB_GETCURSEL, 0, 0);
        return chosen < 0 ? static_cast<Units>(-1) : static_cast<Units>(SendMessageW(list, CB_GETITEMDATA, chosen, 0));
    }
    // Chosen in the list, which says so.
    void choose_units(Units units) override {
        const HWND list = item(IDC_TOOLBOX_UNITS);
        for (LRESULT i = 0; i < SendMessageW(list, CB_GETCOUNT, 0, 0); ++i)
            if (SendMessageW(list, CB_GETITEMDATA, i, 0) == static_cast<LRESULT>(units)) SendMessageW(list, CB_SETCURSEL, i, 0);
        notify(IDC_TOOLBOX_UNITS, CBN_SELCHANGE);
    }
    std::string unit_beside(int entry) override { return window_text(item(entry_control(entry, ENTRY_UNIT))); }
    void clear() override {
        SendMessageW(item(IDC_TOOLBOX_CLEAR), BM_CLICK, 0, 0);
        pump();
    }
    // The sample written to the temporary folder, opened by its path.
    std::string sample_run(std::string_view name) override {
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        const std::string path = narrow(folder) + std::string(name.substr(name.rfind('/') + 1));
        const std::string_view bytes = testing::embedded_file(name);
        std::ofstream(std::filesystem::path(wide(path)), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    // A click on Open…, the common file dialog answered.
    void open_file(int entry, std::string_view name) override {
        file_to_open = wide(name);
        SetTimer(nullptr, 0, 50, answer_open_dialog);
        SendMessageW(item(entry_control(entry, ENTRY_OPEN)), BM_CLICK, 0, 0);
        pump();
    }
    // Files dropped as Explorer drops them: their names, each ended by a nul and the list
    // by another, after a DROPFILES, which the window hands back to Windows.
    void drop_files(const std::vector<std::string>& names) override {
        std::wstring list;
        for (const std::string& name : names) list += wide(name) + L'\0';
        list += L'\0';
        const HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
        auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
        files->pFiles = sizeof(DROPFILES);
        files->fWide = TRUE;
        std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
        GlobalUnlock(drop);
        SendMessageW(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        pump();
    }
    // The window closed, and another opened on the same memory.
    void restart(int tool) override {
        if (window_) DestroyWindow(window_), pump();
        window_ = open_toolbox(GetModuleHandleW(nullptr), memory_, quorran::tools()[static_cast<std::size_t>(tool)].name);
        pump();
    }

    static std::string clipboard_text(UINT format) {
        std::string text;
        if (!OpenClipboard(nullptr)) return "(no clipboard)";
        if (const HANDLE data = GetClipboardData(format)) {
            const void* p = GlobalLock(data);
            text = format == CF_TEXT ? std::string(static_cast<const char*>(p)) : narrow(static_cast<const wchar_t*>(p));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }

private:
    HWND item(int id) const { return GetDlgItem(window_, id); }
    HWND field(int entry) const { return item(entry_control(entry, ENTRY_FIELD)); }
    void notify(int id, int code) {
        SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(item(id)));
        pump();
    }
    std::vector<EntryChoice> choices_of(int entry) const {
        return entry_fields(shown_tool(window_)).at(static_cast<std::size_t>(entry)).choices;
    }
    std::vector<HWND> report_controls() const {
        std::vector<HWND> all;
        for (const HWND c : children(window_))
            if (GetDlgCtrlID(c) >= IDC_TOOLBOX_REPORT && GetDlgCtrlID(c) < IDC_TOOLBOX_SAVE) all.push_back(c);
        return all;
    }
    // A header's text (row -1) or a cell's.
    static std::string cell(HWND list, int row, int column) {
        wchar_t text[128] = {};
        if (row < 0) {
            LVCOLUMNW c{};
            c.mask = LVCF_TEXT, c.pszText = text, c.cchTextMax = 128;
            SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&c));
        } else {
            LVITEMW i{};
            i.iSubItem = column, i.pszText = text, i.cchTextMax = 128;
            SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&i));
        }
        return narrow(text);
    }

    static int font_height(HWND control) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
        return std::abs(font.lfHeight);
    }

    EntryMemory& memory_;
    HWND window_ = nullptr;
};

// Every control shown inside the window and none over another (a drawing with no room
// is hidden).
void check_layout(HWND window, const std::string& when) {
    RECT client;
    GetClientRect(window, &client);
    auto all = children(window);
    std::erase_if(all, [](HWND c) { return !IsWindowVisible(c); });
    for (std::size_t i = 0; i < all.size(); ++i) {
        const RECT r = place(all[i]);
        RECT inside;
        expect(IntersectRect(&inside, &r, &client) && EqualRect(&inside, &r),
               when + ": control " + std::to_string(GetDlgCtrlID(all[i])) + " inside");
        for (std::size_t j = 0; j < i; ++j) {
            const RECT s = place(all[j]);
            expect(!IntersectRect(&inside, &r, &s), when + ": controls " + std::to_string(GetDlgCtrlID(all[j])) + " and " +
                                                        std::to_string(GetDlgCtrlID(all[i])) + " apart");
        }
    }
}

// Numbers from the right, names from the left, in every table's columns.
void check_columns(HWND window, const Report& report, const std::string& tool) {
    std::size_t table = 0;
    for (const HWND c : children(window)) {
        if (!is_class(c, WC_LISTVIEWW) || table >= report.tables.size()) continue;
        const auto& columns = report.tables[table++].columns;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            LVCOLUMNW column{};
            column.mask = LVCF_FMT;
            SendMessageW(c, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
            expect((column.fmt & LVCFMT_JUSTIFYMASK) == (columns[i].names ? LVCFMT_LEFT : LVCFMT_RIGHT),
                   tool + ": column " + columns[i].label + " aligned");
        }
    }
    expect(table == report.tables.size(), tool + ": a list view a table");
}

// For every tool: each entry's words, at their longest (what it takes, when it is not
// that), inside their place; then its entries given their examples, its report shown,
// its tables' columns aligned and the layout sound.
void check_every_tool(HWND window, Win32PanelProbe& probe) {
    for (std::size_t t = 0; t < tools().size(); ++t) {
        probe.choose_tool(static_cast<int>(t));
        const auto fields = entry_fields(tools()[t]);
        const std::string name(tools()[t].name);
        Entries given;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            // A choice with no default takes its first value.
            if (fields[i].kind == EntryKind::Choice && probe.entry_shown(static_cast<int>(i)).empty()) {
                probe.enter(static_cast<int>(i), fields[i].choices.front().value);
                given.emplace_back(fields[i].name, fields[i].choices.front().value);
            }
            // A file's example: a short run a watch recorded.
            if (fields[i].kind == EntryKind::File) {
                const std::string sample = probe.sample_run("fit/garmin-fenix-5-run.fit");
                probe.enter(static_cast<int>(i), sample);
                given.emplace_back(fields[i].name, sample);
            }
            if (fields[i].kind != EntryKind::Text) continue;
            probe.enter(static_cast<int>(i), "?");
            const HWND mark = GetDlgItem(window, entry_control(static_cast<int>(i), ENTRY_MARK));
            const RECT space = place(mark);
            RECT needed{0, 0, space.right - space.left, 0};
            const HDC dc = GetDC(mark);
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(mark, WM_GETFONT, 0, 0)));
            const std::wstring text = wide(probe.mark(static_cast<int>(i)));
            DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
            ReleaseDC(mark, dc);
            // A text entry takes any text: nothing to mark.
            expect(needed.bottom <= space.bottom - space.top, name + " " + fields[i].name + ": the mark fits");
            probe.enter(static_cast<int>(i), fields[i].placeholder);
            given.emplace_back(fields[i].name, fields[i].placeholder);
        }
        // Examples that exclude each other (a time and a target grade): the one marked goes.
        for (std::size_t i = 0; i < fields.size() && probe.report().empty(); ++i) {
            if (probe.mark(static_cast<int>(i)).empty()) continue;
            probe.enter(static_cast<int>(i), "");
            std::erase_if(given, [&](const auto& e) { return e.first == fields[i].name; });
        }
        expect(!probe.report().empty(), name + ": a report from the examples");
        check_columns(window, run_tool(tools()[t], given).report, name);
        // A run's report is the longest: it is laid out in a window of a laptop screen's
        // height, and the window's own size again after.
        RECT before{};
        GetWindowRect(window, &before);
        if (name == "run") SetWindowPos(window, nullptr, 0, 0, before.right - before.left, 760, SWP_NOMOVE | SWP_NOZORDER);
        check_layout(window, name);
        SetWindowPos(window, nullptr, 0, 0, before.right - before.left, before.bottom - before.top, SWP_NOMOVE | SWP_NOZORDER);
    }
}

// A table of the same columns with fewer rows: the rows beyond go.
void check_shorter_table(Win32PanelProbe& probe) {
    const Tool& plan = *find_tool("plan");
    probe.choose_tool(static_cast<int>(&plan - tools().data()));
    probe.clear();  // the examples typed before
    probe.enter(0, "half");
    probe.enter(1, "1:45:00");
    probe.enter(0, "10k");
    Entries given = unit_entries(plan, probe.units());
    given.insert(given.end(), {{"distance", "10k"}, {"time", "1:45:00"}});
    expect(probe.report() == testing::report_texts(run_tool(plan, given).report), "a plan for a shorter race");
}

// oleacc's selection of the list's line (MSAA, and UI Automation's proxy over it), or
// E_NOTIMPL where oleacc gives a list box no lines (Wine's).
HRESULT select_as_assistive_technology(HWND list, int row, long how) {
    IAccessible* accessible = nullptr;
    HRESULT result = AccessibleObjectFromWindow(list, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&accessible));
    if (FAILED(result)) return result;
    long lines = 0;
    VARIANT line{};
    line.vt = VT_I4, line.lVal = row + 1;
    result = SUCCEEDED(accessible->get_accChildCount(&lines)) && lines > row ? accessible->accSelect(how, line) : E_NOTIMPL;
    accessible->Release();
    pump();
    return result;
}

// However the list's selection changes, the tool shown is the one selected: a click, the
// keys, the list's own messages (as another program, or an assistive technology through
// Windows' accessibility proxies, sends them), and oleacc's own selection where it has
// one; what would leave none selected keeps the tool shown as typed.
void check_every_way_of_choosing(HWND window, Win32PanelProbe& probe) {
    const HWND list = GetDlgItem(window, IDC_TOOLBOX_TOOLS);
    const auto shows = [&](int row) {
        std::vector<std::string> labels;
        for (const EntryField& f : entry_fields(tools()[static_cast<std::size_t>(row)])) labels.push_back(without_mnemonic(f.label));
        return probe.chosen_tool() == row && probe.labels() == labels;
    };
    using Choose = std::function<void(int)>;
    std::vector<std::pair<std::string, Choose>> choosing{
        {"a click", [&](int row) { probe.choose_tool(row); }},
        {"Down and Up", [&](int row) {
             SetFocus(list);
             while (probe.chosen_tool() != row) press(probe.chosen_tool() < row ? VK_DOWN : VK_UP);
         }},
        {"LB_SETCURSEL", [&](int row) { SendMessageW(list, LB_SETCURSEL, row, 0), pump(); }},
        {"LB_SELECTSTRING", [&](int row) {
             SendMessageW(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide(tools()[static_cast<std::size_t>(row)].title).c_str()));
             pump();
         }},
    };
    std::vector<std::pair<std::string, Choose>> unchoosing{{"LB_SETCURSEL -1", [&](int) { probe.choose_no_tool(); }}};
    const HRESULT msaa = select_as_assistive_technology(list, probe.chosen_tool(), SELFLAG_TAKESELECTION);
    if (SUCCEEDED(msaa)) {
        choosing.emplace_back("accSelect", [list](int row) { select_as_assistive_technology(list, row, SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION); });
        unchoosing.emplace_back("accSelect to remove", [list](int row) { select_as_assistive_technology(list, row, SELFLAG_REMOVESELECTION); });
    } else {
        std::printf("note: oleacc selects no line of a list box here (accSelect: 0x%08lx); its messages stand in\n",
                    static_cast<unsigned long>(msaa));
    }
    const int count = static_cast<int>(tools().size());
    for (const auto& [way, choose] : choosing) {
        for (int i = 0; i < count; ++i) {
            const int row = (probe.chosen_tool() + 1) % count;  // each choice another tool
            choose(row);
            expect(shows(row), way + ": " + std::string(tools()[static_cast<std::size_t>(row)].title));
        }
    }
    const int predict = static_cast<int>(find_tool("predict") - tools().data());
    probe.choose_tool(predict);
    probe.enter(0, "5k");
    for (const auto& [way, unchoose] : unchoosing) {
        unchoose(predict);
        expect(shows(predict) && probe.entry_shown(0) == "5k", way + " keeps the tool shown");
    }
}

// Tab goes down each column, then to the next on the right; Alt+T and Alt+R reach the
// list of tools and the report's first table, Alt+U the unit setting, and Alt+L presses Clear.
void check_keyboard(HWND window, Win32PanelProbe& probe) {
    const HWND tools_list = GetDlgItem(window, IDC_TOOLBOX_TOOLS);
    HWND at = tools_list;
    for (HWND next; (next = GetNextDlgTabItem(window, at, FALSE)) != tools_list; at = next) {
        const RECT a = place(at), b = place(next);
        expect(b.left >= a.right || b.top >= a.top, "Tab from " + std::to_string(GetDlgCtrlID(at)) + " follows the layout");
    }
    SetFocus(GetDlgItem(window, entry_control(0, ENTRY_FIELD)));
    press('t', VK_MENU);
    expect(GetFocus() == tools_list, "Alt+T");
    press('r', VK_MENU);
    expect(is_class(GetFocus(), WC_LISTVIEWW), "Alt+R");
    press('u', VK_MENU);
    expect(GetFocus() == GetDlgItem(window, IDC_TOOLBOX_UNITS), "Alt+U");
    probe.enter(0, "10k");
    press('l', VK_MENU);
    expect(probe.entry_shown(0).empty(), "Alt+L clears");
}

// At 200 % the font and every place double; back at 100 % they are as they were.
void check_scale(HWND window) {
    const HWND field = GetDlgItem(window, entry_control(0, ENTRY_FIELD));
    const RECT before = place(field);
    RECT outer;
    GetWindowRect(window, &outer);
    for (const UINT dpi : {192u, 96u}) {
        const int factor = dpi / 96;
        RECT suggested{outer.left, outer.top, outer.left + (outer.right - outer.left) * factor,
                       outer.top + (outer.bottom - outer.top) * factor};
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        const RECT now = place(field);
        const double ratio = double(now.right - now.left) / (before.right - before.left);
        expect(ratio > factor * 0.9 && ratio < factor * 1.1 && now.left > before.left * factor * 0.9 - 1,
               "at " + std::to_string(dpi) + " dpi the field is " + std::to_string(ratio) + " times as wide");
        check_layout(window, "at " + std::to_string(dpi) + " dpi");
    }
}

std::wstring saved_path;

// Runs inside the Save dialog's loop: names the file and presses Save.
void CALLBACK fill_save_dialog(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindWindowW(L"#32770", nullptr);
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, timer);
    const int file_name = 1148;  // the file name box of the Explorer-style dialog
    SetDlgItemTextW(dialog, file_name, saved_path.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

// A report with a document offers to save it; one without has nothing to save.
void check_documents(HWND window) {
    ToolPanelView& panel = *toolbox_panel(window);
    Report report;
    report.headlines.push_back({"race", "race", Unit::None, {"5 km"}});
    report.documents.push_back({"text", "band.txt", "text/plain", "1 km 4:00\n"});
    panel.show_report(report);
    panel.set_report_current(true);
    const HWND save = GetDlgItem(window, IDC_TOOLBOX_SAVE);
    expect(window_text(save) == "Save TXT\u2026" && IsWindowEnabled(save), "a document's Save button");
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    saved_path = std::wstring(folder) + L"quorran-band.txt";
    DeleteFileW(saved_path.c_str());
    SetTimer(nullptr, 0, 100, fill_save_dialog);
    SendMessageW(save, BM_CLICK, 0, 0);
    std::ifstream file(narrow(saved_path), std::ios::binary);
    expect(std::string(std::istreambuf_iterator<char>(file), {}) == "1 km 4:00\n", "the document saved as it is");
    file.close();
    DeleteFileW(saved_path.c_str());
    panel.set_report_current(false);
    expect(!IsWindowEnabled(save), "no saving a greyed report");
    panel.show_report({});
    expect(window_text(GetDlgItem(window, IDC_TOOLBOX_SAVE)) == std::string(SAVE_AS_LABEL) &&
               !IsWindowEnabled(GetDlgItem(window, IDC_TOOLBOX_SAVE)), "nothing to save");
}

// The report's scroll bar and where the report stands on it (-1: no bar shown).
int report_position(HWND window) {
    const HWND bar = GetDlgItem(window, IDC_TOOLBOX_REPORT_SCROLL);
    return IsWindowVisible(bar) ? GetScrollPos(bar, SB_CTL) : -1;
}

void scroll(HWND window, WORD request, WORD thumb = 0) {
    SendMessageW(window, WM_VSCROLL, MAKEWPARAM(request, thumb),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_TOOLBOX_REPORT_SCROLL)));
    pump();
}

// The report's controls shown, in reading order.
std::vector<HWND> shown_report(HWND window) {
    std::vector<HWND> shown;
    for (const HWND c : children(window)) {
        const int id = GetDlgCtrlID(c);
        if (((id >= IDC_TOOLBOX_REPORT && id < IDC_TOOLBOX_SAVE) || id >= IDC_TOOLBOX_DRAWING) && IsWindowVisible(c))
            shown.push_back(c);
    }
    return shown;
}

// A report of that many headlines, a label and a value each, under its main answer.
Report headlines(int count) {
    Report report;
    report.headlines.push_back({"time", "time", Unit::None, {"3:30:00"}, false, true});
    for (int i = 1; i <= count; ++i) report.headlines.push_back({"km", "km " + std::to_string(i), Unit::None, {"4:59"}});
    return report;
}

// A report taller than the monitor's work area (a run's, with its headlines, notes, chart
// and tables, and many more headlines) grows the window as far as the work area goes, then
// scrolls: at every position the main answer stays, and no report control shown leaves
// the window or covers another, the scroll bar or a Save button; scrolled to its end, the
// last item (the run's last note) is shown above the Save buttons, and every item has been
// shown on the way. The scroll bar's arrows, its pages, its thumb, the wheel and the keys
// move it; a new report starts at its top. A report that fits the window at its tallest
// has no scroll bar; one headline more, and it has.
void check_report_scrolls(HWND window, Win32PanelProbe& probe) {
    ToolPanelView& panel = *toolbox_panel(window);
    RECT before{};
    GetWindowRect(window, &before);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const int tallest = monitor.rcWork.bottom - monitor.rcWork.top;

    const Tool& run = *find_tool("run");
    Entries given = unit_entries(run, probe.units());
    for (const EntryField& f : entry_fields(run))
        if (f.kind == EntryKind::File) given.emplace_back(f.name, probe.sample_run("fit/garmin-fenix-5-run.fit"));
    Report tall = run_tool(run, given).report;
    expect(!tall.notes.empty() && tall.tables.size() >= 2 && !tall.drawings.empty(), "the run's report: notes, tables, a chart");
    for (int i = 1; i <= 40; ++i) tall.headlines.push_back({"km", "km " + std::to_string(i), Unit::None, {"4:59"}});
    panel.set_report_current(true);
    panel.show_report(tall);
    pump();
    RECT outer{};
    GetWindowRect(window, &outer);
    expect(outer.bottom - outer.top == tallest, "a tall report: the window grows to the work area's height");
    expect(report_position(window) == 0, "a tall report: the scroll bar shown, at the top");

    // The Save buttons are made anew with a report of another shape.
    const HWND answer = GetDlgItem(window, IDC_TOOLBOX_MAIN_ANSWER), save = GetDlgItem(window, IDC_TOOLBOX_SAVE);
    std::vector<HWND> seen;
    int position = 0;
    for (int steps = 0; steps < 200; ++steps) {
        const std::string at = "scrolled to " + std::to_string(position);
        check_layout(window, at);
        expect(IsWindowVisible(answer) && !window_text(answer).empty(), at + ": the main answer shown");
        for (const HWND c : shown_report(window)) {
            expect(place(c).top >= place(answer).bottom, at + ": control " + std::to_string(GetDlgCtrlID(c)) + " below the main answer");
            if (std::find(seen.begin(), seen.end(), c) == seen.end()) seen.push_back(c);
        }
        scroll(window, SB_LINEDOWN);
        if (report_position(window) == position) break;
        expect(report_position(window) == position + 1, at + ": a row down");
        position = report_position(window);
    }
    expect(position > 0, "a tall report scrolls");
    // The last item in reading order is the highest of the report's ids below the drawings'.
    HWND last = nullptr;
    for (const HWND c : children(window))
        if (GetDlgCtrlID(c) >= IDC_TOOLBOX_REPORT && GetDlgCtrlID(c) < IDC_TOOLBOX_SAVE &&
            (!last || GetDlgCtrlID(c) > GetDlgCtrlID(last)))
            last = c;
    RECT client{};
    GetClientRect(window, &client);
    const RECT end = place(last);
    expect(last && window_text(last) == shown_text(tall.notes.back()) && IsWindowVisible(last) && end.top >= 0 &&
               end.bottom <= place(save).top && end.bottom <= client.bottom,
           "scrolled to the end: the last note shown whole above the Save buttons");
    for (const HWND c : children(window)) {
        const int id = GetDlgCtrlID(c);
        if (id >= IDC_TOOLBOX_REPORT && id < IDC_TOOLBOX_SAVE)
            expect(std::find(seen.begin(), seen.end(), c) != seen.end(), "report control " + std::to_string(id) + " reached");
    }

    const struct {
        std::string way;
        std::function<void()> act;
        int position;
    } steps[] = {
        {"the top", [&] { scroll(window, SB_TOP); }, 0},
        {"the thumb", [&] { scroll(window, SB_THUMBTRACK, 3); }, 3},
        {"a row up", [&] { scroll(window, SB_LINEUP); }, 2},
        {"the thumb let go", [&] { scroll(window, SB_THUMBPOSITION, 1); }, 1},
        {"the end", [&] { scroll(window, SB_BOTTOM); }, position},
        {"the thumb past the end", [&] { scroll(window, SB_THUMBTRACK, static_cast<WORD>(position + 5)); }, position},
        {"the wheel towards the user", [&] {
             scroll(window, SB_TOP);
             SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)), 0);
         }, 2},
        {"the wheel away", [&] { SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0); }, 1},
        {"a page down", [&] { scroll(window, SB_PAGEDOWN); }, -2},
        {"Down on the scroll bar", [&] {
             scroll(window, SB_TOP);
             SetFocus(GetDlgItem(window, IDC_TOOLBOX_REPORT_SCROLL));
             press(VK_DOWN);
         }, 1},
        {"End on the scroll bar", [&] { press(VK_END); }, position},
        {"Home on the scroll bar", [&] { press(VK_HOME); }, 0},
        {"a new report", [&] {
             scroll(window, SB_BOTTOM);
             panel.show_report(tall);
         }, 0},
    };
    for (const auto& step : steps) {
        const int from = report_position(window);
        step.act();
        pump();
        // -2: a page down goes further than a row and no further than the end.
        const int now = report_position(window);
        expect(step.position == -2 ? now > from + 1 && now <= position : now == step.position,
               step.way + ": at " + std::to_string(now));
        check_layout(window, step.way);
    }
    // The scroll bar is in the Tab order, after the report, before Save (when it can be pressed).
    const HWND bar = GetDlgItem(window, IDC_TOOLBOX_REPORT_SCROLL), after = GetNextDlgTabItem(window, bar, FALSE);
    expect(GetNextDlgTabItem(window, after, TRUE) == bar && (after == save || !IsWindowEnabled(save)),
           "Tab reaches the scroll bar before Save");

    // At the work area's height, the most headlines that fit and one more.
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, tallest, SWP_NOMOVE | SWP_NOZORDER);
    int fits = 1;
    while (fits < 200) {
        panel.show_report(headlines(fits + 1));
        if (report_position(window) >= 0) break;
        ++fits;
    }
    for (const int count : {fits, fits + 1}) {
        panel.show_report(headlines(count));
        pump();
        const std::string with = std::to_string(count) + " headlines";
        const std::vector<HWND> shown = shown_report(window);
        expect((report_position(window) < 0) == (count == fits), with + ": a scroll bar only when they do not fit");
        expect(count != fits || shown.size() == 2 * static_cast<std::size_t>(count + 1), with + ": every one shown");
        expect(!shown.empty() && place(shown.back()).bottom <= place(GetDlgItem(window, IDC_TOOLBOX_SAVE)).top,
               with + ": the last shown above Save");
        check_layout(window, with);
    }
    panel.show_report({});
    expect(report_position(window) < 0, "no report, no scroll bar");
    SetWindowPos(window, nullptr, 0, 0, before.right - before.left, before.bottom - before.top, SWP_NOMOVE | SWP_NOZORDER);
}

// What the registry keeps is what was typed, however odd, as a string value that another
// reader of the key reads back; an empty text deletes the value.
void check_registry() {
    RegDeleteTreeW(HKEY_CURRENT_USER, TEST_KEY);
    RegistryMemory memory(TEST_KEY);
    expect(memory.recall("units").empty(), "the registry: nothing kept yet");
    const std::string texts[] = {"3,1", " 5k ", "10 \u043a\u043c", "%USERPROFILE%", "a\\b", std::string(79, '9'), "1/2"};
    for (const std::string& text : texts) {
        memory.remember("entry.distance", text);
        expect(RegistryMemory(TEST_KEY).recall("entry.distance") == text, "the registry keeps '" + text + "'");
    }
    DWORD type = 0;
    expect(RegGetValueW(HKEY_CURRENT_USER, TEST_KEY, L"entry.distance", RRF_RT_ANY, &type, nullptr, nullptr) == ERROR_SUCCESS &&
               type == REG_SZ, "the registry: a string value");
    memory.remember("entry.distance", "");
    expect(RegGetValueW(HKEY_CURRENT_USER, TEST_KEY, L"entry.distance", RRF_RT_ANY, nullptr, nullptr, nullptr) ==
               ERROR_FILE_NOT_FOUND, "the registry: an empty text deletes the value");
    RegDeleteTreeW(HKEY_CURRENT_USER, TEST_KEY);
}

// A first run shows the units of the user's locale: miles where it measures as the
// United States do, km where it is metric.
void check_first_run_units() {
    RegistryMemory memory(TEST_KEY);
    Win32PanelProbe probe(memory);
    wchar_t measure[2] = {}, locale[LOCALE_NAME_MAX_LENGTH] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IMEASURE, measure, 2);
    GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
    expect(probe.units() == (measure[0] == L'1' ? Units::Miles : Units::Km), "a first run in " + narrow(locale) + ": its units");
    DestroyWindow(probe.window());
    pump();
    RegDeleteTreeW(HKEY_CURRENT_USER, TEST_KEY);
}

// GDI on a bitmap at 8 px a mm, telling what it drew.
class GdiPainterProbe final : public testing::PainterProbe {
public:
    static constexpr double SCALE = 8;
    std::vector<Mark> paint(const Drawing& drawing) override {
        const HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
        const HBITMAP bitmap = CreateCompatibleBitmap(screen, static_cast<int>(drawing.width * SCALE) + 1,
                                                      static_cast<int>(drawing.height * SCALE) + 1);
        const HGDIOBJ before = SelectObject(dc, bitmap);
        std::vector<Mark> marks;
        {
            GdiPainter gdi(dc, SCALE, {0, 0}, &marks);
            quorran::paint(drawing, gdi);
        }
        SelectObject(dc, before);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        return marks;
    }
    double tolerance() const override { return 1.2 / SCALE; }  // a text: its anchor and its width's part each to a pixel
};

// The same shapes, and the same texts at the same places, as every other painter; and the
// plan's band in the report, named and described for a screen reader.
void check_drawings(Win32PanelProbe& probe) {
    GdiPainterProbe gdi;
    for (const auto& failure : testing::check_painter(gdi)) expect(false, "GDI: " + failure);
    const Tool& plan = *find_tool("plan");
    probe.choose_tool(static_cast<int>(&plan - tools().data()));
    probe.clear();
    probe.enter(0, "marathon");
    probe.enter(1, "3:30:00");
    const HWND picture = GetDlgItem(probe.window(), IDC_TOOLBOX_DRAWING);
    RECT place{};
    expect(picture && IsWindowVisible(picture) && GetWindowRect(picture, &place) && place.bottom - place.top >= 40,
           "the pace band shown in the report");
    expect(!GetDlgItem(probe.window(), IDC_TOOLBOX_DRAWING + 1), "one drawing, the band's");
    check_layout(probe.window(), "the plan with its band");
}

void check_toolbox() {
    RegDeleteTreeW(HKEY_CURRENT_USER, TEST_KEY);
    RegistryMemory memory(TEST_KEY);
    Win32PanelProbe probe(memory);
    for (const auto& failure : check_panel_behaviour(probe)) expect(false, failure);
    check_drawings(probe);
    const HWND window = probe.window();
    // A bare pace in laps, per km as the suite leaves the units: copied with CR LF line ends.
    const Tool& laps = *find_tool("laps");
    const auto laps_fields = entry_fields(laps, Units::Km);
    const int pace = static_cast<int>(std::find_if(laps_fields.begin(), laps_fields.end(), [](const EntryField& f) { return f.name == "pace"; }) -
                                      laps_fields.begin());
    probe.choose_tool(static_cast<int>(&laps - tools().data()));
    probe.enter(pace, "4:00");
    Entries given = unit_entries(laps, Units::Km);
    given.emplace_back("pace", "4:00");
    const std::string copied = report_tsv(run_tool(laps, given).report);
    std::string lines;
    for (const char c : copied) c == '\n' ? lines += "\r\n" : lines += c;
    probe.copy();
    expect(Win32PanelProbe::clipboard_text(CF_TEXT) == lines, "Ctrl+C: text with CR LF line ends");
    // C alone copies nothing; Ctrl+C in a field with text selected copies that text.
    copy_text(window, "");
    press('C');
    expect(Win32PanelProbe::clipboard_text(CF_UNICODETEXT).empty(), "C alone");
    const HWND field = GetDlgItem(window, entry_control(pace, ENTRY_FIELD));
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, 2);
    press('C', VK_CONTROL);
    expect(Win32PanelProbe::clipboard_text(CF_UNICODETEXT) == "4:", "Ctrl+C in a field copies its selection");
    check_every_tool(window, probe);
    check_every_way_of_choosing(window, probe);
    check_shorter_table(probe);
    check_keyboard(window, probe);
    check_scale(window);
    check_documents(window);
    check_report_scrolls(window, probe);
    SetFocus(GetDlgItem(window, entry_control(0, ENTRY_FIELD)));
    press(VK_ESCAPE);
    expect(!IsWindow(window) && !toolbox_window(), "Escape closes the toolbox");
    RegDeleteTreeW(HKEY_CURRENT_USER, TEST_KEY);
}

// ---- From the pace dialog ------------------------------------------------------------

HWND the_dialog = nullptr;

// Runs inside the menu's loop: reads the one item, then chooses it with Enter.
void CALLBACK choose_menu_item(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const HWND menu_window = FindWindowW(L"#32768", nullptr);
    const HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menu_window, MN_GETHMENU, 0, 0));
    wchar_t item[64] = {};
    GetMenuStringW(menu, 0, item, 64, MF_BYPOSITION);
    expect(menu && GetMenuItemCount(menu) == 1 && narrow(item) == TOOLBOX_MENU_ITEM, "Alt+Space: the toolbox item");
    PostMessageW(menu_window, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(the_dialog, WM_APP + 1, 0, 0);
}

// Alt+Space in the dialog, the item chosen: the toolbox opens beside the dialog, which
// stays usable, and the toolbox's keys work inside the dialog's loop.
INT_PTR CALLBACK driver(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            the_dialog = dialog;
            PostMessageW(dialog, WM_APP, 0, 0);
            break;
        case WM_APP:
            ShowWindow(dialog, SW_SHOWNORMAL);  // the dialog manager would show it once its queue is empty
            SetTimer(nullptr, 0, 100, choose_menu_item);
            PostMessageW(GetFocus(), WM_SYSCHAR, ' ', 1 << 29);
            return TRUE;
        case WM_APP + 1:
            if (!toolbox_window() && wparam < 100) return PostMessageW(dialog, WM_APP + 1, wparam + 1, 0);  // menu closing
            expect(toolbox_window() && IsWindowEnabled(dialog) && !GetWindow(toolbox_window(), GW_OWNER),
                   "the toolbox opens beside the dialog");
            if (toolbox_window()) PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageW(dialog, WM_APP + 2, 0, 0);
            return TRUE;
        case WM_APP + 2:
            expect(!toolbox_window() && IsWindowVisible(dialog), "Escape closes the toolbox, not the dialog");
            EndDialog(dialog, 0);
            return TRUE;
    }
    return main_dialog_proc(dialog, message, wparam, lparam);
}

}  // namespace

int main() {
    FileSystemRuns files;  // the run tool's, as the program's
    use_run_files(&files);
    // A dialog nobody answers (a fault) ends the test; the checks take about 40 s alone, and
    // twice that on this machine while it builds.
    SetTimer(nullptr, 0, 150000, [](HWND, UINT, UINT_PTR, DWORD) { std::puts("FAILED: time out"), ExitProcess(2); });
    check_registry();
    check_first_run_units();
    check_toolbox();
    RegistryMemory memory(TEST_KEY);
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(QUORRAN_IDD_MAIN), nullptr, driver, reinterpret_cast<LPARAM>(&memory));
    RegDeleteTreeW(HKEY_CURRENT_USER, TEST_KEY);
    std::printf(failures ? "%d check(s) failed\n" : "all checks passed\n", failures);
    return failures ? 1 : 0;
}
