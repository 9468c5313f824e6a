// predict: times over the standard distances, predicted from one race.
#include <cmath>

#include "core/numbers/number_text.h"
#include "core/running/race_prediction.h"
#include "core/toolbox/entry_reading.h"
#include "core/tools/common.h"

namespace quorran {
namespace {

using namespace tool_parts;

constexpr std::array<Choice, 2> MODELS{{{"riegel", "Riegel"}, {"cameron", "Cameron"}}};
constexpr std::array<Param, 6> PARAMS{
    RACE, RACE_TIME,
    Param{.name = "model", .label = "Model", .metavar = "MODEL", .kind = ParamKind::Choice, .fallback = "riegel",
          .forms = "riegel (Riegel's power law) or cameron (Cameron's curve)", .choices = MODELS},
    Param{.name = "exponent", .label = "Riegel exponent", .metavar = "E", .kind = ParamKind::Number,
          .fallback = "1.06", .example = "1.06", .forms = "a number from 1.0 to 1.2, for Riegel's model only",
          .low = RIEGEL_EXPONENT_MIN, .high = RIEGEL_EXPONENT_MAX},
    Param{.name = "for", .label = "Predict for", .metavar = "DISTANCE", .kind = ParamKind::Distance,
          .fallback = "marathon", .example = "marathon",
          .forms = "the race whose prediction is the main answer, a distance as the race's",
          .low = SHORTEST_RACE_METRES, .high = LONGEST_RACE_METRES, .choices = COMMON_RACES, .bare_km_flag = KM_FLAG},
    KM};
constexpr Entry DISTANCE_ENTRY = entry(PARAMS, "distance"), TIME_ENTRY = entry(PARAMS, "time"),
                MODEL_ENTRY = entry(PARAMS, "model"), EXPONENT_ENTRY = entry(PARAMS, "exponent"), FOR_ENTRY = entry(PARAMS, "for");
constexpr std::array<std::string_view, 4> EXAMPLES{"5k 20:00", "10km 45:00 --model cameron",
                                                   "half 1:45:00 --exponent 1.08", "5k 20:00 --for 10k"};

std::string fitted_range_text() {
    return format_text("outside the %.1f to %.0f minutes the model was fitted to",
                       {FITTED_SECONDS_MIN / 60, FITTED_SECONDS_MAX / 60});
}

Outcome run(const Inputs& in) {
    const double from = in[DISTANCE_ENTRY].number, seconds = in[TIME_ENTRY].number;
    const bool riegel = in[MODEL_ENTRY].choice == "riegel";
    if (!riegel && in[EXPONENT_ENTRY].given) return refuse(in, EXPONENT_ENTRY, "is for Riegel's model only");
    const double exponent = in[EXPONENT_ENTRY].number;

    Report r;
    const std::string_view judged = judge_race(r, from, seconds, how_read(in[DISTANCE_ENTRY], in[TIME_ENTRY]));
    const std::string_view entered_flag = !judged.empty() ? judged : outside_fitted_range(seconds) ? OUTSIDE_FITTED : "";
    r.headlines.push_back({"race", "race", Unit::Seconds, {race_text(in[DISTANCE_ENTRY], in[TIME_ENTRY]), seconds, entered_flag}});
    r.headlines.push_back({"model", "model", Unit::None,
                           {riegel ? format_text("Riegel, exponent %.2f", {exponent}) : "Cameron"}});

    Table t{"predictions", "", {race_column(), time_column(), per_mile_column(), per_km_column()}, {}, {}};
    bool outside = entered_flag == OUTSIDE_FITTED;
    for (const NamedDistance& d : RACE_DISTANCES) {
        const double s = riegel ? riegel_seconds(from, seconds, d.metres, exponent) : cameron_seconds(from, seconds, d.metres);
        if (!std::isfinite(s) || s <= 0)
            return refuse(in, DISTANCE_ENTRY, "is beyond what the model can predict from (Cameron's up to about 400 km)");
        const std::string_view record = judge_time(r, d.metres, s);
        const std::string_view flag = !record.empty() ? record : outside_fitted_range(s) ? OUTSIDE_FITTED : "";
        outside = outside || flag == OUTSIDE_FITTED;
        const double per_km = s / (d.metres / METRES_PER_KM);
        t.rows.push_back({race_cell(d), time_cell(s, 0, flag), per_mile_cell(per_km), per_km_cell(per_km)});
    }
    r.tables.push_back(std::move(t));
    // The main answer, after the model's own: the race the runner asked for, the marathon
    // unless another.
    const double goal = in[FOR_ENTRY].number;
    const double predicted = riegel ? riegel_seconds(from, seconds, goal, exponent) : cameron_seconds(from, seconds, goal);
    if (!std::isfinite(predicted) || predicted <= 0)
        return refuse(in, FOR_ENTRY, "is beyond what the model can predict (Cameron's up to about 400 km)");
    r.headlines.push_back({"prediction", describe(in[FOR_ENTRY]), Unit::Seconds,
                           time_cell(predicted, 0, judge_time(r, goal, predicted)), false, true});
    if (outside) r.notes.push_back({OUTSIDE_FITTED, NoteKind::Flag, fitted_range_text(), "*"});
    return {.report = std::move(r)};
}

}  // namespace

extern const Tool PREDICT_TOOL;
constinit const Tool PREDICT_TOOL{
    .name = "predict",
    .title = "Race prediction",
    .menu_place = 40,
    .purpose = "Times over the standard distances predicted from one race.",
    .details = "Riegel's power law T2 = T1 (D2/D1)^E (E = 1.06 unless given, from 1.0 to 1.2) or Cameron's "
               "curve. Times outside the 3.5 to 230 minutes the models were fitted to are marked, the race "
               "entered too.",
    .params = PARAMS,
    .examples = EXAMPLES,
    .run = run,
};

}  // namespace quorran
