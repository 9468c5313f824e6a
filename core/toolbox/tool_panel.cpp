#include "core/toolbox/tool_panel.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/numbers/number_text.h"
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

// A flag that reads some param's bare values in km: the unit setting, in a window.
bool unit_flag(const Tool& tool, const Param& p) {
    return std::any_of(tool.params.begin(), tool.params.end(), [&p](const Param& other) { return other.bare_km_flag == p.name; });
}

// A window offers every document of a report to save or print, so a param that only
// chooses which one the command line prints is not shown; nor is a unit flag, which the
// unit setting stands for.
bool shown_in_windows(const Tool& tool, const Param& p) {
    return !p.command_line_only && !p.chooses_document && !unit_flag(tool, p);
}

// An example as a placeholder: beside a unit shown for bare values, its number alone
// ("10" beside km for 10k), so that what is shown is what it means.
std::string placeholder_of(const Param& p, bool unit_shown) {
    if (!unit_shown) return std::string(p.example);
    const std::size_t end = p.example.find_first_not_of("0123456789.,:");
    return std::string(p.example.substr(0, end));
}

constexpr std::string_view UNITS_KEY = "units";
std::string entry_key(std::string_view name) { return "entry." + std::string(name); }

// The last split plan made, kept for a recorded run of its race: the race in metres, the
// goal time and the negative split as typed.
constexpr std::string_view PLAN_TOOL = "plan";
constexpr std::string_view PLAN_RACE_KEY = "plan.race", PLAN_TIME_KEY = "plan.time", PLAN_NEGATIVE_KEY = "plan.negative";
// A run's entries that the plan fills: its goal time and its negative split.
constexpr std::string_view GOAL_ENTRY = "plan", NEGATIVE_ENTRY = "negative";


const Value* read_entry(const Outcome& outcome, std::string_view name) {
    for (const Value& v : outcome.read)
        if (v.param && v.param->name == name) return &v;
    return nullptr;
}

}  // namespace

bool takes_file(const Param& p) { return kind_description(p.kind).shape == ValueShape::File; }

bool takes_file(const Tool& tool) {
    return std::any_of(tool.params.begin(), tool.params.end(), [](const Param& p) { return takes_file(p); });
}

std::string_view entry_kind_word(EntryKind kind) {
    switch (kind) {
        case EntryKind::Text: return "text";
        case EntryKind::Choice: return "choice";
        case EntryKind::Flag: return "flag";
        case EntryKind::File: return "file";
    }
    return "text";  // not reached: every kind is named above
}

std::string without_mnemonic(std::string_view label) {
    std::string name(label);
    if (const auto at = name.find('&'); at != std::string::npos) name.erase(at, 1);
    return name;
}

std::string KeptInMemory::recall(std::string_view key) const {
    for (const auto& [k, text] : kept_)
        if (k == key) return text;
    return {};
}

void KeptInMemory::remember(std::string_view key, std::string_view text) {
    std::erase_if(kept_, [key](const auto& kept) { return kept.first == key; });
    if (!text.empty()) kept_.emplace_back(key, text);
}

bool run_is_the_race(double run_metres, double race_metres) {
    return std::abs(run_metres - race_metres) <= RUN_IS_THE_RACE_TOLERANCE * race_metres;
}

Units units_for_locale(std::string_view locale) {
    // The region follows the language, after a hyphen or an underscore: en-US, en_US.UTF-8.
    const std::size_t at = locale.find_first_of("-_");
    const std::string_view region = at == std::string_view::npos ? std::string_view() : locale.substr(at + 1, 2);
    return region == "US" ? Units::Miles : Units::Km;
}

Entries unit_entries(const Tool& tool, Units units) {
    Entries flags;
    if (units == Units::Km)
        for (const Param& p : tool.params)
            if (unit_flag(tool, p)) flags.emplace_back(p.name, "");
    return flags;
}

std::vector<EntryField> entry_fields(const Tool& tool, Units units) {
    std::vector<std::string_view> labels;
    for (const Param& p : tool.params)
        if (shown_in_windows(tool, p)) labels.push_back(p.label);
    const std::vector<std::string> marked = with_mnemonics(labels);
    std::vector<EntryField> fields;
    for (const Param& p : tool.params) {
        if (!shown_in_windows(tool, p)) continue;
        EntryField f;
        f.name = std::string(p.name);
        f.label = marked[fields.size()];
        const KindDescription& kind = kind_description(p.kind);
        f.kind = kind.shape == ValueShape::Choice ? EntryKind::Choice
                 : kind.shape == ValueShape::OnOff ? EntryKind::Flag
                 : kind.shape == ValueShape::File  ? EntryKind::File
                                                   : EntryKind::Text;
        if (!p.bare_km_flag.empty() && !kind.bare_subject.empty()) f.unit = kind.unit_marks[units == Units::Km ? 1 : 0];
        f.placeholder = placeholder_of(p, !f.unit.empty());
        f.tooltip = forms_text(p, tool.params, Audience::Window, units == Units::Km);
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

ToolboxCommands::ToolboxCommands(ToolPanelView& view, EntryMemory& memory) : view_(view), memory_(memory) {}

void ToolboxCommands::open(std::string_view tool_name, Units locale_units) {
    const std::string kept = memory_.recall(UNITS_KEY);
    units_ = kept == "km" ? Units::Km : kept == "mi" ? Units::Miles : locale_units;
    std::vector<std::string> titles;
    for (const Tool& t : tools()) titles.emplace_back(t.title);
    view_.show_tools(titles);
    view_.show_units(units_);
    const Tool* named = find_tool(tool_name);
    show(named ? tool_index(*named) : 0);
}

void ToolboxCommands::on_units_chosen(Units units) {
    if (units == units_) return;
    units_ = units;
    memory_.remember(UNITS_KEY, units == Units::Km ? "km" : "mi");
    view_.show_units(units_);
    show(tool_);
}

void ToolboxCommands::on_clear() {
    for (const Tool& t : tools())
        for (const Param& p : t.params) memory_.remember(entry_key(p.name), "");
    for (const std::string_view key : {PLAN_RACE_KEY, PLAN_TIME_KEY, PLAN_NEGATIVE_KEY}) memory_.remember(key, "");
    show(tool_);
}

void ToolboxCommands::on_open(int entry) {
    if (entry < 0 || static_cast<std::size_t>(entry) >= entries_.size() || !takes_file(*entries_[static_cast<std::size_t>(entry)]))
        return;
    const std::optional<std::string> name = view_.ask_file_to_open(entry, RUN_FILE_EXTENSIONS);
    if (!name) return;
    view_.set_entry_text(entry, *name);
    recompute(true);
}

void ToolboxCommands::on_file_opened(std::string_view name) {
    const auto shown = std::find_if(entries_.begin(), entries_.end(), [](const Param* p) { return takes_file(*p); });
    if (shown != entries_.end()) {
        view_.set_entry_text(static_cast<int>(shown - entries_.begin()), name);
        return recompute(true);
    }
    for (const Tool& t : tools()) {
        const auto file = std::find_if(t.params.begin(), t.params.end(), [&t](const Param& p) { return takes_file(p) && shown_in_windows(t, p); });
        if (file == t.params.end()) continue;
        memory_.remember(entry_key(file->name), name);
        return show(tool_index(t), true);
    }
}

bool ToolboxCommands::on_files_dropped(std::span<const std::string> names) {
    if (names.size() != 1) return false;
    on_file_opened(names.front());
    return true;
}

int ToolboxCommands::entry_named(std::string_view name) const {
    const auto at = std::find_if(entries_.begin(), entries_.end(), [name](const Param* p) { return p->name == name; });
    return at == entries_.end() ? -1 : static_cast<int>(at - entries_.begin());
}

// The split plan shown is remembered as the last one made, for a run of its race.
void ToolboxCommands::remember_plan(const Outcome& outcome) {
    const Value* race = read_entry(outcome, "distance");
    const Value* time = read_entry(outcome, "time");
    const Value* negative = read_entry(outcome, NEGATIVE_ENTRY);
    if (!race || !time) return;
    memory_.remember(PLAN_RACE_KEY, decimal_text(race->number, 3));
    memory_.remember(PLAN_TIME_KEY, time->text);
    memory_.remember(PLAN_NEGATIVE_KEY, negative && negative->given ? std::string_view(negative->text) : std::string_view());
}

// A run whose goal is still empty gets the plan remembered when the run is its race:
// the goal time and the negative split filled in, which the runner may change or clear.
// The run is read without the negative split, which it refuses without a goal.
bool ToolboxCommands::offer_plan(const Entries& given) {
    const int goal = entry_named(GOAL_ENTRY), negative = entry_named(NEGATIVE_ENTRY);
    const std::string race = memory_.recall(PLAN_RACE_KEY), time = memory_.recall(PLAN_TIME_KEY);
    if (goal < 0 || race.empty() || time.empty() || !view_.entry_text(goal).empty()) return false;
    Entries run = given;
    std::erase_if(run, [](const auto& entry) { return entry.first == NEGATIVE_ENTRY; });
    const Report report = run_tool(tool(), run).report;
    const auto distance = std::find_if(report.headlines.begin(), report.headlines.end(), [](const Headline& h) { return h.key == "distance"; });
    if (distance == report.headlines.end() || !run_is_the_race(distance->cell.value, scan_number(race))) return false;
    view_.set_entry_text(goal, time);
    if (negative >= 0) {
        const std::string kept = memory_.recall(PLAN_NEGATIVE_KEY);
        view_.set_entry_text(negative, kept.empty() ? entries_[static_cast<std::size_t>(negative)]->fallback : std::string_view(kept));
    }
    return true;
}

void ToolboxCommands::on_tool_chosen(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < tools().size() && static_cast<std::size_t>(index) != tool_)
        show(static_cast<std::size_t>(index));
    else
        view_.highlight_tool(static_cast<int>(tool_));
}

void ToolboxCommands::on_entry_changed(int entry) {
    recompute(entry >= 0 && static_cast<std::size_t>(entry) < entries_.size() && takes_file(*entries_[static_cast<std::size_t>(entry)]));
}

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

// The tool with the entries kept: a race typed in one tool is there in the next.
void ToolboxCommands::show(std::size_t tool, bool file_opened) {
    tool_ = tool;
    entries_.clear();
    for (const Param& p : tools()[tool].params)
        if (shown_in_windows(tools()[tool], p)) entries_.push_back(&p);
    copied_.clear();
    std::vector<EntryField> fields = entry_fields(tools()[tool], units_);
    for (EntryField& f : fields)
        if (std::string kept = memory_.recall(entry_key(f.name)); !kept.empty()) f.text = std::move(kept);
    view_.show_tool(static_cast<int>(tool), fields);
    view_.show_report({});
    recompute(file_opened);
}

// Reads every entry, marks each that cannot be read, and shows the report when all can;
// otherwise the last report stays, greyed. An entry left as its default, or empty, is
// taken as not given; an empty entry is never marked: it is yet to come.
void ToolboxCommands::recompute(bool file_opened) {
    std::vector<std::string> texts;
    Entries given = unit_entries(tool(), units_);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        texts.push_back(view_.entry_text(static_cast<int>(i)));
        const bool typed = !texts[i].empty() && texts[i] != entries_[i]->fallback;
        if (typed) given.emplace_back(entries_[i]->name, texts[i]);
        memory_.remember(entry_key(entries_[i]->name), typed ? std::string_view(texts[i]) : std::string_view());
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
    if (file_opened && offer_plan(given)) return recompute();

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
    if (tool().name == PLAN_TOOL) remember_plan(outcome);
    const Report report = said_to(outcome.report, outcome.params, Audience::Window);
    view_.show_report(report);
    view_.set_report_current(true);
    copied_ = report_tsv(report);
}

}  // namespace quorran
