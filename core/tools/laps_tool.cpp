// laps: lap times in each lane of a 400 m track, and times over track distances.
#include <string>

#include "core/numbers/number_text.h"
#include "core/toolbox/entry_reading.h"
#include "core/running/track_lanes.h"
#include "core/tools/common.h"

namespace quorran {
namespace {

using namespace tool_parts;

constexpr std::array<Param, 5> PARAMS{
    PACE,
    Param{.name = "run", .label = "Distance run", .metavar = "DISTANCE", .kind = ParamKind::Distance,
          .example = "1600m", .forms = "a distance run in the lane, as measured in lane 1, such as 1600m or 1 mile",
          .low = SHORTEST_RACE_METRES, .high = LONGEST_RACE_METRES, .bare_km_flag = KM_FLAG},
    Param{.name = "lane", .label = "Lane", .metavar = "LANE", .kind = ParamKind::Number, .fallback = "1",
          .example = "4", .forms = "the lane run in, 1 to 8", .low = 1, .high = TRACK_LANES, .whole = true},
    KM, PER_KM};
constexpr Entry PACE_ENTRY = entry(PARAMS, "pace"), RUN_ENTRY = entry(PARAMS, "run"), LANE_ENTRY = entry(PARAMS, "lane");
constexpr std::array<std::string_view, 3> EXAMPLES{"4:00/km", "6:30", "4:00/km --run 1600m --lane 4"};

Outcome run(const Inputs& in) {
    const double pace = in[PACE_ENTRY].number;
    Report r;
    // The pace as it was read, judged over a km like any race.
    const RaceReading read_as{"a pace of " + escaped(describe(in[PACE_ENTRY])), hinted(in[PACE_ENTRY])};
    r.headlines.push_back({"pace", "pace", Unit::SecondsPerKm,
                           {describe(in[PACE_ENTRY]), pace, judge_race(r, METRES_PER_KM, pace, read_as)}});
    // The main answer: the lap in the lane, or the distance asked for run in it.
    const int lane = static_cast<int>(in[LANE_ENTRY].number);
    const bool run = in[RUN_ENTRY].present;
    const double metres = metres_in_lane(run ? in[RUN_ENTRY].number : lane_metres(1), lane);
    const double seconds = seconds_over(metres, pace);
    const std::string lane_text = format_text(" in lane %.0f", {static_cast<double>(lane)});
    r.headlines.push_back({"lane_time", (run ? describe(in[RUN_ENTRY]) : "lap") + lane_text, Unit::Seconds,
                           time_cell(seconds, 1, judge_time(r, metres, seconds)), false, true});
    if (run) r.headlines.push_back({"lane_metres", "metres run", Unit::Metres, {format_text("%.2f m", {metres}), metres}});
    Table lanes{"lanes", "Lanes", {{"lane", "lane", Unit::Count}, {"metres", "metres", Unit::Metres}, time_column("lap", "lap")}, {}, {}};
    for (int lane = 1; lane <= TRACK_LANES; ++lane) {
        const double metres = lane_metres(lane);
        lanes.rows.push_back({{std::to_string(lane), static_cast<double>(lane)},
                              {format_text("%.2f", {metres}), metres},
                              time_cell(seconds_over(metres, pace), 1, judge_time(r, metres, seconds_over(metres, pace)))});
    }
    Table distances{"distances", "Track distances", {race_column(), time_column()}, {}, {}};
    for (const NamedDistance& d : TRACK_DISTANCES)
        distances.rows.push_back({race_cell(d), time_cell(seconds_over(d.metres, pace), 1, judge_time(r, d.metres, seconds_over(d.metres, pace)))});
    r.tables.push_back(std::move(lanes));
    r.tables.push_back(std::move(distances));
    return {.report = std::move(r)};
}

}  // namespace

extern const Tool LAPS_TOOL;
constinit const Tool LAPS_TOOL{
    .name = "laps",
    .title = "Track laps",
    .menu_place = 70,
    .purpose = "Lap times in lanes 1 to 8 of a 400 m track, and times over track distances.",
    .details = "Lane 1 is measured 0.30 m from the kerb, the others 0.20 m from their inner line.",
    .params = PARAMS,
    .examples = EXAMPLES,
    .run = run,
};

}  // namespace quorran
