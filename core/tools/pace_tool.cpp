// pace: the dialog's Find Pace, its texts exactly as the dialog shows them.
#include <array>

#include "core/dialog/calculator_commands.h"
#include "core/dialog/control_ids.h"
#include "core/dialog/pace_calculator.h"
#include "core/tools/dialog_form.h"

namespace quorran {
namespace {

using dialog_form::Field;

constexpr std::array<Param, 5> PARAMS{
    dialog_form::DISTANCE,
    Param{.name = "time", .label = "Time", .metavar = "HOURS", .kind = ParamKind::Field, .positional = true,
          .example = "45:00",
          .forms = "hours, as the dialog reads its field; as the second of two entries, also H:MM:SS or M:SS"},
    Param{.name = "minutes", .label = "Minutes", .metavar = "MINUTES", .kind = ParamKind::Field, .positional = true,
          .forms = "minutes, as the dialog reads its field", .command_line_only = true},
    Param{.name = "seconds", .label = "Seconds", .metavar = "SECONDS", .kind = ParamKind::Field, .positional = true,
          .forms = "seconds, as the dialog reads its field", .command_line_only = true},
    dialog_form::KM};
constexpr std::array<std::string_view, 3> EXAMPLES{"26.21875 3 30 0", "10km 45:00", "--km m 3 30"};

constexpr std::string_view FIELDS_HINT = "give HOURS MINUTES SECONDS as separate fields";
const dialog_form::Group GROUP{
    {{"distance", IDC_PACE_DISTANCE, "give kilometres with --km, or m or h for the marathon or half"},
     {"time", IDC_PACE_HOURS, FIELDS_HINT},
     {"minutes", IDC_PACE_MINUTES, FIELDS_HINT},
     {"seconds", IDC_PACE_SECONDS, FIELDS_HINT}},
    IDC_PACE_MILES,
    IDC_PACE_KM,
    IDC_PACE_CALCULATE,
    "or give the distance with its unit and the time as H:MM:SS alone: pace 10km 45:00",
    false};

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

Outcome run(const Inputs& in) {
    dialog_form::Run run;
    dialog_form::run_group(in, GROUP, run);
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

}  // namespace

extern const Tool PACE_TOOL;
constinit const Tool PACE_TOOL{
    .name = "pace",
    .title = "Pace",
    .menu_place = 10,
    .purpose = "The pace of a race, per mile and in nine other forms, as the pace dialog shows it.",
    .details = "Each field is read as the dialog reads its entry: fractions allowed, an omitted or unreadable field "
               "counts as zero, m and h stand for the marathon (26.21875 miles) and the half. Given as the only two "
               "entries, DISTANCE may carry its unit and the time may be H:MM:SS (pace 10km 45:00). A field read "
               "only in part gets a note on standard error.",
    .params = PARAMS,
    .examples = EXAMPLES,
    .run = run,
};

}  // namespace quorran
