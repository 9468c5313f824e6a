#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/toolbox/report.h"
#include "core/toolbox/tool_list.h"
#include "core/toolbox/tool_runner.h"

// The toolbox window's behaviour, free of any window system: which tools it lists, which
// entries the tool shown has and what they hold at first, when the report is made again,
// what an entry that cannot be read is told, and what is copied. A front end implements
// ToolPanelView and hands each user action to ToolboxCommands; every tool of the table
// then appears in its window with no code of its own.
namespace quorran {

// The unit a window reads a bare distance, pace or speed in, and gives splits in: chosen
// once for every tool (on the command line, --km and QUORRAN_UNITS).
enum class Units { Miles, Km };

// Where a window keeps what the runner typed and the unit setting, from tool to tool and
// from one run of the program to the next (the page's localStorage, QSettings, the
// registry): short texts by short keys.
class EntryMemory {
public:
    virtual ~EntryMemory() = default;
    // The text kept under the key; empty when there is none.
    virtual std::string recall(std::string_view key) const = 0;
    // Keeps the text under the key; an empty text forgets it.
    virtual void remember(std::string_view key, std::string_view text) = 0;
};

// Entries kept for the life of the window alone: the tests', and a page's whose browser
// keeps nothing.
class KeptInMemory final : public EntryMemory {
public:
    std::string recall(std::string_view key) const override;
    void remember(std::string_view key, std::string_view text) override;

private:
    std::vector<std::pair<std::string, std::string>> kept_;
};

enum class EntryKind {
    Text,    // a field to type in
    Choice,  // one of a few values: radio buttons or a drop-down list
    Flag,    // on or off: a check box
    File,    // a file to open: its name, and an Open… button
};

struct EntryChoice {
    std::string value;  // what entry_text gives when it is chosen
    std::string label;
};

// One entry of the tool shown, as the window draws it.
struct EntryField {
    std::string name;         // the param's name: the page's field id, the test's handle
    std::string label;        // with & before its mnemonic letter: "&Distance"
    EntryKind kind = EntryKind::Text;
    std::string placeholder;  // an example of what it takes: "10k", or "10" beside its unit
    std::string unit;         // what a bare number is in, shown beside the field: "km", "/mi"; empty: none
    std::string tooltip;      // the forms it accepts, in words
    std::string input_hint;   // "decimal" for a plain number not below zero, "text" otherwise (a phone's keyboard)
    std::vector<EntryChoice> choices;    // a Choice's values
    std::vector<EntryChoice> shortcuts;  // values offered as buttons beside a field ("Marathon")
    std::string text;         // what it holds when the tool is shown
};

class ToolPanelView {
public:
    virtual ~ToolPanelView() = default;
    // The tools by title, once, when the window opens.
    virtual void show_tools(std::span<const std::string> titles) = 0;
    // Shows the tool of that index as the one chosen, with its entries.
    virtual void show_tool(int index, std::span<const EntryField> entries) = 0;
    // Shows the unit setting as chosen.
    virtual void show_units(Units units) = 0;
    // Marks the tool of that index as the one chosen in the list again, and nothing else
    // (its entries stay as they are): the list's selection and its current item.
    virtual void highlight_tool(int index) = 0;
    // An entry's text: a Text field's, a Choice's value, "on" or "" for a Flag.
    virtual std::string entry_text(int entry) const = 0;
    virtual void set_entry_text(int entry, std::string_view text) = 0;
    // Marks an entry that cannot be read, saying why in words a screen reader reads too;
    // an empty problem clears the mark.
    virtual void mark_entry(int entry, std::string_view problem) = 0;
    // Shows the report of the entries as they are now (an empty report: nothing yet).
    virtual void show_report(const Report& report) = 0;
    // false greys the report shown: the last good one stays while an entry is wrong.
    virtual void set_report_current(bool current) = 0;
    virtual void copy_to_clipboard(std::string_view text) = 0;
    // Asks which file to open for the entry, with the window's own file dialog, offering
    // the files whose names end in one of the extensions, and all files; nothing when the
    // runner cancels. A window that picks its files in its own way (the page) asks nothing.
    virtual std::optional<std::string> ask_file_to_open(int entry, std::span<const std::string_view> extensions) {
        (void)entry, (void)extensions;
        return std::nullopt;
    }
};

// The toolbox window's title on every desktop, and its menu entry's name.
inline constexpr std::string_view TOOLBOX_CAPTION = "Quorran Toolbox";

// The labels of the window's own controls, whose mnemonics the entries' must not take.
inline constexpr std::string_view PANEL_TOOLS_LABEL = "&Tool";
inline constexpr std::string_view PANEL_REPORT_LABEL = "&Result";
// The report's document actions, where a window prints or saves as one file.
inline constexpr std::string_view PANEL_PRINT_LABEL = "Pri&nt\u2026";
inline constexpr std::string_view PANEL_SAVE_PDF_LABEL = "Save as PD&F\u2026";
inline constexpr std::string_view PANEL_SAVE_LABEL = "Sa&ve\u2026";
// The unit setting, its two choices, and the action that empties the entries kept.
inline constexpr std::string_view PANEL_UNITS_LABEL = "&Units";
inline constexpr std::string_view PANEL_KM_LABEL = "km";
inline constexpr std::string_view PANEL_MILES_LABEL = "miles";
inline constexpr std::string_view PANEL_CLEAR_LABEL = "C&lear";
// The button beside a File entry that asks for the file with the window's file dialog.
inline constexpr std::string_view PANEL_OPEN_LABEL = "&Open\u2026";
inline constexpr std::string_view PANEL_OWN_LABELS[] = {PANEL_TOOLS_LABEL, PANEL_REPORT_LABEL, PANEL_PRINT_LABEL,
                                                        PANEL_SAVE_PDF_LABEL, PANEL_SAVE_LABEL, PANEL_UNITS_LABEL,
                                                        PANEL_CLEAR_LABEL, PANEL_OPEN_LABEL};

// The files a File entry's dialog offers first: the recorded runs a watch makes.
inline constexpr std::string_view RUN_FILE_EXTENSIONS[] = {"gpx", "tcx", "fit"};

// How far a recorded run's distance may lie from a race's, as a share of the race, and
// still be that race, for the plan remembered for it. A watch measures a certified
// course long, by 1 to 2 %: the course is measured along the shortest path a runner can
// take, and runners weave round others and corners while the positions wander. The
// races that lie closest together (15 km and 10 miles, 7 % apart; 20 km and the half
// marathon, 5.5 %) are still not taken for each other.
inline constexpr double RUN_IS_THE_RACE_TOLERANCE = 0.03;
bool run_is_the_race(double run_metres, double race_metres);

// The unit setting where none is kept yet: miles in the United States, km elsewhere, by
// the language tag of the user's locale ("en-US", "en_US.UTF-8", "de-DE").
Units units_for_locale(std::string_view locale);

class ToolboxCommands {
public:
    ToolboxCommands(ToolPanelView& view, EntryMemory& memory);

    // Lists the tools and shows the one of that name (the first when there is none such),
    // with the entries and the unit setting kept, or for a first run the locale's units.
    void open(std::string_view tool_name = {}, Units locale_units = Units::Km);
    // The list's selection changed, however it was changed (keys, mouse, an assistive
    // technology): to the tool of that index, or to none (-1). Another tool is shown;
    // the same one, or none, keeps the tool shown as it is and has the list mark it again.
    void on_tool_chosen(int index);
    // The user changed an entry (typed, chose, ticked): the report follows at once.
    void on_entry_changed(int entry);
    // The user pressed a shortcut button beside an entry.
    void on_shortcut(int entry, int shortcut);
    // Copy: the report shown, as tab-separated text.
    void on_copy();
    // The user chose the units: every tool reads bare values and splits in them from now on.
    void on_units_chosen(Units units);
    // Clear: every entry kept is forgotten, the plan remembered too, and the tool shown
    // starts afresh.
    void on_clear();
    // Open… beside an entry: the file the runner picks is its text.
    void on_open(int entry);
    // A file to open, dropped on the window or named on the command line: the tool shown
    // takes it when it has a File entry, else the table's first tool that has one is
    // shown for it. Its name is that entry's text.
    void on_file_opened(std::string_view name);
    // Files dropped on the window: one is opened; several are refused (false), as which
    // one the runner meant is not known.
    bool on_files_dropped(std::span<const std::string> names);

    const Tool& tool() const { return tools()[tool_]; }
    Units units() const { return units_; }

private:
    void show(std::size_t tool, bool file_opened = false);
    // Reads the entries and shows the report; a file just opened gets the plan remembered
    // when the run is its race.
    void recompute(bool file_opened = false);
    void remember_plan(const Outcome& outcome);
    bool offer_plan(const Entries& given);
    int entry_named(std::string_view name) const;

    ToolPanelView& view_;
    EntryMemory& memory_;
    Units units_ = Units::Km;
    std::size_t tool_ = 0;
    std::vector<const Param*> entries_;  // the params shown, in entry order
    std::string copied_;                 // the last good report as tab-separated text
};

// Whether an entry, or any entry of a tool, is a file to open (the run tool's).
bool takes_file(const Param& p);
bool takes_file(const Tool& tool);

// The kind as one word, as the page and the checks over the accessibility bus name it:
// "text", "choice", "flag" or "file".
std::string_view entry_kind_word(EntryKind kind);

// A label as a name, for a screen reader or a page that has no mnemonics: "&Tool" is "Tool".
std::string without_mnemonic(std::string_view label);

// The entries a window shows for a tool: its params but the command line's own and the
// flags the unit setting stands for, each labelled with a mnemonic letter of its own, a
// bare value's unit beside it.
std::vector<EntryField> entry_fields(const Tool& tool, Units units = Units::Km);

// The entries of a tool that the unit setting stands for in a window: the flags that read
// bare values in km, on when the units are km.
Entries unit_entries(const Tool& tool, Units units);

// A report as tab-separated text: headlines as label and text, then each table with
// its title and header, a blank line between.
std::string report_tsv(const Report& report);

}  // namespace quorran
