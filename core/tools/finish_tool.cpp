// finish: the dialog's Find Finish Time, its texts and splits exactly as the dialog shows them.
#include <array>

#include "core/dialog/calculator_commands.h"
#include "core/dialog/control_ids.h"
#include "core/dialog/finish_time_calculator.h"
#include "core/dialog/split_schedule.h"
#include "core/tools/dialog_form.h"

namespace quorran {
namespace {

constexpr std::array<Param, 5> PARAMS{
    dialog_form::DISTANCE,
    Param{.name = "pace", .label = "Pace", .metavar = "PACE_MINUTES", .kind = ParamKind::Field, .positional = true,
          .example = "7:30/mi",
          .forms = "minutes per mile (or per km with --per-km), as the dialog reads its field; as the second of "
                   "two entries, also M:SS with /km or /mi"},
    Param{.name = "pace_seconds", .label = "Pace seconds", .metavar = "PACE_SECONDS", .kind = ParamKind::Field,
          .positional = true, .forms = "seconds of the pace, as the dialog reads its field",
          .command_line_only = true},
    dialog_form::KM,
    Param{.name = "per-km", .label = "Bare paces per km", .kind = ParamKind::Flag,
          .forms = "the pace is per km, as the dialog's per km button"}};
constexpr std::array<std::string_view, 3> EXAMPLES{"m 8 0", "half 7:30/mi", "10k 4:30/km"};

constexpr std::string_view FIELDS_HINT = "give PACE_MINUTES PACE_SECONDS as separate fields";
const dialog_form::Group GROUP{
    {{"distance", IDC_FINISH_DISTANCE, "give kilometres with --km, or m or h for the marathon or half"},
     {"pace", IDC_FINISH_PACE_MINUTES, FIELDS_HINT},
     {"pace_seconds", IDC_FINISH_PACE_SECONDS, FIELDS_HINT}},
    IDC_FINISH_MILES,
    IDC_FINISH_KM,
    IDC_FINISH_CALCULATE,
    "or give the distance with its unit and the pace as M:SS/km or M:SS/mi alone: finish 10k 4:30/km",
    true};

double seconds_of(const ClockTime& t) { return (t.hours * 60 + t.minutes) * 60 + t.seconds; }

Outcome run(const Inputs& in) {
    dialog_form::Run run;
    dialog_form::run_group(in, GROUP, run);
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

}  // namespace

extern const Tool FINISH_TOOL;
constinit const Tool FINISH_TOOL{
    .name = "finish",
    .title = "Finish time",
    .menu_place = 20,
    .purpose = "The finishing time at a pace, and the splits, as the pace dialog shows them.",
    .details = "Fields are read as pace reads them. Given as the only two entries, DISTANCE may carry its unit and "
               "the pace may be M:SS with /km or /mi (finish 10k 4:30/km); a race given in km then gets a split at "
               "every km.",
    .params = PARAMS,
    .examples = EXAMPLES,
    .run = run,
};

}  // namespace quorran
