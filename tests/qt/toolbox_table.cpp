// Prints the tool table as the toolbox window shows it in km, for the checks over the
// accessibility bus (tool_choice_check.py): the units, the tool list's label and the report's name,
// each tool's name and title, and each entry's name, label (as a screen reader names its
// field), kind, example, default, tooltip, choices, and whether the command line takes
// it as a positional argument.
#include <cstdio>

#include "core/toolbox/json_writer.h"
#include "core/toolbox/tool_panel.h"

int main() {
    using namespace quorran;
    JsonWriter j;
    j.begin_object().field("units", "km").field("tools_label", PANEL_TOOLS_LABEL);
    j.field("report_name", without_mnemonic(PANEL_REPORT_LABEL)).key("tools").begin_array();
    for (const Tool& tool : tools()) {
        j.begin_object().field("name", tool.name).field("title", tool.title).key("entries").begin_array();
        for (const EntryField& f : entry_fields(tool, Units::Km)) {
            j.begin_object().field("name", f.name).field("label", without_mnemonic(f.label));
            j.field("kind", entry_kind_word(f.kind)).field("example", f.placeholder).field("text", f.text);
            j.field("tooltip", f.tooltip).field("positional", find_param(tool, f.name)->positional);
            j.key("choices").begin_array();
            for (const EntryChoice& c : f.choices) j.begin_object().field("value", c.value).field("label", c.label).end_object();
            j.end_array().end_object();
        }
        j.end_array().end_object();
    }
    std::puts(j.end_array().end_object().text().c_str());
}
