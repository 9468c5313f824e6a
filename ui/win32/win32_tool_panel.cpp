#include "ui/win32/win32_tool_panel.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "core/numbers/text_limit.h"
#include "core/toolbox/entry_forms.h"
#include "ui/win32/gdi_painter.h"
#include "ui/win32/wide_text.h"

namespace quorran {

namespace {

constexpr WPARAM LONGEST_PATH = 32767;

// The layout, in dialog units: the margins and spacing of Windows' own dialogs, and the
// sizes of their controls.
constexpr int MARGIN = 7;
constexpr int GAP = 4;
constexpr int LABEL_HEIGHT = 8;           // one line of text
constexpr int FIELD_HEIGHT = 14;          // a field, a drop-down list, a button
constexpr int CHECK_HEIGHT = 10;
constexpr int TOP = MARGIN + LABEL_HEIGHT + 3;  // below the column labels
constexpr int SETTINGS_HEIGHT = FIELD_HEIGHT + 2 * GAP;  // the unit setting and Clear, above the entries
constexpr int UNITS_WIDTH = 48;
constexpr int MAIN_ANSWER_SCALE_NUMERATOR = 3;  // the main answer's type, half as large again as the rest
constexpr int MAIN_ANSWER_SCALE_DENOMINATOR = 2;
constexpr int TOOLS_MIN_WIDTH = 64;
constexpr int LIST_PADDING = 12;          // a list's text to its edges and a scroll bar
constexpr int LABEL_WIDTH = 64;
constexpr int FIELD_WIDTH = 84;
constexpr int MARK_LINES = 3;             // the longest refusal, what the forms are, wraps to three
constexpr int ENTRIES_MIN_WIDTH = 260;
constexpr int HEADLINE_LABEL_WIDTH = 76;
constexpr int REPORT_WIDTH = 240;
constexpr int REPORT_MIN_WIDTH = 180;
constexpr int REPORT_MIN_HEIGHT = 250;
constexpr int TABLE_MIN_HEIGHT = 40;
constexpr int SCROLL_BAR_WIDTH = 10;      // a vertical scroll bar's, as Windows draws it at 96 dpi
constexpr int BUTTON_PADDING = 16;        // a button's text to its edges, both sides
constexpr int TOOLTIP_WIDTH = 240;
constexpr int CELL_PADDING = 12;          // a list's cell text to the column's edges, both sides

constexpr int mark_height() { return MARK_LINES * LABEL_HEIGHT; }

int row_height(EntryKind kind) {
    return (kind == EntryKind::Flag ? CHECK_HEIGHT : FIELD_HEIGHT) + 1 + mark_height() + GAP;
}

// What decides which controls a report needs: its headlines, its tables' columns, its
// notes and documents. A report of the same shape reuses the controls shown.
std::string shape_of(const Report& report) {
    std::string shape;
    for (const Headline& h : report.headlines) shape += h.self_described ? 's' : 'h';
    for (const Table& t : report.tables) {
        shape += t.title.empty() ? "t" : "T";
        for (const Column& c : t.columns) shape += c.names ? 'n' : 'v';
    }
    shape.append(report.notes.size(), 'n');
    shape.append(report.documents.size(), 'd');
    shape.append(report.drawings.size(), 'p');
    return shape;
}

void set_text(HWND control, std::string_view text) {
    if (window_text(control) != text) SetWindowTextW(control, wide(text).c_str());
}

UINT system_dpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

}  // namespace

Win32ToolPanel::Win32ToolPanel(HWND window) : window_(window) {
    tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, window,
                               nullptr, nullptr, nullptr);
    add(L"Static", PANEL_TOOLS_LABEL, SS_LEFT, IDC_TOOLBOX_TOOLS_LABEL);
    tools_ = add(L"ListBox", "", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_GROUP, IDC_TOOLBOX_TOOLS,
                 WS_EX_CLIENTEDGE);
    annotations_.name(tools_, without_mnemonic(PANEL_TOOLS_LABEL));
    SetWindowSubclass(tools_, tools_proc, 0, reinterpret_cast<DWORD_PTR>(this));
    add(L"Static", PANEL_UNITS_LABEL, SS_LEFT, IDC_TOOLBOX_UNITS_LABEL);
    units_ = add(L"ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, IDC_TOOLBOX_UNITS);
    for (const auto& [units, label] : {std::pair{Units::Km, PANEL_KM_LABEL}, std::pair{Units::Miles, PANEL_MILES_LABEL}}) {
        const LRESULT at = SendMessageW(units_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(label).c_str()));
        SendMessageW(units_, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(units));
    }
    annotations_.name(units_, without_mnemonic(PANEL_UNITS_LABEL));
    add(L"Button", PANEL_CLEAR_LABEL, BS_PUSHBUTTON | WS_TABSTOP, IDC_TOOLBOX_CLEAR);
    add(L"Static", PANEL_REPORT_LABEL, SS_LEFT, IDC_TOOLBOX_REPORT_LABEL);
    add(L"Static", "", SS_LEFT | SS_NOPREFIX, IDC_TOOLBOX_MAIN_LABEL);
    main_answer_ = add(L"Static", "", SS_LEFT | SS_NOPREFIX, IDC_TOOLBOX_MAIN_ANSWER);
    // In the Tab order, so the arrow keys, Page Up and Down, Home and End scroll the report too.
    scroll_bar_ = add(L"ScrollBar", "", SBS_VERT | WS_TABSTOP | WS_GROUP, IDC_TOOLBOX_REPORT_SCROLL);
    ShowWindow(scroll_bar_, SW_HIDE);
    annotations_.name(scroll_bar_, without_mnemonic(PANEL_REPORT_LABEL));
    add_save_buttons();
    // Every tool's entries take the same place, so the window keeps its size as tools change.
    for (const Tool& tool : tools()) {
        int height = 0;
        for (const EntryField& f : entry_fields(tool)) height += row_height(f.kind);
        entries_height_ = std::max(entries_height_, height);
    }
    set_report_current(true);
}

Win32ToolPanel::~Win32ToolPanel() {
    DestroyWindow(tooltip_);
    if (font_) DeleteObject(font_);
    if (large_font_) DeleteObject(large_font_);
}

HWND Win32ToolPanel::add(const wchar_t* window_class, std::string_view text, DWORD style, int id, DWORD ex_style) {
    const HWND control =
        CreateWindowExW(ex_style, window_class, wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    if (font_) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
}

void Win32ToolPanel::destroy(HWND control) {
    annotations_.forget(control);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    DestroyWindow(control);
}

// ---- The tools and the entries -------------------------------------------------------

void Win32ToolPanel::show_tools(std::span<const std::string> titles) {
    SendMessageW(tools_, LB_RESETCONTENT, 0, 0);
    for (const std::string& title : titles)
        SendMessageW(tools_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(title).c_str()));
}

int Win32ToolPanel::selected_tool() const { return static_cast<int>(SendMessageW(tools_, LB_GETCURSEL, 0, 0)); }

// The list tells the window of a selection the user makes with the mouse or the keys, but
// not of one made with its own messages, as another program or an accessibility proxy
// that sends them makes it: that one is told as a user's is.
LRESULT CALLBACK Win32ToolPanel::tools_proc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                            DWORD_PTR data) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(list, tools_proc, id);
    const LRESULT result = DefSubclassProc(list, message, wparam, lparam);
    const auto* panel = reinterpret_cast<const Win32ToolPanel*>(data);
    const bool selects = message == LB_SETCURSEL || message == LB_SELECTSTRING || message == LB_SETSEL ||
                         message == LB_SETCARETINDEX;
    if (selects && !panel->setting_ && DefSubclassProc(list, LB_GETCURSEL, 0, 0) != panel->highlighted_)
        SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(IDC_TOOLBOX_TOOLS, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return result;
}

Units Win32ToolPanel::chosen_units() const {
    const LRESULT chosen = SendMessageW(units_, CB_GETCURSEL, 0, 0);
    return SendMessageW(units_, CB_GETITEMDATA, static_cast<WPARAM>(chosen), 0) == static_cast<LRESULT>(Units::Km) ? Units::Km
                                                                                                                 : Units::Miles;
}

// Not a choice of the user's: the window hands no notification of it to the commands.
void Win32ToolPanel::show_units(Units units) {
    setting_ = true;
    for (LRESULT i = 0; i < SendMessageW(units_, CB_GETCOUNT, 0, 0); ++i)
        if (SendMessageW(units_, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == static_cast<LRESULT>(units))
            SendMessageW(units_, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    setting_ = false;
}

void Win32ToolPanel::highlight_tool(int index) {
    highlighted_ = index;
    setting_ = true;
    SendMessageW(tools_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    setting_ = false;
}

void Win32ToolPanel::show_tool(int index, std::span<const EntryField> entries) {
    highlight_tool(index);
    clear_entries();
    for (std::size_t i = 0; i < entries.size(); ++i) add_entry(static_cast<int>(i), entries[i]);
    for (std::size_t i = 0; i < entries.size(); ++i) set_entry_text(static_cast<int>(i), entries[i].text);
    layout();
}

void Win32ToolPanel::clear_entries() {
    for (const Entry& e : entries_) {
        for (const HWND control : {e.label, e.control, e.unit, e.open, e.mark}) if (control) destroy(control);
        for (const HWND button : e.shortcuts) destroy(button);
    }
    entries_.clear();
}

// A Text entry is a field with its example as a cue banner, a Choice a drop-down list of
// its labels, a Flag a check box; each with the forms it takes as a tooltip, and the unit
// a bare value takes beside it.
void Win32ToolPanel::add_entry(int index, const EntryField& field) {
    Entry e{field, nullptr, nullptr, nullptr, nullptr, nullptr, {}};
    const std::string name = without_mnemonic(field.label);
    const int id = entry_control(index, ENTRY_FIELD);
    if (field.kind == EntryKind::Flag) {
        e.control = add(L"Button", field.label, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, id);
    } else {
        e.label = add(L"Static", field.label, SS_LEFT, entry_control(index, ENTRY_LABEL));
        if (field.kind == EntryKind::Choice) {
            e.control = add(L"ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, id);
            for (const EntryChoice& c : field.choices)
                SendMessageW(e.control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(c.label).c_str()));
        } else {
            e.control = add(L"Edit", "", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, id, WS_EX_CLIENTEDGE);
            // A file's name may be as long as a path can be on Windows.
            SendMessageW(e.control, EM_LIMITTEXT, field.kind == EntryKind::File ? LONGEST_PATH : TEXT_LIMIT, 0);
            SendMessageW(e.control, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(wide(field.placeholder).c_str()));
        }
        annotations_.name(e.control, name);
    }
    if (!field.unit.empty()) e.unit = add(L"Static", field.unit, SS_LEFT | SS_NOPREFIX, entry_control(index, ENTRY_UNIT));
    if (field.kind == EntryKind::File) e.open = add(L"Button", PANEL_OPEN_LABEL, BS_PUSHBUTTON | WS_TABSTOP, entry_control(index, ENTRY_OPEN));
    for (std::size_t k = 0; k < field.shortcuts.size(); ++k)
        e.shortcuts.push_back(add(L"Button", field.shortcuts[k].label, BS_PUSHBUTTON | WS_TABSTOP,
                                  entry_control(index, ENTRY_SHORTCUT + static_cast<int>(k))));
    e.mark = add(L"Static", "", SS_LEFT | SS_NOPREFIX, entry_control(index, ENTRY_MARK));
    const std::wstring forms = wide(field.tooltip);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(e.control);
    tool.lpszText = const_cast<wchar_t*>(forms.c_str());
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    entries_.push_back(std::move(e));
}

std::string Win32ToolPanel::entry_text(int entry) const {
    const Entry& e = entries_.at(static_cast<std::size_t>(entry));
    switch (e.field.kind) {
        case EntryKind::Flag:
            return SendMessageW(e.control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "on" : "";
        case EntryKind::Choice: {
            const auto chosen = static_cast<std::size_t>(SendMessageW(e.control, CB_GETCURSEL, 0, 0));
            return chosen < e.field.choices.size() ? e.field.choices[chosen].value : "";
        }
        default:
            return window_text(e.control);
    }
}

// Not a change of the user's: the window hands no notification of it to the commands.
void Win32ToolPanel::set_entry_text(int entry, std::string_view text) {
    const Entry& e = entries_.at(static_cast<std::size_t>(entry));
    setting_ = true;
    if (e.field.kind == EntryKind::Flag) {
        SendMessageW(e.control, BM_SETCHECK, text.empty() ? BST_UNCHECKED : BST_CHECKED, 0);
    } else if (e.field.kind == EntryKind::Choice) {
        const auto& choices = e.field.choices;
        const auto at = std::find_if(choices.begin(), choices.end(), [text](const EntryChoice& c) { return c.value == text; });
        SendMessageW(e.control, CB_SETCURSEL, at == choices.end() ? -1 : at - choices.begin(), 0);
    } else {
        set_text(e.control, text);
    }
    setting_ = false;
}

// The words beside the field, and the field's description, which a screen reader reads
// after its name.
void Win32ToolPanel::mark_entry(int entry, std::string_view problem) {
    const Entry& e = entries_.at(static_cast<std::size_t>(entry));
    if (window_text(e.mark) == problem) return;
    set_text(e.mark, problem);
    annotations_.describe(e.control, problem);
}

// ---- The report ------------------------------------------------------------------------

void Win32ToolPanel::show_report(const Report& report) {
    report_ = report;
    const std::string shape = shape_of(report);
    const bool build = shape != report_shape_;
    SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    if (build) {
        for (const ReportItem& item : report_items_) destroy(item.control);
        report_items_.clear();
        for (const HWND button : saves_) destroy(button);
        add_save_buttons();
        report_shape_ = shape;
    }
    fill_report(build);
    set_report_current(current_);
    scroll_ = 0, wheel_pending_ = 0;  // a new report shows from its top
    layout();  // a value or a note may take another line
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// The controls of the report in reading order, made anew (build) or as they stand.
HWND Win32ToolPanel::report_control(ReportPart part, bool build) {
    if (!build) return report_items_.at(report_cursor_++).control;
    if (part == ReportPart::Drawing) {
        const auto drawings = std::count_if(report_items_.begin(), report_items_.end(),
                                            [](const ReportItem& item) { return item.part == ReportPart::Drawing; });
        const HWND control = add(L"Static", "", SS_LEFT | SS_NOPREFIX, IDC_TOOLBOX_DRAWING + static_cast<int>(drawings));
        SetWindowSubclass(control, drawing_proc, static_cast<UINT_PTR>(drawings), reinterpret_cast<DWORD_PTR>(this));
        report_items_.push_back({part, control});
        ++report_cursor_;
        return control;
    }
    const int id = IDC_TOOLBOX_REPORT + static_cast<int>(report_items_.size());
    const HWND control = part == ReportPart::Table
        ? add(WC_LISTVIEWW, "", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP | WS_GROUP,
              id, WS_EX_CLIENTEDGE)
        : add(L"Static", "", SS_LEFT | SS_NOPREFIX, id);
    if (part == ReportPart::Table)
        SendMessageW(control, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    report_items_.push_back({part, control});
    ++report_cursor_;
    return control;
}

// The main answer in large type under what it is, named with what it is for screen
// readers ("marathon: 3:11:49"); nothing when the report has none.
void Win32ToolPanel::show_main_answer() {
    const Headline* main = report_.main_headline();
    const std::string text(main ? trimmed(shown_text(main->cell, report_)) : "");
    set_text(GetDlgItem(window_, IDC_TOOLBOX_MAIN_LABEL), main && !main->self_described ? main->label : "");
    set_text(main_answer_, text);
    annotations_.name(main_answer_, !main || main->self_described ? text : main->label + ": " + text);
}

// The main answer, then the headlines as a label and a value (a value that says what it
// is, alone), each table under its title, then the notes. A value and a table are named
// for screen readers.
void Win32ToolPanel::fill_report(bool build) {
    show_main_answer();
    report_cursor_ = 0;
    for (const Headline& h : report_.headlines) {
        if (!h.self_described) set_text(report_control(ReportPart::HeadlineLabel, build), h.label);
        const HWND value = report_control(ReportPart::HeadlineValue, build);
        set_text(value, shown_text(h.cell, report_));
        annotations_.name(value, h.label);
    }
    for (const Table& t : report_.tables) {
        if (!t.title.empty()) set_text(report_control(ReportPart::Title, build), t.title);
        const HWND list = report_control(ReportPart::Table, build);
        fill_table(list, t, build);
        annotations_.name(list, t.title.empty() ? without_mnemonic(PANEL_REPORT_LABEL) : t.title);
    }
    for (const Drawing& d : report_.drawings) {
        const HWND picture = report_control(ReportPart::Drawing, build);
        annotations_.name(picture, d.title);
        annotations_.describe(picture, d.text_alternative);
        InvalidateRect(picture, nullptr, TRUE);
    }
    for (const Note& n : report_.notes) set_text(report_control(ReportPart::Note, build), shown_text(n));
}

// A drawing of the report (the subclass's id is its index), as large as its place lets
// it be, its proportions kept, from its place's top left.
LRESULT CALLBACK Win32ToolPanel::drawing_proc(HWND control, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                              DWORD_PTR data) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(control, drawing_proc, id);
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefSubclassProc(control, message, wparam, lparam);
    const auto* panel = reinterpret_cast<const Win32ToolPanel*>(data);
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(control, &ps);
    RECT client;
    GetClientRect(control, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (id < panel->report_.drawings.size()) {
        const Drawing& d = panel->report_.drawings[id];
        if (d.width > 0 && d.height > 0) {
            GdiPainter gdi(dc, std::min(client.right / d.width, client.bottom / d.height));
            paint(d, gdi);
        }
    }
    EndPaint(control, &ps);
    return 0;
}

// Numbers right-aligned under a header that names their unit, names from the left. A
// list's first column is always drawn from the left, so the columns go in behind a
// first one that then goes.
void Win32ToolPanel::fill_table(HWND list, const Table& table, bool build) {
    if (build) {
        LVCOLUMNW first{};
        first.mask = LVCF_WIDTH;
        SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&first));
    }
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        const std::wstring header = wide(table.columns[i].label);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_FMT;
        column.fmt = table.columns[i].names ? LVCFMT_LEFT : LVCFMT_RIGHT;
        column.pszText = const_cast<wchar_t*>(header.c_str());
        SendMessageW(list, build ? LVM_INSERTCOLUMNW : LVM_SETCOLUMNW, i + (build ? 1 : 0), reinterpret_cast<LPARAM>(&column));
    }
    if (build) SendMessageW(list, LVM_DELETECOLUMN, 0, 0);

    const int rows = static_cast<int>(table.rows.size());
    for (int i = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); i-- > rows;)
        SendMessageW(list, LVM_DELETEITEM, i, 0);
    for (int i = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); i < rows; ++i) {
        LVITEMW item{};
        item.iItem = i;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    for (int i = 0; i < rows; ++i) {
        const auto& row = table.rows[static_cast<std::size_t>(i)];
        for (std::size_t j = 0; j < row.size(); ++j) {
            const std::wstring text = wide(shown_text(row[j], report_));
            LVITEMW item{};
            item.iSubItem = static_cast<int>(j);
            item.pszText = const_cast<wchar_t*>(text.c_str());
            SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
        }
    }
}

// One button a document, named by its file's kind ("Save SVG…"), or one that cannot be
// pressed while there is none.
void Win32ToolPanel::add_save_buttons() {
    saves_.clear();
    for (std::size_t i = 0; i < report_.documents.size(); ++i) {
        const std::string& file = report_.documents[i].file_name;
        std::string kind = file.substr(file.rfind('.') + 1);
        for (char& c : kind) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        saves_.push_back(add(L"Button", "Save " + kind + "\u2026", BS_PUSHBUTTON | WS_TABSTOP,
                             IDC_TOOLBOX_SAVE + static_cast<int>(i)));
    }
    if (saves_.empty()) saves_.push_back(add(L"Button", SAVE_AS_LABEL, BS_PUSHBUTTON | WS_TABSTOP, IDC_TOOLBOX_SAVE));
}

const Document* Win32ToolPanel::document(int index) const {
    const auto at = static_cast<std::size_t>(index);
    return index >= 0 && at < report_.documents.size() ? &report_.documents[at] : nullptr;
}

// A report that is not current is greyed: its texts and tables can no longer be used.
void Win32ToolPanel::set_report_current(bool current) {
    current_ = current;
    // The report's own label greys too, so a report not yet made reads as not current.
    for (const int id : {IDC_TOOLBOX_REPORT_LABEL, IDC_TOOLBOX_MAIN_LABEL, IDC_TOOLBOX_MAIN_ANSWER})
        EnableWindow(GetDlgItem(window_, id), current);
    for (const ReportItem& item : report_items_) EnableWindow(item.control, current);
    for (const HWND button : saves_) EnableWindow(button, current && !report_.documents.empty());
}

// ---- Size and place ------------------------------------------------------------------

// The message font Windows uses, at the monitor's scale, and its dialog base units: the
// average width of its letters and its height.
void Win32ToolPanel::set_dpi(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW face = metrics.lfMessageFont;
    face.lfHeight = MulDiv(face.lfHeight, static_cast<int>(dpi), static_cast<int>(system_dpi()));
    const HFONT old = font_, old_large = large_font_;
    font_ = CreateFontIndirectW(&face);
    face.lfHeight = MulDiv(face.lfHeight, MAIN_ANSWER_SCALE_NUMERATOR, MAIN_ANSWER_SCALE_DENOMINATOR);
    large_font_ = CreateFontIndirectW(&face);

    const HDC dc = GetDC(window_);
    const HGDIOBJ previous = SelectObject(dc, font_);
    TEXTMETRICW text{};
    GetTextMetricsW(dc, &text);
    SIZE letters{};
    GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    SelectObject(dc, previous);
    ReleaseDC(window_, dc);
    base_x_ = (letters.cx / 26 + 1) / 2;
    base_y_ = text.tmHeight;

    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(child == main_answer_ ? large_font_ : font_), TRUE);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, to_pixels_x(TOOLTIP_WIDTH));
    if (old) DeleteObject(old);
    if (old_large) DeleteObject(old_large);
    unit_width_ = 0;
    for (const Tool& tool : tools())
        for (const Units units : {Units::Miles, Units::Km})
            for (const EntryField& f : entry_fields(tool, units)) unit_width_ = std::max(unit_width_, text_width(f.unit));
    entries_width_ = entries_width();
    tools_width_ = TOOLS_MIN_WIDTH;
    for (const Tool& tool : tools()) tools_width_ = std::max(tools_width_, text_width(tool.title) + LIST_PADDING);
    layout();
}

int Win32ToolPanel::text_width(std::string_view text) const {
    const std::wstring w = wide(text);
    const HDC dc = GetDC(window_);
    const HGDIOBJ previous = SelectObject(dc, font_);
    SIZE size{};
    GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(window_, dc);
    return (size.cx * 4 + base_x_ - 1) / base_x_;
}

// The height a static's text takes at that width in that font, wrapped as the static
// wraps it; an empty one's, a line's.
int Win32ToolPanel::text_height(HWND control, int width, HFONT font) const {
    std::wstring text = wide(window_text(control));
    if (text.empty()) text = L" ";
    const HDC dc = GetDC(window_);
    const HGDIOBJ previous = SelectObject(dc, font);
    RECT r{0, 0, to_pixels_x(width), 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    SelectObject(dc, previous);
    ReleaseDC(window_, dc);
    return std::max(LABEL_HEIGHT, static_cast<int>((r.bottom * 8 + base_y_ - 1) / base_y_));
}

// The entries' column: a label, the field and its shortcuts, as wide as the widest tool
// needs.
int Win32ToolPanel::entries_width() const {
    int width = ENTRIES_MIN_WIDTH;
    for (const Tool& tool : tools())
        for (const EntryField& f : entry_fields(tool)) {
            int row = LABEL_WIDTH + 2 + FIELD_WIDTH + 2 + unit_width_;
            for (const EntryChoice& c : f.shortcuts) row += GAP + text_width(c.label) + BUTTON_PADDING;
            if (f.kind == EntryKind::File) row += GAP + text_width(without_mnemonic(PANEL_OPEN_LABEL)) + BUTTON_PADDING;
            width = std::max(width, row);
        }
    return width;
}

// Every control's place, the report's items unscrolled: with a scroll bar, they make
// room for it beside them.
std::vector<Win32ToolPanel::Place> Win32ToolPanel::places(bool scroll_bar, ReportRoom& report) const {
    RECT client{};
    GetClientRect(window_, &client);
    const SIZE least = minimum_size();
    const int width = static_cast<int>(std::max(client.right, least.cx) * 4 / base_x_);
    const int height = static_cast<int>(std::max(client.bottom, least.cy) * 8 / base_y_);
    std::vector<Place> all;
    const auto place = [&all](HWND control, int x, int y, int w, int h) { all.push_back({control, {x, y, w, h}}); };

    place(GetDlgItem(window_, IDC_TOOLBOX_TOOLS_LABEL), MARGIN, MARGIN, tools_width_, LABEL_HEIGHT);
    place(tools_, MARGIN, TOP, tools_width_, height - TOP - MARGIN);

    const int entries_x = MARGIN + tools_width_ + MARGIN, field_x = entries_x + LABEL_WIDTH + 2;
    // The unit setting, and Clear at the right, above the entries.
    place(GetDlgItem(window_, IDC_TOOLBOX_UNITS_LABEL), entries_x, TOP + 3, LABEL_WIDTH, LABEL_HEIGHT);
    place(units_, field_x, TOP, UNITS_WIDTH, FIELD_HEIGHT);
    const int clear_width = text_width(without_mnemonic(PANEL_CLEAR_LABEL)) + BUTTON_PADDING;
    place(GetDlgItem(window_, IDC_TOOLBOX_CLEAR), entries_x + entries_width_ - clear_width, TOP, clear_width, FIELD_HEIGHT);
    int y = TOP + SETTINGS_HEIGHT;
    for (const Entry& e : entries_) {
        // A check box carries its label and takes the whole row.
        const bool flag = e.field.kind == EntryKind::Flag;
        const int x0 = flag ? entries_x : field_x, field_height = flag ? CHECK_HEIGHT : FIELD_HEIGHT;
        if (e.label) place(e.label, entries_x, y + 3, LABEL_WIDTH, LABEL_HEIGHT);
        place(e.control, x0, y, flag ? entries_width_ : FIELD_WIDTH, field_height);
        if (e.unit) place(e.unit, field_x + FIELD_WIDTH + 2, y + 3, unit_width_, LABEL_HEIGHT);
        int x = field_x + FIELD_WIDTH + 2 + unit_width_;
        if (e.open) {
            const int w = text_width(without_mnemonic(PANEL_OPEN_LABEL)) + BUTTON_PADDING;
            place(e.open, x + GAP, y, w, FIELD_HEIGHT);
            x += GAP + w;
        }
        for (std::size_t k = 0; k < e.shortcuts.size(); ++k) {
            const int w = text_width(e.field.shortcuts[k].label) + BUTTON_PADDING;
            place(e.shortcuts[k], x + GAP, y, w, FIELD_HEIGHT);
            x += GAP + w;
        }
        place(e.mark, x0, y + field_height + 1, entries_x + entries_width_ - x0, mark_height());
        y += row_height(e.field.kind);
    }

    // The report fills the rest: the main answer first, under what it is, then headlines
    // and notes as tall as their text, the tables sharing what is left above the Save buttons.
    const int report_x = entries_x + entries_width_ + MARGIN, report_width = width - report_x - MARGIN;
    place(GetDlgItem(window_, IDC_TOOLBOX_REPORT_LABEL), report_x, MARGIN, report_width, LABEL_HEIGHT);
    place(GetDlgItem(window_, IDC_TOOLBOX_MAIN_LABEL), report_x, TOP, report_width, LABEL_HEIGHT);
    const int main_height = text_height(main_answer_, report_width, large_font_);
    place(main_answer_, report_x, TOP + LABEL_HEIGHT + 1, report_width, main_height);
    const int report_top = TOP + LABEL_HEIGHT + 1 + main_height + GAP;
    const int saves_y = height - MARGIN - FIELD_HEIGHT;
    report = {report_top, saves_y - GAP - report_top, all.size()};
    const int items_width = report_width - (scroll_bar ? SCROLL_BAR_WIDTH + GAP : 0);
    int fixed = 0, tables = 0, drawings = 0;
    for (std::size_t i = 0; i < report_items_.size(); ++i) {
        const ReportItem& item = report_items_[i];
        if (item.part == ReportPart::Table) ++tables;
        else if (item.part == ReportPart::Drawing) ++drawings;
        else if (item.part == ReportPart::Title) fixed += LABEL_HEIGHT + 2;
        else if (item.part == ReportPart::Note) fixed += text_height(item.control, items_width, font_) + 2;
        else if (item.part == ReportPart::HeadlineValue) {
            const bool labelled = i > 0 && report_items_[i - 1].part == ReportPart::HeadlineLabel;
            fixed += text_height(item.control, labelled ? items_width - HEADLINE_LABEL_WIDTH - GAP : items_width, font_) + 2;
        }
    }
    // A drawing shares the tables' room while each keeps its least height; with less, the
    // drawings give way (hidden) to the tables, whose numbers they only picture.
    const int room = report.room - fixed;
    const bool pictured = drawings > 0 && room / (tables + drawings) - GAP >= TABLE_MIN_HEIGHT;
    const int shares = tables + (pictured ? drawings : 0);
    const int table_height = shares ? std::max(TABLE_MIN_HEIGHT, room / shares - GAP) : 0;
    y = report_top;
    for (std::size_t i = 0; i < report_items_.size(); ++i) {
        const ReportItem& item = report_items_[i];
        switch (item.part) {
            case ReportPart::HeadlineLabel:
                place(item.control, report_x, y, HEADLINE_LABEL_WIDTH, LABEL_HEIGHT);
                break;
            case ReportPart::HeadlineValue: {
                const bool labelled = i > 0 && report_items_[i - 1].part == ReportPart::HeadlineLabel;
                const int x = labelled ? report_x + HEADLINE_LABEL_WIDTH + GAP : report_x, w = report_x + items_width - x;
                const int h = text_height(item.control, w, font_);
                place(item.control, x, y, w, h);
                y += h + 2;
                break;
            }
            case ReportPart::Title:
                place(item.control, report_x, y, items_width, LABEL_HEIGHT);
                y += LABEL_HEIGHT + 2;
                break;
            case ReportPart::Drawing:
                if (!pictured) {
                    place(item.control, report_x, y, items_width, 0);
                    break;
                }
                [[fallthrough]];
            case ReportPart::Table:
                place(item.control, report_x, y, items_width, table_height);
                y += table_height + GAP;
                break;
            case ReportPart::Note: {
                const int h = text_height(item.control, items_width, font_);
                place(item.control, report_x, y, items_width, h);
                y += h + 2;
                break;
            }
        }
    }
    place(scroll_bar_, report_x + report_width - SCROLL_BAR_WIDTH, report_top, SCROLL_BAR_WIDTH, report.room);
    int x = report_x;
    for (const HWND button : saves_) {
        const int w = text_width(window_text(button)) + BUTTON_PADDING;
        place(button, x, saves_y, w, FIELD_HEIGHT);
        x += w + GAP;
    }
    return all;
}

// Each control in its place and, one after the other, in the Tab order.
void Win32ToolPanel::layout() {
    if (!font_) return;
    ReportRoom report;
    std::vector<Place> all = places(false, report);
    if (grow_to_fit(all)) return;  // laid out again as the window takes its new size
    ReportRows rows = report_rows_of(all, report);
    // Taller than the window can grow: narrowed for the scroll bar, a text may take another line.
    if (last_position(rows.rows, report.room) > 0) {
        all = places(true, report);
        rows = report_rows_of(all, report);
    }
    scroll_report(all, report, rows);
    HDWP moves = BeginDeferWindowPos(static_cast<int>(all.size()));
    HWND after = HWND_TOP;
    for (const Place& p : all) {
        const RECT& u = p.units;
        moves = DeferWindowPos(moves, p.control, after, to_pixels_x(u.left), to_pixels_y(u.top), to_pixels_x(u.right),
                               to_pixels_y(u.bottom), SWP_NOACTIVATE);
        after = p.control;
    }
    EndDeferWindowPos(moves);
    // A report item out of sight gives the focus it had to the scroll bar, which brings it back.
    const bool scrolls = last_position(report_rows_, report_room_) > 0;
    for (std::size_t i = 0; i < report_items_.size(); ++i) {
        const HWND control = report_items_[i].control;
        const bool shown = all[report.first + i].units.bottom > 0;
        if (!shown && GetFocus() == control && scrolls) SetFocus(scroll_bar_);
        ShowWindow(control, shown ? SW_SHOWNA : SW_HIDE);
    }
    if (!scrolls && GetFocus() == scroll_bar_) SetFocus(GetNextDlgTabItem(window_, scroll_bar_, FALSE));
    ShowWindow(scroll_bar_, scrolls ? SW_SHOWNA : SW_HIDE);
    std::size_t table = 0;
    for (const ReportItem& item : report_items_)
        if (item.part == ReportPart::Table) fit_columns(item.control, report_.tables.at(table++));
}

// The report's items as rows: a headline's value joins its label, a table its title.
ReportRows Win32ToolPanel::report_rows_of(const std::vector<Place>& all, const ReportRoom& report) const {
    std::vector<ReportPiece> pieces;
    for (std::size_t i = 0; i < report_items_.size(); ++i) {
        const RECT& u = all[report.first + i].units;
        const ReportPart part = report_items_[i].part, before = i > 0 ? report_items_[i - 1].part : part;
        const bool joins = (part == ReportPart::HeadlineValue && before == ReportPart::HeadlineLabel) ||
                           (part == ReportPart::Table && before == ReportPart::Title);
        pieces.push_back({static_cast<int>(u.top) - report.top, static_cast<int>(u.bottom), joins});
    }
    return report_rows(pieces);
}

// The report's items moved up by the rows above its top, those out of sight given no
// height (and hidden), and the scroll bar told where the report stands.
void Win32ToolPanel::scroll_report(std::vector<Place>& all, const ReportRoom& report, const ReportRows& rows) {
    report_rows_ = rows.rows;
    report_room_ = report.room;
    const std::size_t last = last_position(rows.rows, report.room);
    scroll_ = std::min(scroll_, last);
    const int offset = rows.rows.empty() ? 0 : rows.rows[scroll_].top;
    for (std::size_t i = 0; i < report_items_.size(); ++i) {
        RECT& u = all[report.first + i].units;
        u.top -= offset;
        // A row alone taller than the room is cut at the room's bottom.
        const LONG below = report.top + report.room - u.top;
        u.bottom = row_shown(rows.rows, report.room, scroll_, rows.row_of[i]) ? std::min(u.bottom, below) : 0;
    }
    const int count = static_cast<int>(rows.rows.size());
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = std::max(0, count - 1);
    info.nPage = static_cast<UINT>(count - static_cast<int>(last));  // the rows shown at the end
    info.nPos = static_cast<int>(scroll_);
    SetScrollInfo(scroll_bar_, SB_CTL, &info, TRUE);
}

void Win32ToolPanel::scroll_to(std::size_t position) {
    if (position == scroll_) return;
    scroll_ = position;
    layout();
}

void Win32ToolPanel::on_scroll(int request, int thumb) {
    ScrollStep step{};
    switch (request) {
        case SB_LINEUP: step = ScrollStep::RowUp; break;
        case SB_LINEDOWN: step = ScrollStep::RowDown; break;
        case SB_PAGEUP: step = ScrollStep::PageUp; break;
        case SB_PAGEDOWN: step = ScrollStep::PageDown; break;
        case SB_TOP: step = ScrollStep::Top; break;
        case SB_BOTTOM: step = ScrollStep::Bottom; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: step = ScrollStep::To; break;
        default: return;  // SB_ENDSCROLL
    }
    scroll_to(scrolled(report_rows_, report_room_, scroll_, step, static_cast<std::size_t>(std::max(0, thumb))));
}

bool Win32ToolPanel::on_wheel(int delta) {
    if (last_position(report_rows_, report_room_) == 0) return false;
    const int rows = wheel_rows(wheel_pending_, delta);
    std::size_t position = scroll_;
    for (int i = 0; i < std::abs(rows); ++i)
        position = scrolled(report_rows_, report_room_, position, rows > 0 ? ScrollStep::RowDown : ScrollStep::RowUp);
    scroll_to(position);
    return true;
}

// A report taller than the room above the Save buttons (a run's, with its headlines, notes
// and four tables at their least) makes the window taller, as far as its monitor's work
// area goes. True when the window was made taller.
bool Win32ToolPanel::grow_to_fit(const std::vector<Place>& all) const {
    LONG bottom = 0, saves_top = 0;
    for (const Place& p : all) {
        const int id = GetDlgCtrlID(p.control);
        if (id >= IDC_TOOLBOX_REPORT && id < IDC_TOOLBOX_SAVE) bottom = std::max(bottom, p.units.top + p.units.bottom);
        else if (id >= IDC_TOOLBOX_SAVE) saves_top = p.units.top;
    }
    if (bottom + GAP <= saves_top) return false;
    RECT window{};
    GetWindowRect(window_, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
    const int now = window.bottom - window.top;
    const int height = std::min<int>(now + to_pixels_y(bottom + GAP - saves_top), monitor.rcWork.bottom - monitor.rcWork.top);
    if (height <= now) return false;
    SetWindowPos(window_, nullptr, 0, 0, window.right - window.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

// Each column as wide as its header or its widest cell, and the list's margins.
void Win32ToolPanel::fit_columns(HWND list, const Table& table) const {
    const auto width = [list](const std::string& text) {
        return static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(wide(text).c_str())));
    };
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        int widest = width(table.columns[i].label);
        for (const auto& row : table.rows) if (i < row.size()) widest = std::max(widest, width(shown_text(row[i], report_)));
        SendMessageW(list, LVM_SETCOLUMNWIDTH, i, widest + to_pixels_x(CELL_PADDING));
    }
}

SIZE Win32ToolPanel::minimum_size() const {
    const int width = MARGIN + tools_width_ + MARGIN + entries_width_ + MARGIN + REPORT_MIN_WIDTH + MARGIN;
    const int height = std::max(TOP + SETTINGS_HEIGHT + entries_height_ + MARGIN, REPORT_MIN_HEIGHT);
    return {to_pixels_x(width), to_pixels_y(height)};
}

SIZE Win32ToolPanel::preferred_size() const {
    const SIZE least = minimum_size();
    return {least.cx + to_pixels_x(REPORT_WIDTH - REPORT_MIN_WIDTH), least.cy};
}

// ---- The clipboard -------------------------------------------------------------------

void Win32ToolPanel::copy_to_clipboard(std::string_view text) { copy_text(window_, text); }

void copy_text(HWND owner, std::string_view text) {
    std::string lines;
    for (const char c : text) c == '\n' ? lines += "\r\n" : lines += c;
    const std::wstring unicode = wide(lines);
    const std::size_t bytes = (unicode.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return;
    std::memcpy(GlobalLock(memory), unicode.c_str(), bytes);
    GlobalUnlock(memory);
    if (!OpenClipboard(owner)) return static_cast<void>(GlobalFree(memory));
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    CloseClipboard();
}

// The file dialog opens where the last file was opened, as Windows keeps it for the program.
std::optional<std::string> Win32ToolPanel::ask_file_to_open(int entry, std::span<const std::string_view> extensions) {
    std::wstring patterns;
    for (const std::string_view extension : extensions) patterns += (patterns.empty() ? L"*." : L";*.") + wide(extension);
    const std::wstring filter = L"Recorded runs (" + patterns + L")" + L'\0' + patterns + L'\0' + L"All files (*.*)" + L'\0' +
                                L"*.*" + L'\0';
    const std::wstring title = wide(without_mnemonic(entries_.at(static_cast<std::size_t>(entry)).field.label));
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    return narrow(path);
}

}  // namespace quorran
