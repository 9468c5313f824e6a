#pragma once

#include "core/toolbox/tool_panel.h"

namespace quorran {

class ToolboxWindow;

// The toolbox's panel operations on the Qt window: it reads and writes the widgets that
// ToolboxWindow builds, and has it build them again for each tool and each report.
class QtToolPanel final : public ToolPanelView {
public:
    explicit QtToolPanel(ToolboxWindow& window);

    void show_tools(std::span<const std::string> titles) override;
    void show_tool(int index, std::span<const EntryField> entries) override;
    // The item selected and current at once.
    void highlight_tool(int index) override;
    void show_units(Units units) override;
    std::string entry_text(int entry) const override;
    void set_entry_text(int entry, std::string_view text) override;
    // The problem under the field (shown only when there is one) and as its accessible description.
    void mark_entry(int entry, std::string_view problem) override;
    void show_report(const Report& report) override;
    // Greys the report (its widgets disabled) and the document actions with it.
    void set_report_current(bool current) override;
    void copy_to_clipboard(std::string_view text) override;
    std::optional<std::string> ask_file_to_open(int entry, std::span<const std::string_view> extensions) override;

private:
    ToolboxWindow& window_;
};

}  // namespace quorran
