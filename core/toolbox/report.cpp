#include "core/toolbox/report.h"

#include <algorithm>
#include <array>

#include "core/toolbox/words.h"

namespace quorran {

std::string_view unit_name(Unit unit) {
    static constexpr std::array<std::string_view, 19> NAMES{
        "",     "s",   "m",     "mi",  "km",   "s/km", "s/mi", "min/mi", "km/h", "mph",
        "m/s", "m/min", "ft/s", "ft/min", "%", "bpm", "spm", "ml/kg/min", "count"};
    return NAMES.at(static_cast<std::size_t>(unit));
}

bool Report::has_note(std::string_view key) const {
    return std::any_of(notes.begin(), notes.end(), [key](const Note& note) { return note.key == key; });
}

const Headline* Report::main_headline() const {
    const auto at = std::find_if(headlines.begin(), headlines.end(), [](const Headline& h) { return h.main; });
    return at == headlines.end() ? nullptr : &*at;
}

const Note* Report::note_flagging(const Cell& cell) const {
    if (cell.flag.empty()) return nullptr;
    const auto at = std::find_if(notes.begin(), notes.end(), [&cell](const Note& note) { return note.key == cell.flag; });
    return at == notes.end() ? nullptr : &*at;
}

std::string shown_text(const Cell& cell, const Report& report) {
    const Note* note = report.note_flagging(cell);
    return note && !note->mark.empty() ? cell.text + " " + std::string(note->mark) : cell.text;
}

Report said_to(const Report& report, std::span<const Param> params, Audience audience) {
    Report said = report;
    for (Note& note : said.notes) note.text = in_words(note.text, params, audience);
    return said;
}

std::string shown_text(const Note& note) { return (note.mark.empty() ? "" : std::string(note.mark) + " ") + note.text; }

}  // namespace quorran
