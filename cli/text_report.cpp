#include "cli/text_report.h"

#include <algorithm>
#include <vector>

namespace quorran::cli {
namespace {

constexpr std::size_t GAP = 2;  // blanks between columns

std::string padded(std::string text, std::size_t width, bool right) {
    const std::string blanks(width > text.size() ? width - text.size() : 0, ' ');
    return right ? blanks + text : text + blanks;
}

// The line of a row, without the blanks a last left-aligned cell would leave.
std::string row_line(const std::vector<std::string>& cells, const std::vector<std::size_t>& widths, const Table& t) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i)
        line += std::string(i == 0 ? 0 : GAP, ' ') + padded(cells[i], widths[i], !t.columns[i].names);
    return line.erase(line.find_last_not_of(' ') + 1);
}

std::string headlines_text(const Report& r) {
    std::size_t width = 0;
    for (const Headline& h : r.headlines)
        if (!h.self_described) width = std::max(width, h.label.size());
    std::string out;
    for (const Headline& h : r.headlines)
        out += (h.self_described ? "" : padded(h.label, width + GAP, false)) + (r.notes_apart ? h.cell.text : shown_text(h.cell, r)) + "\n";
    return out;
}

std::string table_text(const Table& t, const Report& r) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> header;
    bool labelled = false;
    for (const Column& c : t.columns) {
        header.push_back(c.label);
        labelled = labelled || !c.label.empty();
    }
    if (labelled) rows.push_back(header);
    for (const auto& row : t.rows) {
        std::vector<std::string> cells;
        for (const Cell& c : row) cells.push_back(r.notes_apart ? c.text : shown_text(c, r));
        rows.push_back(std::move(cells));
    }
    std::vector<std::size_t> widths(t.columns.size(), 0);
    for (const auto& row : rows)
        for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i) widths[i] = std::max(widths[i], row[i].size());
    std::string out = t.title.empty() ? "" : t.title + "\n";
    for (const auto& row : rows) out += row_line(row, widths, t) + "\n";
    return out;
}

}  // namespace

std::string report_text(const Report& r) {
    std::vector<std::string> sections;
    if (!r.headlines.empty()) sections.push_back(headlines_text(r));
    std::string out;
    for (const Table& t : r.tables) {
        // The dialog's own lists follow its result line by line, as the dialog shows them.
        if (!t.lines.empty() || t.rows.empty()) {
            if (sections.empty()) sections.emplace_back();
            for (const std::string& line : t.lines) sections.back() += line + "\n";
            continue;
        }
        sections.push_back(table_text(t, r));
    }
    std::string notes;
    for (const Note& n : r.notes)
        if (n.kind != NoteKind::Reading && !r.notes_apart) notes += shown_text(n) + "\n";
    if (!notes.empty()) sections.push_back(notes);
    for (std::size_t i = 0; i < sections.size(); ++i) out += (i ? "\n" : "") + sections[i];
    return out;
}

}  // namespace quorran::cli
