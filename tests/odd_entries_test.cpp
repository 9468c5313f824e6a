// The odd entries of tests/odd_entries.txt through the toolbox's own behaviour, as a window
// takes them: each read, refused or marked as the command line and the page take it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/toolbox/entry_forms.h"
#include "core/toolbox/tool_panel.h"
#include "odd_entries.h"
#include "tests/memory_panel.h"

namespace quorran {
namespace {

struct Row {
    std::string line, tool;
    std::vector<std::pair<std::string, std::string>> entries;
    std::string what, name, rest;  // "refuses", "time", "must be above zero"
};

std::string_view next_word(std::string_view& text) {
    text = trimmed(text);
    const std::size_t blank = text.find(' ');
    const std::string_view word = text.substr(0, blank);
    text = blank == std::string_view::npos ? std::string_view() : trimmed(text.substr(blank));
    return word;
}

std::vector<Row> rows() {
    std::vector<Row> all;
    std::string_view table = ODD_ENTRIES;
    while (!table.empty()) {
        const std::size_t end = table.find('\n');
        const std::string_view line = table.substr(0, end);
        table = end == std::string_view::npos ? std::string_view() : table.substr(end + 1);
        if (trimmed(line).empty() || line.starts_with('#')) continue;
        const std::size_t bar = line.find('|'), last = line.rfind('|');
        Row row{std::string(line), std::string(trimmed(line.substr(0, bar))), {}, {}, {}, {}};
        std::string_view entries = line.substr(bar + 1, last - bar - 1);
        while (!trimmed(entries).empty()) {
            const std::size_t equals = entries.find('=');
            std::string_view value = trimmed(entries.substr(equals + 1));
            std::size_t after;
            if (value.starts_with('"')) {
                after = value.find('"', 1);
                row.entries.emplace_back(trimmed(entries.substr(0, equals)), value.substr(1, after - 1));
                after = value.find(';', after);
            } else {
                after = value.find(';');
                row.entries.emplace_back(trimmed(entries.substr(0, equals)), trimmed(value.substr(0, after)));
            }
            entries = after == std::string_view::npos ? std::string_view() : value.substr(after + 1);
        }
        std::string_view what = line.substr(last + 1);
        row.what = next_word(what);
        row.name = next_word(what);
        row.rest = what;
        all.push_back(std::move(row));
    }
    return all;
}

TEST(OddEntries, TheTableIsRead) {
    const std::vector<Row> all = rows();
    EXPECT_GE(all.size(), 60u);
    for (const Row& row : all) {
        EXPECT_TRUE(find_tool(row.tool) != nullptr) << row.line;
        EXPECT_TRUE(row.what == "reads" || row.what == "refuses" || row.what == "marks") << row.line;
    }
}

// Each row typed into the tool's entries in the window's own behaviour.
TEST(OddEntries, ReadAlikeInTheToolPanel) {
    for (const Row& row : rows()) {
        testing::MemoryPanel panel;
        KeptInMemory memory;
        ToolboxCommands commands(panel, memory);
        commands.open(row.tool, Units::Miles);
        for (const auto& given : row.entries) {
            const auto at = std::find_if(panel.entries.begin(), panel.entries.end(),
                                         [&given](const EntryField& f) { return f.name == given.first; });
            // A flag that reads bare values in km is the unit setting in a window.
            if (at == panel.entries.end() && given.second == "on") {
                commands.on_units_chosen(Units::Km);
                continue;
            }
            ASSERT_NE(at, panel.entries.end()) << row.line;
            const int entry = static_cast<int>(at - panel.entries.begin());
            panel.set_entry_text(entry, given.second);
            commands.on_entry_changed(entry);
        }
        const auto mark_of = [&](std::string_view name) {
            for (std::size_t i = 0; i < panel.entries.size(); ++i)
                if (panel.entries[i].name == name) return panel.marks[i];
            return std::string("(no such entry)");
        };
        std::string marks;
        for (const std::string& m : panel.marks) marks += m;
        if (row.what == "refuses") {
            EXPECT_TRUE(mark_of(row.name).starts_with(row.rest)) << row.line << "\n  marked: " << mark_of(row.name);
            EXPECT_FALSE(panel.current) << row.line;
        } else {
            EXPECT_EQ(marks, "") << row.line;
            EXPECT_TRUE(panel.current && !panel.report.headlines.empty()) << row.line;
            if (row.what == "marks") {
                EXPECT_TRUE(panel.report.has_note(row.name)) << row.line;
            }
        }
    }
}

}  // namespace
}  // namespace quorran
