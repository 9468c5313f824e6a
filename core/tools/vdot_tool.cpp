// vdot: VDOT, equivalent race times and training paces from one race.
#include <cmath>
#include <utility>

#include "core/numbers/number_text.h"
#include "core/running/clock_time.h"
#include "core/running/vdot.h"
#include "core/running/world_records.h"
#include "core/toolbox/entry_reading.h"
#include "core/tools/common.h"

namespace quorran {
namespace {

using namespace tool_parts;

constexpr double VDOT_SENSIBLE_MIN = 20;
constexpr double VDOT_SENSIBLE_MAX = 85;
// The equations are fitted to running: below this a race is a walk, and the cost of
// running the equations give for it falls to nothing (5 km in 3:20:00 is VDOT 0.0).
constexpr double SLOWEST_RUNNING_KMH = 6;
constexpr std::array<Param, 3> PARAMS{RACE, RACE_TIME, KM};
constexpr Entry DISTANCE_ENTRY = entry(PARAMS, "distance"), TIME_ENTRY = entry(PARAMS, "time");
constexpr std::array<std::string_view, 2> EXAMPLES{"5k 20:00", "--km 10 45:00"};

Outcome run(const Inputs& in) {
    const double metres = in[DISTANCE_ENTRY].number, seconds = in[TIME_ENTRY].number;
    if (faster_than_world_record(metres, seconds)) {
        return refuse(in, TIME_ENTRY, "is faster than the world record over " + escaped(describe(in[DISTANCE_ENTRY])) +
                                          " (" + clock_text(world_record_seconds(metres), 0) + "): it gives no VDOT");
    }
    if (metres / seconds * 3.6 < SLOWEST_RUNNING_KMH) {
        return refuse(in, TIME_ENTRY, format_text("is slower than %.0f km/h, a walk: the equations, fitted to running, give "
                                                  "no VDOT for it", {SLOWEST_RUNNING_KMH}));
    }
    const double v = vdot(metres, seconds);
    if (!(v > 0) || !std::isfinite(v)) return refuse(in, TIME_ENTRY, "is too slow: the equations give no VDOT for it");
    const bool sensible = v >= VDOT_SENSIBLE_MIN && v <= VDOT_SENSIBLE_MAX;

    Report r;
    r.headlines.push_back({"race", "race", Unit::Seconds, {race_text(in[DISTANCE_ENTRY], in[TIME_ENTRY]), seconds}});
    r.headlines.push_back({"vdot", "VDOT", Unit::MlPerKgMin,
                           {format_text("%.1f", {v}), v, sensible ? "" : "outside_sensible_range"}, false, true});
    Table equivalents{"equivalents", "Equivalent race times",
                      {race_column(), time_column(), per_mile_column(), per_km_column()}, {}, {}};
    for (const NamedDistance& d : RACE_DISTANCES) {
        const double s = equivalent_seconds(v, d.metres);
        const double per_km = s / (d.metres / METRES_PER_KM);
        equivalents.rows.push_back({race_cell(d), time_cell(s), per_mile_cell(per_km), per_km_cell(per_km)});
    }
    const TrainingPaces p = training_paces(v);
    const std::pair<std::string_view, double> paces[] = {
        {"easy, slowest", p.easy_slow}, {"easy, fastest", p.easy_fast}, {"marathon", p.marathon},
        {"threshold", p.threshold},     {"interval", p.interval},       {"repetition", p.repetition}};
    Table training{"paces", "Training paces", {{"pace", "pace", Unit::None, true}, per_mile_column(), per_km_column()}, {}, {}};
    for (const auto& [name, pace] : paces)
        training.rows.push_back({{std::string(name)}, per_mile_cell(pace), per_km_cell(pace)});
    r.tables.push_back(std::move(equivalents));
    r.tables.push_back(std::move(training));
    if (!sensible) {
        r.notes.push_back({"outside_sensible_range", NoteKind::Flag,
                           format_text("outside the %.0f to %.0f the equations are sensible for",
                                       {VDOT_SENSIBLE_MIN, VDOT_SENSIBLE_MAX}),
                           "*"});
    }
    r.notes.push_back({"daniels_gilbert", NoteKind::Credit,
                       "Derived from the published Daniels-Gilbert equations, not from any book's tables."});
    return {.report = std::move(r)};
}

}  // namespace

extern const Tool VDOT_TOOL;
constinit const Tool VDOT_TOOL{
    .name = "vdot",
    .title = "VDOT and training paces",
    .menu_place = 50,
    .purpose = "VDOT, equivalent race times and training paces from one race.",
    .details = "Derived from the published Daniels-Gilbert equations, not from any book's tables. A VDOT "
               "outside 20 to 85 is marked; a race faster than the world record is refused.",
    .params = PARAMS,
    .examples = EXAMPLES,
    .run = run,
};

}  // namespace quorran
