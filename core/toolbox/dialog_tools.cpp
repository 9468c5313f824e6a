#include "core/toolbox/dialog_tools.h"

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
#include "core/toolbox/strict_entry.h"

namespace quorran {
namespace {

constexpr std::string_view SPACE = " \t\n\v\f\r";
constexpr std::string_view NUMBER_CHARS = "0123456789.,";

// One field of a dialog group: the param it comes from, its control, and what to say
// when text after its number is ignored.
struct Field {
    std::string_view param;
    int control;
    std::string_view hint;
};

struct Group {
    std::vector<Field> fields;  // distance first
    int miles, km;              // the distance's unit buttons
    int calculate;
    std::string_view runner_hint;  // the two entries as a runner writes them
};

const Group PACE_GROUP{{{"distance", IDC_PACE_DISTANCE, "give kilometres with --km, or m or h for the marathon or half"},
                        {"time", IDC_PACE_HOURS, "give HOURS MINUTES SECONDS as separate fields"},
                        {"minutes", IDC_PACE_MINUTES, "give HOURS MINUTES SECONDS as separate fields"},
                        {"seconds", IDC_PACE_SECONDS, "give HOURS MINUTES SECONDS as separate fields"}},
                       IDC_PACE_MILES, IDC_PACE_KM, IDC_PACE_CALCULATE,
                       "or give the distance with its unit and the time as H:MM:SS alone: pace 10km 45:00"};
const Group FINISH_GROUP{{{"distance", IDC_FINISH_DISTANCE, "give kilometres with --km, or m or h for the marathon or half"},
                          {"pace", IDC_FINISH_PACE_MINUTES, "give PACE_MINUTES PACE_SECONDS as separate fields"},
                          {"pace_seconds", IDC_FINISH_PACE_SECONDS, "give PACE_MINUTES PACE_SECONDS as separate fields"}},
                         IDC_FINISH_MILES, IDC_FINISH_KM, IDC_FINISH_CALCULATE,
                         "or give the distance with its unit and the pace as M:SS/km or M:SS/mi alone: finish 10k 4:30/km"};

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
        const Value& v = in[field.param];
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
        if (in[group.fields[i].param].given) return false;
    const Value& distance = in[group.fields[0].param];
    const Value& second = in[group.fields[1].param];
    return distance.given && second.given && second.text.find(':') != std::string::npos;
}

struct Filled {
    std::optional<Refusal> refusal;
    bool km = false;  // the distance in km
};

// Fills the group's fields from the two entries as a runner writes them: a distance with
// its unit, and a time H:MM:SS or M:SS, or a pace M:SS with /km or /mi.
Filled fill_runner_entries(const Inputs& in, const Group& group, PlainView& view, bool pace) {
    const Value& distance = in[group.fields[0].param];
    const Value& second = in[group.fields[1].param];
    const auto refuse = [](std::string_view argument, const Value& v, std::string reason) {
        return Filled{Refusal{v.param->name, std::string(argument), v.text, std::move(reason)}};
    };
    const auto d = dialog_distance(distance.text, in["km"].on);
    if (!d) return refuse("DISTANCE", distance, "is not a distance: give a number with km, k, mi or m, or marathon or half");
    view.type(group.fields[0].control, d->field);
    view.check_radio(group.miles, group.km, d->km ? group.km : group.miles);

    std::string clock(second.text);
    if (pace) {
        const auto entry = read_pace(second.text, in["per-km"].on);
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

// Runs the group's Calculate on a window-less dialog holding the entries.
struct Run {
    PlainView view;
    Outcome outcome;
    bool km_splits = false;
};

void run_group(const Inputs& in, const Group& group, bool second_is_pace, Run& run) {
    CalculatorCommands commands(run.view);
    commands.open();
    if (in["km"].on) run.view.check_radio(group.miles, group.km, group.km);
    if (second_is_pace && in["per-km"].on) run.view.check_radio(IDC_PER_MILE, IDC_PER_KM, IDC_PER_KM);
    if (runner_entries(in, group)) {
        const Filled filled = fill_runner_entries(in, group, run.view, second_is_pace);
        if (filled.refusal) {
            run.outcome.refusal = filled.refusal;
            return;
        }
        run.km_splits = filled.km;
    } else {
        for (const Field& field : group.fields)
            if (in[field.param].given) run.view.type(field.control, in[field.param].text);
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

double seconds_of(const ClockTime& t) { return (t.hours * 60 + t.minutes) * 60 + t.seconds; }

struct FormName {
    std::string_view key, label;
    Unit unit;
};
// The Other Formats lines in list order, as a report names them.
constexpr std::array<FormName, 9> OTHER_FORMS{{
    {"per_km", "per km", Unit::SecondsPerKm},
    {"per_400m", "seconds per 400 m", Unit::Seconds},
    {"minutes_per_mile", "minutes per mile", Unit::MinutesPerMile},
    {"km_per_hour", "km/h", Unit::KmPerHour},
    {"miles_per_hour", "mph", Unit::MilesPerHour},
    {"metres_per_second", "metres per second", Unit::MetresPerSecond},
    {"metres_per_minute", "metres per minute", Unit::MetresPerMinute},
    {"feet_per_second", "feet per second", Unit::FeetPerSecond},
    {"feet_per_minute", "feet per minute", Unit::FeetPerMinute},
}};

}  // namespace

Outcome pace_tool(const Inputs& in) {
    Run run;
    run_group(in, PACE_GROUP, false, run);
    if (run.outcome.refusal || run.outcome.warning) return run.outcome;
    const auto e = read_pace_entries(run.view);
    PaceTime per_mile;
    compute_pace(e.hours, e.minutes, e.seconds, e.distance_miles, per_mile);
    const OtherFormats formats = other_formats(per_mile);
    Report& r = run.outcome.report;
    r.headlines.push_back({"per_mile", "pace per mile", Unit::SecondsPerMile,
                           {run.view.text(IDC_PACE_RESULT), per_mile.minutes * 60 + per_mile.seconds}, true});
    const auto& lines = run.view.items(IDC_OTHER_FORMATS);
    for (std::size_t i = 0; i < OTHER_FORMS.size(); ++i) {
        const FormName& form = OTHER_FORMS[i];
        r.headlines.push_back({form.key, std::string(form.label), form.unit, {lines.at(i), formats.values[i]}, true});
    }
    return run.outcome;
}

Outcome finish_tool(const Inputs& in) {
    Run run;
    run_group(in, FINISH_GROUP, true, run);
    if (run.outcome.refusal || run.outcome.warning) return run.outcome;
    const auto e = read_finish_entries(run.view);
    ClockTime time;
    compute_finish_time(e.pace_minutes, e.pace_seconds, e.distance_miles, time);
    Report& r = run.outcome.report;
    r.headlines.push_back({"finish", "finish time", Unit::Seconds, {run.view.text(IDC_FINISH_RESULT), seconds_of(time)}, true});
    Table splits{"splits", "Splits", {{"mark", "mark", Unit::Miles, true}, {"time", "time", Unit::Seconds}}, {}, {}};
    const auto rows = run.km_splits ? km_split_rows(e.pace_minutes, e.pace_seconds, e.distance_miles)
                                    : split_rows(e.pace_minutes, e.pace_seconds, e.distance_miles);
    for (const SplitRow& row : rows) {
        const std::size_t start = row.label.find_first_not_of(' '), end = row.label.find_last_not_of(' ');
        splits.rows.push_back({{row.label.substr(start, end + 1 - start), row.miles}, {split_time_text(row.time), seconds_of(row.time)}});
        splits.lines.push_back(split_row_text(row.label, row.time));
    }
    r.tables.push_back(std::move(splits));
    return run.outcome;
}

}  // namespace quorran
