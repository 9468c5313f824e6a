// finish: the finishing time a pace gives over a race, in the dialog's text, and its splits.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/dialog/calculator_commands.h"
#include "core/dialog/control_ids.h"
#include "core/dialog/finish_time_calculator.h"
#include "core/dialog/split_schedule.h"
#include "core/numbers/number_text.h"
#include "core/running/clock_time.h"
#include "core/toolbox/entry_forms.h"
#include "core/toolbox/entry_reading.h"
#include "core/tools/common.h"
#include "core/tools/dialog_form.h"

namespace quorran {
namespace {

using namespace tool_parts;

constexpr std::array<Param, 4> PARAMS{RACE, PACE, KM, PER_KM};
constexpr Entry DISTANCE_ENTRY = entry(PARAMS, "distance"), PACE_ENTRY = entry(PARAMS, "pace");
constexpr std::array<std::string_view, 3> EXAMPLES{"10k 4:30/km", "marathon 8:00/mi", "half 7:30 per mile"};

double seconds_of(const ClockTime& t) { return (t.hours * 60 + t.minutes) * 60 + t.seconds; }

// A mark of the splits: where, in the dialog's miles and in metres, and its name.
struct Mark {
    double miles, metres;
    std::string label;
};

// Every mile, or every km for a race given in km, with the 5 km marks, the half and the
// marathon a race in miles passes: the marks before the finish, in order. No two lie at
// the same place, so each goes in after those before it.
std::vector<Mark> split_marks_of(double race_miles, bool by_km) {
    std::vector<Mark> marks;
    const auto add = [&](double miles, double metres, std::string label) {
        if (!(miles < race_miles)) return;
        std::size_t at = marks.size();
        while (at > 0 && marks[at - 1].miles > miles) --at;
        marks.insert(marks.begin() + static_cast<std::ptrdiff_t>(at), {miles, metres, std::move(label)});
    };
    const auto add_km = [&](double km, std::string label) { add(km * KM_TO_MILES, km * METRES_PER_KM, std::move(label)); };
    if (by_km) {
        for (double km = 1; km * KM_TO_MILES < race_miles; ++km) add_km(km, decimal_text(km) + " km");
    } else {
        for (double mile = 1; mile < race_miles; ++mile) add(mile, mile * METRES_PER_MILE, decimal_text(mile) + " mi");
        for (double km = 5; km * KM_TO_MILES < race_miles; km += 5) add_km(km, decimal_text(km) + " km");
    }
    add_km(HALF_MARATHON_METRES / METRES_PER_KM, "half");
    add_km(MARATHON_METRES / METRES_PER_KM, "marathon");
    return marks;
}

// The race as runners write it, worked out by the dialog's arithmetic: the distance in
// miles as its km button makes it, a per-km pace scaled part by part as its per km button
// scales it.
Outcome run(const Inputs& in) {
    const Value& distance = in[DISTANCE_ENTRY];
    const Value& pace = in[PACE_ENTRY];
    const PaceEntry typed = read_pace(trimmed(pace.text), pace.in_km).value.value_or(PaceEntry{pace.number, true, 0, pace.number});
    const double scale = typed.per_km ? KM_PER_MILE : 1.0;
    const double pace_minutes = typed.minutes * scale, pace_seconds = typed.seconds * scale;
    const double miles = dialog_form::dialog_miles(distance);
    ClockTime time;
    compute_finish_time(pace_minutes, pace_seconds, miles, time);

    Report r;
    const double seconds = seconds_over(distance.number, pace.number);
    const RaceReading read_as{escaped(describe(distance)) + " at " + escaped(describe(pace)),
                              how_read(distance, pace).hints};
    r.headlines.push_back({"finish", "finish time", Unit::Seconds,
                           {finish_time_text(time), seconds_of(time), judge_race(r, distance.number, seconds, read_as)}, true, true});
    Table splits{"splits", "Splits", {{"mark", "mark", Unit::Metres, true}, time_column()}, {}, {}};
    std::vector<Mark> marks = split_marks_of(miles, distance.in_km);
    marks.push_back({miles, distance.number, "finish"});
    for (const Mark& mark : marks) {
        ClockTime at;
        compute_finish_time(pace_minutes, pace_seconds, mark.miles, at);
        const std::string_view flag = judge_time(r, mark.metres, seconds_over(mark.metres, pace.number));
        splits.rows.push_back({{mark.label, mark.metres}, {split_time_text(at), seconds_of(at), flag}});
    }
    r.tables.push_back(std::move(splits));
    r.notes_apart = true;
    return {.report = std::move(r)};
}

// ---- The dialog's own fields, for the command line -------------------------------------

constexpr std::array<Param, 5> FIELDS{
    dialog_form::DISTANCE_FIELD,
    Param{.name = "pace_minutes", .label = "Minutes", .metavar = "PACE_MINUTES", .kind = ParamKind::Field,
          .positional = true, .forms = "minutes of the pace per mile, or per km with {per_km}, as the dialog reads its field"},
    Param{.name = "pace_seconds", .label = "Seconds", .metavar = "PACE_SECONDS", .kind = ParamKind::Field,
          .positional = true, .forms = "seconds of the pace, as the dialog reads its field"},
    dialog_form::KM_BUTTON,
    Param{.name = PER_KM_FLAG, .label = "per km", .kind = ParamKind::Flag,
          .forms = "the pace is per km, as the dialog's per km button"}};

const dialog_form::Group GROUP{{{"distance", IDC_FINISH_DISTANCE},
                                {"pace_minutes", IDC_FINISH_PACE_MINUTES},
                                {"pace_seconds", IDC_FINISH_PACE_SECONDS}},
                               IDC_FINISH_MILES,
                               IDC_FINISH_KM,
                               IDC_FINISH_CALCULATE,
                               true};

std::string partial_reading(std::size_t field, std::string_view text) {
    return dialog_form::partial_reading(text, field == 0);
}

// The fields as the dialog reads them, its Calculate run on them: its texts and its
// Splits list as they are; the entries given back typed, the race judged.
Outcome run_fields(const Inputs& fields) {
    dialog_form::Run run;
    dialog_form::run_fields(fields, GROUP, run);
    const FinishEntries e = read_finish_entries(run.view);
    const bool km = fields.named("km").on, per_km = fields.named(PER_KM_FLAG).on;
    const double seconds_per_mile = e.pace_minutes * 60 + e.pace_seconds;
    Value distance{.param = &PARAMS[DISTANCE_ENTRY.index], .text = fields.named("distance").text, .given = true,
                   .present = true, .number = e.distance_miles * METRES_PER_MILE, .in_km = km};
    Value pace{.param = &PARAMS[PACE_ENTRY.index], .given = true, .present = true,
               .number = seconds_per_mile * (METRES_PER_KM / METRES_PER_MILE), .in_km = per_km};
    for (const char* part : {"pace_minutes", "pace_seconds"})
        if (fields.named(part).given) pace.text += (pace.text.empty() ? "" : " ") + fields.named(part).text;
    run.outcome.read = {distance, pace, Value{.param = &PARAMS[2], .given = km, .present = km, .on = km},
                        Value{.param = &PARAMS[3], .given = per_km, .present = per_km, .on = per_km}};
    if (run.outcome.warning) return run.outcome;
    ClockTime time;
    compute_finish_time(e.pace_minutes, e.pace_seconds, e.distance_miles, time);
    Report& r = run.outcome.report;
    const double metres = std::fabs(distance.number), seconds = std::fabs(pace.number) * metres / METRES_PER_KM;
    Value unsigned_distance = distance, unsigned_pace = pace;
    unsigned_distance.number = metres, unsigned_pace.number = std::fabs(pace.number);
    const RaceReading read_as{escaped(describe(unsigned_distance) + " at " + describe(unsigned_pace)), {}};
    r.headlines.push_back({"finish", "finish time", Unit::Seconds,
                           {run.view.text(IDC_FINISH_RESULT), seconds_of(time), judge_race(r, metres, seconds, read_as)}, true, true});
    Table splits{"splits", "Splits", {{"mark", "mark", Unit::Miles, true}, time_column()}, {}, {}};
    for (const SplitRow& row : split_rows(e.pace_minutes, e.pace_seconds, e.distance_miles)) {
        const std::size_t start = row.label.find_first_not_of(' '), end = row.label.find_last_not_of(' ');
        splits.rows.push_back({{row.label.substr(start, end + 1 - start), row.miles}, {split_time_text(row.time), seconds_of(row.time)}});
        splits.lines.push_back(split_row_text(row.label, row.time));
    }
    r.tables.push_back(std::move(splits));
    r.notes_apart = true;
    return run.outcome;
}

constexpr DialogFields DIALOG{FIELDS, partial_reading, run_fields};

}  // namespace

extern const Tool FINISH_TOOL;
constinit const Tool FINISH_TOOL{
    .name = "finish",
    .title = "Finish time",
    .menu_place = 20,
    .purpose = "The finishing time at a pace, and the splits to the finish.",
    .details = "The finishing time in the pace dialog's text, and a split at every mile (with the 5 km marks, the "
               "half and the marathon), or every km for a race given in km, up to the finish.",
    .params = PARAMS,
    .examples = EXAMPLES,
    .run = run,
    .dialog = &DIALOG,
};

}  // namespace quorran
