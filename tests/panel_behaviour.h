#pragma once

#include <string>

#include "core/toolbox/tool_panel.h"
#include <string_view>
#include <vector>

namespace quorran::testing {

// A front end's toolbox window as the panel-behaviour suite drives and reads it, through
// the toolkit's own widgets, as a user would.
class PanelProbe {
public:
    virtual ~PanelProbe() = default;
    // The tools the window lists, by title, in order.
    virtual std::vector<std::string> tools() = 0;
    // The tool the list highlights: selected and current alike (-1 when they disagree or
    // none is), and the one the user chooses.
    virtual int chosen_tool() = 0;
    virtual void choose_tool(int index) = 0;
    // Takes the list's choice off the chosen tool without choosing another, as far as the
    // toolkit lets a user or an assistive technology (the chosen item unselected, an
    // address that names no tool).
    virtual void choose_no_tool() = 0;
    // The entries' labels as shown, the mnemonic's & left out.
    virtual std::vector<std::string> labels() = 0;
    // Types into a field (replacing its text), chooses a choice's value, or ticks a flag
    // ("on") or clears it (""), as a user would.
    virtual void enter(int entry, std::string_view text) = 0;
    virtual std::string entry_shown(int entry) = 0;
    virtual void press_shortcut(int entry, int shortcut) = 0;
    // The problem shown beside an entry; empty when there is none.
    virtual std::string mark(int entry) = 0;
    // Every text of the report shown, in reading order (headline labels and texts, table
    // titles, headers and cells, notes), and whether it is shown as current (not greyed).
    virtual std::vector<std::string> report() = 0;
    virtual bool report_current() = 0;
    // Copy (Ctrl+C), and what the clipboard then holds.
    virtual void copy() = 0;
    virtual std::string clipboard() = 0;
    // The main answer as shown first and largest, blanks around it left out; empty when
    // none is shown.
    virtual std::string main_answer() = 0;
    // The unit setting as shown, and the user choosing it.
    virtual Units units() = 0;
    virtual void choose_units(Units units) = 0;
    // The unit shown beside an entry for a bare value ("km", "/mi"); empty when none.
    virtual std::string unit_beside(int entry) = 0;
    // Clear: the entries kept forgotten.
    virtual void clear() = 0;
    // Whether a File entry's name can be typed, as well as opened with Open… or a drop:
    // the page opens only a file the user hands it, and shows its name.
    virtual bool opens_files_by_name() { return true; }
    // The name this window opens the sample run tests/runs/NAME by.
    virtual std::string sample_run(std::string_view name) = 0;
    // Open… beside a File entry, its file dialog answered with the name (empty: cancelled).
    virtual void open_file(int entry, std::string_view name) = 0;
    // Files dropped on the window, from the file manager.
    virtual void drop_files(const std::vector<std::string>& names) = 0;
    // The window closed and opened again, as on the next run of the program (a reload
    // of the page), on the tool of that index, with what it keeps.
    virtual void restart(int tool) = 0;
};

// What every front end's toolbox window must do. Returns the checks that failed.
std::vector<std::string> check_panel_behaviour(PanelProbe& panel);

}  // namespace quorran::testing
