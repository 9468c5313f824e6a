#include "tests/memory_panel.h"

namespace quorran::testing {

void MemoryPanel::show_tools(std::span<const std::string> all) { titles.assign(all.begin(), all.end()); }

void MemoryPanel::show_tool(int index, std::span<const EntryField> fields) {
    shown_tool = highlighted_tool = index;
    entries.assign(fields.begin(), fields.end());
    marks.assign(fields.size(), "");
}

void MemoryPanel::highlight_tool(int index) { highlighted_tool = index; }

void MemoryPanel::show_units(Units shown) { units = shown; }

std::string MemoryPanel::entry_text(int entry) const { return entries.at(static_cast<std::size_t>(entry)).text; }

void MemoryPanel::set_entry_text(int entry, std::string_view text) { entries.at(static_cast<std::size_t>(entry)).text = text; }

void MemoryPanel::mark_entry(int entry, std::string_view problem) { marks.at(static_cast<std::size_t>(entry)) = problem; }

void MemoryPanel::show_report(const Report& shown) { report = shown; }

void MemoryPanel::set_report_current(bool is_current) { current = is_current; }

void MemoryPanel::copy_to_clipboard(std::string_view text) { clipboard = text; }

std::optional<std::string> MemoryPanel::ask_file_to_open(int, std::span<const std::string_view>) { return file_chosen; }

std::vector<std::string> report_texts(const Report& report) {
    std::vector<std::string> texts;
    for (const Headline& h : report.headlines) {
        if (!h.self_described) texts.push_back(h.label);
        texts.push_back(shown_text(h.cell, report));
    }
    for (const Table& t : report.tables) {
        if (!t.title.empty()) texts.push_back(t.title);
        for (const Column& c : t.columns) texts.push_back(c.label);
        for (const auto& row : t.rows)
            for (const Cell& c : row) texts.push_back(shown_text(c, report));
    }
    for (const Note& n : report.notes) texts.push_back(shown_text(n));
    return texts;
}

}  // namespace quorran::testing
