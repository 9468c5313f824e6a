#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/toolbox/tool_panel.h"

namespace quorran::testing {

// The toolbox window held in memory, as a user would see it: the tools listed, the tool
// shown and the one the list highlights, the entries, the marks beside them, the report and whether it is greyed,
// and the clipboard.
class MemoryPanel final : public ToolPanelView {
public:
    std::vector<std::string> titles;
    int shown_tool = -1;
    int highlighted_tool = -1;  // the list's choice
    Units units = Units::Km;    // the unit setting shown
    std::vector<EntryField> entries;
    std::vector<std::string> marks;
    Report report;
    bool current = true;
    std::string clipboard;
    std::optional<std::string> file_chosen;  // what the file dialog is answered with; nothing: cancelled

    void show_tools(std::span<const std::string> all) override;
    void show_tool(int index, std::span<const EntryField> fields) override;
    void highlight_tool(int index) override;
    void show_units(Units shown) override;
    std::string entry_text(int entry) const override;
    void set_entry_text(int entry, std::string_view text) override;
    void mark_entry(int entry, std::string_view problem) override;
    void show_report(const Report& shown) override;
    void set_report_current(bool is_current) override;
    void copy_to_clipboard(std::string_view text) override;
    std::optional<std::string> ask_file_to_open(int entry, std::span<const std::string_view> extensions) override;
};

// Every text of a report in reading order: each headline's label and text, each table's
// title, header and cells, each note.
std::vector<std::string> report_texts(const Report& report);

}  // namespace quorran::testing
