#pragma once

#include "core/toolbox/tool_panel.h"

namespace quorran {

// The toolbox on the page: each view operation handed to the page script (app.js),
// which draws the tool's entries and its report from what the core gives, as JSON, and
// hands every user action back to ToolboxCommands. No tool has code of its own here.
class WebToolPanelView final : public ToolPanelView {
public:
    void show_tools(std::span<const std::string> titles) override;
    void show_tool(int index, std::span<const EntryField> entries) override;
    void show_units(Units units) override;
    // The address names the tool again, and its link is marked current.
    void highlight_tool(int index) override;
    std::string entry_text(int entry) const override;
    void set_entry_text(int entry, std::string_view text) override;
    void mark_entry(int entry, std::string_view problem) override;
    void show_report(const Report& report) override;
    void set_report_current(bool current) override;
    void copy_to_clipboard(std::string_view text) override;
};

}  // namespace quorran
