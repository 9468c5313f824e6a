#include "core/tools/dialog_form.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/dialog/calculator_commands.h"
#include "core/dialog/control_ids.h"
#include "core/dialog/finish_time_calculator.h"
#include "core/dialog/messages.h"
#include "core/dialog/pace_calculator.h"
#include "core/dialog/plain_view.h"
#include "core/dialog/split_schedule.h"
#include "core/numbers/number_text.h"
#include "core/numbers/units.h"
#include "core/toolbox/entry_forms.h"

namespace quorran::dialog_form {
namespace {

constexpr std::string_view SPACE = " \t\n\v\f\r";
constexpr std::string_view NUMBER_CHARS = "0123456789.,";

bool is_race_word(std::string_view text) {
    return same_letters(text, "marathon") || same_letters(text, "half");
}

// What the dialog makes of a field's text when it does not read all of it; empty when
// it does (a number, m or h, a race's name, or nothing).
std::string partial_reading(std::string_view text, bool distance) {
    const std::string_view entry = text.substr(0, TEXT_LIMIT);
    if (distance && !entry.empty() && std::string_view("mMhH").find(entry.front()) != std::string_view::npos) {
        if (entry.size() == 1 || is_race_word(entry)) return {};
        return entry.front() == 'm' || entry.front() == 'M' ? "the marathon (m)" : "the half marathon (h)";
    }
    std::size_t length = 0;
    scan_number(entry, length);
    if (entry.find_first_not_of(SPACE, length) == std::string_view::npos) return {};
    if (length == 0) return "0 (no number)";
    const std::size_t start = entry.find_first_not_of(SPACE);
    return std::string(entry.substr(start, length - start));
}

void note_partial_readings(const Inputs& in, const Group& group, Report& report) {
    for (const Field& field : group.fields) {
        const Value& v = in.named(field.param);
        if (!v.given) continue;
        const std::string read = partial_reading(v.text, field.control == group.fields.front().control);
        if (read.empty()) continue;
        const std::string shown = v.text.size() > TEXT_LIMIT ? v.text.substr(0, TEXT_LIMIT) + "..." : v.text;
        report.notes.push_back({"read_in_part", NoteKind::Reading,
                                "'" + shown + "' was read as " + read + ", the rest ignored (" +
                                    std::string(field.hint) + ", " + std::string(group.runner_hint) + ")"});
    }
}

std::string with_point(std::string_view text) {
    std::string s(text);
    std::replace(s.begin(), s.end(), ',', '.');
    return s;
}

// A distance with its unit, as the dialog's distance field and unit button take it: the
// number as typed (metres as km by their exponent), or m or h for a race's name.
struct DialogDistance {
    std::string field;
    bool km;
};
std::optional<DialogDistance> dialog_distance(std::string_view text, bool km) {
    if (text == "m" || text == "M" || text == "h" || text == "H") return DialogDistance{std::string(text), km};
    const auto entry = read_distance(text, km);
    if (!entry) return std::nullopt;
    if (is_race_word(text)) return DialogDistance{std::string(1, text.front()), km};
    std::string number = with_point(text.substr(0, text.find_first_not_of(NUMBER_CHARS)));
    const bool metres = entry->in_km && entry->metres < read_decimal(number).value_or(0) * METRES_PER_KM;
    return DialogDistance{metres ? number + "e-3" : number, entry->in_km};
}

// The parts of a clock text, hours first, each with a point for a comma: three fields.
std::vector<std::string> clock_fields(std::string_view text, std::size_t fields) {
    std::vector<std::string> parts;
    for (std::size_t colon; (colon = text.find(':')) != std::string_view::npos; text.remove_prefix(colon + 1))
        parts.push_back(with_point(text.substr(0, colon)));
    parts.push_back(with_point(text));
    while (parts.size() < fields) parts.insert(parts.begin(), "0");
    return parts;
}

// Whether the entries are to be read as a runner writes them: only two, the second a
// clock text (which the dialog would read only in part).
bool runner_entries(const Inputs& in, const Group& group) {
    for (std::size_t i = 2; i < group.fields.size(); ++i)
        if (in.named(group.fields[i].param).given) return false;
    const Value& distance = in.named(group.fields[0].param);
    const Value& second = in.named(group.fields[1].param);
    return distance.given && second.given && second.text.find(':') != std::string::npos;
}

struct Filled {
    std::optional<Refusal> refusal;
    bool km = false;  // the distance in km
};

// Fills the group's fields from the two entries as a runner writes them: a distance with
// its unit, and a time H:MM:SS or M:SS, or a pace M:SS with /km or /mi.
Filled fill_runner_entries(const Inputs& in, const Group& group, PlainView& view, bool pace) {
    const Value& distance = in.named(group.fields[0].param);
    const Value& second = in.named(group.fields[1].param);
    const auto refuse = [](std::string_view argument, const Value& v, std::string reason) {
        return Filled{Refusal{v.param->name, std::string(argument), v.text, std::move(reason)}};
    };
    const auto d = dialog_distance(distance.text, in.named("km").on);
    if (!d) return refuse("DISTANCE", distance, "is not a distance: give a number with km, k, mi or m, or marathon or half");
    view.type(group.fields[0].control, d->field);
    view.check_radio(group.miles, group.km, d->km ? group.km : group.miles);

    std::string clock(second.text);
    if (pace) {
        const auto entry = read_pace(second.text, in.named("per-km").on);
        if (!entry) return refuse("PACE", second, "is not a pace: give M:SS with /km or /mi, the seconds below 60");
        view.check_radio(IDC_PER_MILE, IDC_PER_KM, entry->per_km ? IDC_PER_KM : IDC_PER_MILE);
        clock = clock.substr(0, clock.find('/'));
        if (clock.ends_with(' ')) clock.pop_back();
    } else if (!read_time(second.text)) {
        return refuse("TIME", second, "is not a time: give H:MM:SS or M:SS, each part after a colon below 60");
    }
    const auto parts = clock_fields(clock, group.fields.size() - 1);
    for (std::size_t i = 0; i < parts.size(); ++i) view.type(group.fields[i + 1].control, parts[i]);
    return {{}, d->km};
}

}  // namespace

void run_group(const Inputs& in, const Group& group, Run& run) {
    const bool second_is_pace = group.second_is_pace;
    CalculatorCommands commands(run.view);
    commands.open();
    if (in.named("km").on) run.view.check_radio(group.miles, group.km, group.km);
    if (second_is_pace && in.named("per-km").on) run.view.check_radio(IDC_PER_MILE, IDC_PER_KM, IDC_PER_KM);
    if (runner_entries(in, group)) {
        const Filled filled = fill_runner_entries(in, group, run.view, second_is_pace);
        if (filled.refusal) {
            run.outcome.refusal = filled.refusal;
            return;
        }
        run.km_splits = filled.km;
    } else {
        for (const Field& field : group.fields)
            if (in.named(field.param).given) run.view.type(field.control, in.named(field.param).text);
        note_partial_readings(in, group, run.outcome.report);
    }
    commands.on_command(group.calculate);
    run.outcome.warning = run.view.warning();
    // The dialog checks the distance first, then the time (or pace).
    if (run.outcome.warning) {
        const bool distance = *run.outcome.warning == DISTANCE_ZERO_WARNING;
        run.outcome.warning_param = group.fields[distance ? 0 : 1].param;
    }
}

}  // namespace quorran::dialog_form
