// pace: the pace a runner held over a race, in the dialog's ten forms and texts.
#include <array>
#include <cmath>

#include "core/dialog/calculator_commands.h"
#include "core/dialog/control_ids.h"
#include "core/dialog/pace_calculator.h"
#include "core/numbers/number_text.h"
#include "core/running/clock_time.h"
#include "core/toolbox/entry_forms.h"
#include "core/toolbox/entry_reading.h"
#include "core/tools/common.h"
#include "core/tools/dialog_form.h"

namespace quorran {
namespace {

using namespace tool_parts;

constexpr std::array<Param, 3> PARAMS{RACE, RACE_TIME, KM};
constexpr Entry DISTANCE_ENTRY = entry(PARAMS, "distance"), TIME_ENTRY = entry(PARAMS, "time");
constexpr std::array<std::string_view, 3> EXAMPLES{"10km 45:00", "marathon 3:30:00", "26.2 3:59:59"};

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

// The pace per mile and the Other Formats, the dialog's texts, the first flagged; the main
// answer per km for a race given in km (the first of the Other Formats), else per mile.
void add_paces(Report& r, const PaceTime& per_mile, std::string_view flag, bool km) {
    const OtherFormats formats = other_formats(per_mile);
    r.headlines.push_back({"per_mile", "pace per mile", Unit::SecondsPerMile,
                           {pace_result_text(per_mile), per_mile.minutes * 60 + per_mile.seconds, flag}, true, !km});
    for (std::size_t i = 0; i < OTHER_FORMS.size(); ++i) {
        const FormName& form = OTHER_FORMS[i];
        r.headlines.push_back({form.key, std::string(form.label), form.unit, {formats.lines[i], formats.values[i]}, true, km && i == 0});
    }
}

// The race as runners write it, worked out by the dialog's arithmetic: the distance in
// miles as its km button makes it, the time's parts summed in the dialog's order.
Outcome run(const Inputs& in) {
    const Value& distance = in[DISTANCE_ENTRY];
    const Value& time = in[TIME_ENTRY];
    const ClockEntry clock = read_time(trimmed(time.text)).value.value_or(ClockEntry{time.number, 0, 0, time.number});
    PaceTime per_mile;
    compute_pace(clock.hours, clock.minutes, clock.rest, dialog_form::dialog_miles(distance), per_mile);
    Report r;
    const std::string_view flag = judge_race(r, distance.number, time.number, how_read(distance, time));
    add_paces(r, per_mile, flag, distance.in_km);
    r.notes_apart = true;
    return {.report = std::move(r)};
}

// ---- The dialog's own fields, for the command line -------------------------------------

constexpr std::array<Param, 5> FIELDS{
    dialog_form::DISTANCE_FIELD,
    Param{.name = "hours", .label = "Hours", .metavar = "HOURS", .kind = ParamKind::Field, .positional = true,
          .forms = "hours, as the dialog reads its field"},
    Param{.name = "minutes", .label = "Minutes", .metavar = "MINUTES", .kind = ParamKind::Field, .positional = true,
          .forms = "minutes, as the dialog reads its field"},
    Param{.name = "seconds", .label = "Seconds", .metavar = "SECONDS", .kind = ParamKind::Field, .positional = true,
          .forms = "seconds, as the dialog reads its field"},
    dialog_form::KM_BUTTON};

const dialog_form::Group GROUP{{{"distance", IDC_PACE_DISTANCE},
                                {"hours", IDC_PACE_HOURS},
                                {"minutes", IDC_PACE_MINUTES},
                                {"seconds", IDC_PACE_SECONDS}},
                               IDC_PACE_MILES,
                               IDC_PACE_KM,
                               IDC_PACE_CALCULATE,
                               false};

std::string partial_reading(std::size_t field, std::string_view text) {
    return dialog_form::partial_reading(text, field == 0);
}

// The fields as the dialog reads them, its Calculate run on them; the entries given
// back typed, as runners write them, the race judged like any other.
Outcome run_fields(const Inputs& fields) {
    dialog_form::Run run;
    dialog_form::run_fields(fields, GROUP, run);
    const PaceEntries e = read_pace_entries(run.view);
    const Value& km = fields.named("km");
    Value distance{.param = &PARAMS[DISTANCE_ENTRY.index], .text = fields.named("distance").text, .given = true,
                   .present = true, .number = e.distance_miles * METRES_PER_MILE, .in_km = km.on};
    Value time{.param = &PARAMS[TIME_ENTRY.index], .given = true, .present = true,
               .number = (e.hours * 60 + e.minutes) * 60 + e.seconds};
    for (const char* part : {"hours", "minutes", "seconds"})
        if (fields.named(part).given) time.text += (time.text.empty() ? "" : " ") + fields.named(part).text;
    run.outcome.read = {distance, time, Value{.param = &PARAMS[2], .given = km.on, .present = km.on, .on = km.on}};
    if (run.outcome.warning) return run.outcome;
    PaceTime per_mile;
    compute_pace(e.hours, e.minutes, e.seconds, e.distance_miles, per_mile);
    Report& r = run.outcome.report;
    Value unsigned_distance = distance, unsigned_time = time;
    unsigned_distance.number = std::fabs(distance.number), unsigned_time.number = std::fabs(time.number);
    const RaceReading read_as{escaped(describe(unsigned_distance) + " in " + describe(unsigned_time)), {}};
    add_paces(r, per_mile, judge_race(r, unsigned_distance.number, unsigned_time.number, read_as), km.on);
    r.notes_apart = true;
    return run.outcome;
}

constexpr DialogFields DIALOG{FIELDS, partial_reading, run_fields};

}  // namespace

extern const Tool PACE_TOOL;
constinit const Tool PACE_TOOL{
    .name = "pace",
    .title = "Pace",
    .menu_place = 10,
    .purpose = "The pace of a race, per mile and in nine other forms.",
    .details = "The pace per mile, per km, per 400 m, in decimal minutes a mile and as speeds, in the texts of the "
               "pace dialog.",
    .params = PARAMS,
    .examples = EXAMPLES,
    .run = run,
    .dialog = &DIALOG,
};

}  // namespace quorran
