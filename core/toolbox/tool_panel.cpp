#include "core/toolbox/tool_panel.h"

#include <algorithm>
#include <cctype>

#include "core/toolbox/entry_reading.h"
#include "core/toolbox/param_kinds.h"

namespace quorran {
namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// The letter of each label that Alt+letter reaches: the first letter of a word not
// taken yet, else any letter not taken yet, marked with a & before it.
std::vector<std::string> with_mnemonics(const std::vector<std::string_view>& labels) {
    std::string taken;
    for (const std::string_view fixed : PANEL_OWN_LABELS)
        taken += lower(fixed[fixed.find('&') + 1]);
    std::vector<std::string> marked;
    for (const std::string_view label : labels) {
        std::size_t at = std::string_view::npos;
        for (const bool word_start : {true, false}) {
            for (std::size_t i = 0; i < label.size() && at == std::string_view::npos; ++i) {
                const bool starts = i == 0 || label[i - 1] == ' ';
                if (std::isalpha(static_cast<unsigned char>(label[i])) && (starts || !word_start) &&
                    taken.find(lower(label[i])) == std::string::npos)
                    at = i;
            }
        }
        std::string text(label);
        if (at != std::string_view::npos) {
            taken += lower(label[at]);
            text.insert(at, "&");
        }
        marked.push_back(std::move(text));
    }
    return marked;
}

// A window offers every document of a report to save or print, so a param that only
// chooses which one the command line prints is not shown.
bool shown_in_windows(const Param& p) { return !p.command_line_only && !p.chooses_document; }

}  // namespace

std::string without_mnemonic(std::string_view label) {
    std::string name(label);
    if (const auto at = name.find('&'); at != std::string::npos) name.erase(at, 1);
    return name;
}

std::vector<EntryField> entry_fields(const Tool& tool) {
    std::vector<std::string_view> labels;
    for (const Param& p : tool.params)
        if (shown_in_windows(p)) labels.push_back(p.label);
    const std::vector<std::string> marked = with_mnemonics(labels);
    std::vector<EntryField> fields;
    for (const Param& p : tool.params) {
        if (!shown_in_windows(p)) continue;
        EntryField f;
        f.name = std::string(p.name);
        f.label = marked[fields.size()];
        const KindDescription& kind = kind_description(p.kind);
        f.kind = kind.shape == ValueShape::Choice ? EntryKind::Choice
                 : kind.shape == ValueShape::OnOff ? EntryKind::Flag
                                                   : EntryKind::Text;
        f.placeholder = std::string(p.example);
        f.tooltip = forms_text(p, tool.params, Audience::Window);
        f.input_hint = std::string(kind.input_hint(p));
        for (const Choice& c : p.choices) (f.kind == EntryKind::Choice ? f.choices : f.shortcuts).push_back({std::string(c.value), std::string(c.label)});
        f.text = std::string(p.fallback);
        fields.push_back(std::move(f));
    }
    return fields;
}

std::string report_tsv(const Report& r) {
    std::vector<std::string> sections;
    std::string headlines;
    for (const Headline& h : r.headlines)
        headlines += (h.self_described ? "" : h.label + "\t") + shown_text(h.cell, r) + "\n";
    if (!headlines.empty()) sections.push_back(headlines);
    for (const Table& t : r.tables) {
        if (t.rows.empty()) continue;
        std::string text = t.title.empty() ? "" : t.title + "\n";
        for (std::size_t i = 0; i < t.columns.size(); ++i) text += (i ? "\t" : "") + t.columns[i].label;
        text += "\n";
        for (const auto& row : t.rows) {
            for (std::size_t i = 0; i < row.size(); ++i) text += (i ? "\t" : "") + shown_text(row[i], r);
            text += "\n";
        }
        sections.push_back(text);
    }
    std::string notes;
    for (const Note& n : r.notes) notes += shown_text(n) + "\n";
    if (!notes.empty()) sections.push_back(notes);
    std::string out;
    for (std::size_t i = 0; i < sections.size(); ++i) out += (i ? "\n" : "") + sections[i];
    return out;
}

ToolboxCommands::ToolboxCommands(ToolPanelView& view) : view_(view) {}

void ToolboxCommands::open(std::string_view tool_name) {
    std::vector<std::string> titles;
    for (const Tool& t : tools()) titles.emplace_back(t.title);
    view_.show_tools(titles);
    const Tool* named = find_tool(tool_name);
    show(named ? tool_index(*named) : 0);
}

void ToolboxCommands::on_tool_chosen(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < tools().size() && static_cast<std::size_t>(index) != tool_)
        show(static_cast<std::size_t>(index));
    else
        view_.highlight_tool(static_cast<int>(tool_));
}

void ToolboxCommands::on_entry_changed(int) { recompute(); }

void ToolboxCommands::on_shortcut(int entry, int shortcut) {
    if (entry < 0 || static_cast<std::size_t>(entry) >= entries_.size()) return;
    const auto& choices = entries_[static_cast<std::size_t>(entry)]->choices;
    if (shortcut < 0 || static_cast<std::size_t>(shortcut) >= choices.size()) return;
    view_.set_entry_text(entry, choices[static_cast<std::size_t>(shortcut)].value);
    recompute();
}

void ToolboxCommands::on_copy() {
    if (!copied_.empty()) view_.copy_to_clipboard(copied_);
}

void ToolboxCommands::show(std::size_t tool) {
    tool_ = tool;
    entries_.clear();
    for (const Param& p : tools()[tool].params)
        if (shown_in_windows(p)) entries_.push_back(&p);
    copied_.clear();
    view_.show_tool(static_cast<int>(tool), entry_fields(tools()[tool]));
    view_.show_report({});
    recompute();
}

// Reads every entry, marks each that cannot be read, and shows the report when all can;
// otherwise the last report stays, greyed. An entry left as its default, or empty, is
// taken as not given; an empty entry is never marked: it is yet to come.
void ToolboxCommands::recompute() {
    std::vector<std::string> texts;
    Entries given;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        texts.push_back(view_.entry_text(static_cast<int>(i)));
        if (!texts[i].empty() && texts[i] != entries_[i]->fallback) given.emplace_back(entries_[i]->name, texts[i]);
    }
    bool readable = true;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Param& p = *entries_[i];
        std::string problem;
        if (!texts[i].empty() && texts[i] != p.fallback) {
            const Reading r = read_value(p, tool().params, texts[i], bare_in_km(p, given));
            if (r.refusal) problem = r.refusal->reason_in(Audience::Window), readable = false;
        }
        view_.mark_entry(static_cast<int>(i), problem);
    }
    if (!readable) return view_.set_report_current(false);

    const Outcome outcome = run_tool(tool(), given);
    const std::string_view wrong = outcome.refusal ? outcome.refusal->param->name : outcome.warning_param;
    if (outcome.refusal || outcome.warning) {
        const auto at = std::find_if(entries_.begin(), entries_.end(), [wrong](const Param* p) { return p->name == wrong; });
        const auto entry = static_cast<std::size_t>(at - entries_.begin());
        // The dialog's warning about an empty field ("Distance cannot be zero.") waits,
        // like a needed entry, until something is typed there.
        if (at != entries_.end() && !texts[entry].empty())
            view_.mark_entry(static_cast<int>(entry), outcome.refusal ? outcome.refusal->reason_in(Audience::Window) : *outcome.warning);
        return view_.set_report_current(false);
    }
    const Report report = said_to(outcome.report, outcome.params, Audience::Window);
    view_.show_report(report);
    view_.set_report_current(true);
    copied_ = report_tsv(report);
}

}  // namespace quorran
