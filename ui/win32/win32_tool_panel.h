#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/toolbox/report_scroll.h"
#include "core/toolbox/tool_panel.h"
#include "ui/win32/control_setup.h"

namespace quorran {

// The toolbox window's controls by identifier: the window's own (the unit setting and
// Clear among them, and the main answer over the report with what it is), each entry's in
// a block of its own, the report's texts and tables in reading order, and one Save button
// a document.
inline constexpr int IDC_TOOLBOX_TOOLS_LABEL = 100;
inline constexpr int IDC_TOOLBOX_TOOLS = 101;
inline constexpr int IDC_TOOLBOX_REPORT_LABEL = 102;
inline constexpr int IDC_TOOLBOX_UNITS_LABEL = 103;
inline constexpr int IDC_TOOLBOX_UNITS = 104;
inline constexpr int IDC_TOOLBOX_CLEAR = 105;
inline constexpr int IDC_TOOLBOX_MAIN_LABEL = 106;
inline constexpr int IDC_TOOLBOX_MAIN_ANSWER = 107;
inline constexpr int IDC_TOOLBOX_REPORT_SCROLL = 108;  // beside the report, when it does not fit
inline constexpr int IDC_TOOLBOX_ENTRY = 1000;
inline constexpr int IDS_PER_ENTRY = 16;
inline constexpr int IDC_TOOLBOX_REPORT = 2000;
inline constexpr int IDC_TOOLBOX_SAVE = 3000;
inline constexpr int IDC_TOOLBOX_DRAWING = 4000;  // the report's drawings, painted with GDI

// The parts of an entry (the unit beside it only when it has one, Open… only beside a
// file's name); shortcut k is ENTRY_SHORTCUT + k.
enum EntryPart { ENTRY_LABEL, ENTRY_FIELD, ENTRY_MARK, ENTRY_UNIT, ENTRY_OPEN, ENTRY_SHORTCUT };

constexpr int entry_control(int entry, int part) { return IDC_TOOLBOX_ENTRY + entry * IDS_PER_ENTRY + part; }

// The label of the Save button when the report has no document to save.
inline constexpr std::string_view SAVE_AS_LABEL = "Save as\u2026";

// ToolPanelView on a window's children, made at run time from what the commands show:
// a list of the tools; the unit setting (a drop-down list of km and miles) and Clear; each
// entry a labelled field (a drop-down list for a choice, a check box for a flag) with the
// unit a bare value takes and its shortcut buttons beside it and, below it, the words that
// say why it cannot be read; the report's main answer in large type, then the report as
// texts and one list view a table, and its drawings (a pace band, a run's chart) painted
// with GDI to fit their place; a report taller than its room above the Save buttons
// scrolls by whole rows, a scroll bar beside it. Every place is in dialog units of the
// window's font, which follows the window's monitor (set_dpi).
class Win32ToolPanel final : public ToolPanelView {
public:
    explicit Win32ToolPanel(HWND window);
    ~Win32ToolPanel() override;
    Win32ToolPanel(const Win32ToolPanel&) = delete;
    Win32ToolPanel& operator=(const Win32ToolPanel&) = delete;

    void show_tools(std::span<const std::string> titles) override;
    void show_tool(int index, std::span<const EntryField> entries) override;
    void highlight_tool(int index) override;
    void show_units(Units units) override;
    std::string entry_text(int entry) const override;
    void set_entry_text(int entry, std::string_view text) override;
    void mark_entry(int entry, std::string_view problem) override;
    void show_report(const Report& report) override;
    void set_report_current(bool current) override;
    void copy_to_clipboard(std::string_view text) override;
    // The common file dialog, the runs' extensions first, then all files.
    std::optional<std::string> ask_file_to_open(int entry, std::span<const std::string_view> extensions) override;

    // The tool the list has selected, and the units the unit setting has.
    int selected_tool() const;
    Units chosen_units() const;
    // True while the panel itself changes an entry: that change is not the user's.
    bool setting() const { return setting_; }
    // The document a Save button saves, or null.
    const Document* document(int index) const;

    // The font for a monitor of that many dots per inch, and the places to match.
    void set_dpi(UINT dpi);
    // Places every control for the window's client area, in reading order, which is also
    // the Tab order.
    void layout();
    // The client area's size at first and at least, in pixels.
    SIZE preferred_size() const;
    SIZE minimum_size() const;
    // The report scrolled as the scroll bar asks (WM_VSCROLL's request and thumb), or by
    // the wheel's turn (WM_MOUSEWHEEL's delta): false when it is shown whole.
    void on_scroll(int request, int thumb);
    bool on_wheel(int delta);

private:
    struct Entry {
        EntryField field;
        HWND label = nullptr;
        HWND control = nullptr;
        HWND unit = nullptr;
        HWND mark = nullptr;
        HWND open = nullptr;
        std::vector<HWND> shortcuts;
    };
    enum class ReportPart { HeadlineLabel, HeadlineValue, Title, Table, Drawing, Note };
    struct ReportItem {
        ReportPart part;
        HWND control;
    };
    struct Place {
        HWND control;
        RECT units;  // left, top, width, height in dialog units
    };
    // Where the report's items go: from top, room high, and the index in the places of
    // the first item, the others following it in order.
    struct ReportRoom {
        int top = 0;
        int room = 0;
        std::size_t first = 0;
    };

    static LRESULT CALLBACK drawing_proc(HWND control, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                         DWORD_PTR panel);
    static LRESULT CALLBACK tools_proc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR panel);
    HWND add(const wchar_t* window_class, std::string_view text, DWORD style, int id, DWORD ex_style = 0);
    void destroy(HWND control);
    void clear_entries();
    void add_entry(int index, const EntryField& field);
    HWND report_control(ReportPart part, bool build);
    void fill_report(bool build);
    void fill_table(HWND list, const Table& table, bool build);
    void show_main_answer();
    void fit_columns(HWND list, const Table& table) const;
    void add_save_buttons();
    std::vector<Place> places(bool scroll_bar, ReportRoom& report) const;
    bool grow_to_fit(const std::vector<Place>& all) const;
    ReportRows report_rows_of(const std::vector<Place>& all, const ReportRoom& report) const;
    void scroll_report(std::vector<Place>& all, const ReportRoom& report, const ReportRows& rows);
    void scroll_to(std::size_t position);
    int entries_width() const;
    int entries_height(std::size_t count, bool flags_only) const;
    int text_width(std::string_view text) const;
    int text_height(HWND control, int width, HFONT font) const;
    int to_pixels_x(int units) const { return MulDiv(units, base_x_, 4); }
    int to_pixels_y(int units) const { return MulDiv(units, base_y_, 8); }

    HWND window_;
    HWND tools_ = nullptr;
    HWND units_ = nullptr;
    HWND main_answer_ = nullptr;
    HWND scroll_bar_ = nullptr;
    int highlighted_ = -1;  // the tool the list has selected, as the panel last selected it
    HWND tooltip_ = nullptr;
    HFONT font_ = nullptr;
    HFONT large_font_ = nullptr;    // the main answer's
    int base_x_ = 6, base_y_ = 13;  // the font's dialog base units, in pixels
    int tools_width_ = 0;           // the longest title's, in dialog units
    int entries_width_ = 0;         // the widest tool's entries
    int unit_width_ = 0;            // the widest unit beside an entry's
    int entries_height_ = 0;        // the tallest tool's
    std::vector<Entry> entries_;
    std::vector<ReportItem> report_items_;
    std::size_t report_cursor_ = 0;
    // The report's rows and room as last laid out, the row at its top, and a part of a
    // notch the wheel has turned.
    std::vector<ReportRow> report_rows_;
    int report_room_ = 0;
    std::size_t scroll_ = 0;
    int wheel_pending_ = 0;
    std::vector<HWND> saves_;
    std::string report_shape_;
    Report report_;
    bool current_ = true;
    bool setting_ = false;
    ControlAnnotations annotations_;
};

// Puts text on the clipboard as Unicode text, each line ending in CR LF as Windows
// programs expect; Windows offers it as ANSI text too.
void copy_text(HWND owner, std::string_view text);

}  // namespace quorran
