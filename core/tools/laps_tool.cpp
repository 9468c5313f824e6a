// laps: lap times in each lane of a 400 m track, and times over track distances.
#include <string>

#include "core/numbers/number_text.h"
#include "core/toolbox/entry_reading.h"
#include "core/running/track_lanes.h"
#include "core/tools/common.h"

namespace quorran {
namespace {

using namespace tool_parts;

constexpr std::array<Param, 2> PARAMS{PACE, PER_KM};
constexpr Entry PACE_ENTRY = entry(PARAMS, "pace");
constexpr std::array<std::string_view, 2> EXAMPLES{"4:00/km", "6:30"};

Outcome run(const Inputs& in) {
    const double pace = in[PACE_ENTRY].number;
    Report r;
    // The pace as it was read, judged over a km like any race.
    const RaceReading read_as{"a pace of " + escaped(describe(in[PACE_ENTRY])), hinted(in[PACE_ENTRY])};
    r.headlines.push_back({"pace", "pace", Unit::SecondsPerKm,
                           {describe(in[PACE_ENTRY]), pace, judge_race(r, METRES_PER_KM, pace, read_as)}});
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
