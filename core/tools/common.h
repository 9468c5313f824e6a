#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/numbers/units.h"
#include "core/running/race_distances.h"
#include "core/toolbox/tool.h"

// What several tools share: the race, time and pace params as runners give them, and
// the cells and notes of their reports.
namespace quorran::tool_parts {

inline constexpr std::string_view DISTANCE_FORMS =
    "a number with km, k, mi, mile or m (metres), such as 10km or 26.2 mi, or marathon or half";
inline constexpr std::string_view TIME_FORMS =
    "[[H:]M:]S such as 3:30:00, 42:30 or 59.5, each part after a colon below 60";
inline constexpr std::string_view PACE_FORMS = "M:SS or M:SS.s, with /km or /mi, such as 4:30/km";

inline constexpr double SHORTEST_RACE_METRES = 100;
inline constexpr double LONGEST_RACE_METRES = 1000 * METRES_PER_KM;
inline constexpr double LONGEST_TIME_SECONDS = 1000.0 * 3600;
inline constexpr double FASTEST_PACE = 60;    // seconds per km
inline constexpr double SLOWEST_PACE = 3600;  // seconds per km

inline constexpr std::string_view KM_FLAG = "km";
inline constexpr std::string_view PER_KM_FLAG = "per_km";

inline constexpr std::array<Choice, 2> COMMON_RACES{{{"marathon", "Marathon"}, {"half", "Half marathon"}}};

inline constexpr Param RACE{.name = "distance", .label = "Distance", .metavar = "DISTANCE",
                            .kind = ParamKind::Distance, .positional = true, .required = true, .example = "10k",
                            .forms = DISTANCE_FORMS, .low = SHORTEST_RACE_METRES, .high = LONGEST_RACE_METRES,
                            .choices = COMMON_RACES, .bare_km_flag = KM_FLAG};
inline constexpr Param RACE_TIME{.name = "time", .label = "Time", .metavar = "TIME", .kind = ParamKind::Time,
                                 .positional = true, .required = true, .example = "45:00", .forms = TIME_FORMS,
                                 .low = 0, .high = LONGEST_TIME_SECONDS, .open = true};
inline constexpr Param PACE{.name = "pace", .label = "Pace", .metavar = "PACE", .kind = ParamKind::Pace,
                            .positional = true, .required = true, .example = "4:30/km", .forms = PACE_FORMS,
                            .low = FASTEST_PACE, .high = SLOWEST_PACE, .bare_km_flag = PER_KM_FLAG};
inline constexpr Param KM{.name = KM_FLAG, .label = "Bare distances in km", .kind = ParamKind::Flag,
                          .forms = "a bare distance is in km, not miles"};
inline constexpr Param PER_KM{.name = PER_KM_FLAG, .label = "Bare paces per km", .kind = ParamKind::Flag,
                              .forms = "a bare pace is per km, not per mile"};

// ---- Cells ------------------------------------------------------------------------------

inline double per_mile(double seconds_per_km) { return seconds_per_km * (METRES_PER_MILE / METRES_PER_KM); }

Cell time_cell(double seconds, int decimals = 0, std::string_view flag = {});
Cell race_cell(const NamedDistance& d);
Cell per_mile_cell(double seconds_per_km);
Cell per_km_cell(double seconds_per_km);

Column race_column();
Column time_column(std::string_view key = "time", std::string label = "time");
Column per_mile_column();
Column per_km_column();

// A race entered: "5 km in 20:00".
std::string race_text(const Value& distance, const Value& time);

// A refusal of the entry, once every entry could be read: what the tool cannot take. The
// reason may name entries as {name}; what a runner typed goes in escaped().
Outcome refuse(const Inputs& in, Entry entry, std::string reason);

// ---- Notes ------------------------------------------------------------------------------

inline constexpr std::string_view OUTSIDE_FITTED = "outside_fitted_range";
inline constexpr std::string_view FASTER_THAN_RECORD = "faster_than_world_record";
inline constexpr std::string_view SLOWER_THAN_WALK = "slower_than_a_walk";

// Below this people walk: a race slower is marked.
inline constexpr double WALKING_KMH = 3.0;

// How a race's entries were read, for a note that flags it: "10 km in 45 s", and what
// may have been meant: "{time} '45' is seconds; for 45 minutes type 45:00".
struct RaceReading {
    std::string race;
    std::string hints;
};
RaceReading how_read(const Value& distance, const Value& time);
// The reading hint of one entry, with its name: "{pace} '4:30' is per mile; ..."; empty
// when its reading cannot surprise.
std::string hinted(const Value& value);

// Judges a race of metres in seconds: faster than the world record over its distance, or
// slower than a walk, each with a note that says how it was read: "10 km in 45 s is faster
// than the world record over its distance (26:11): {time} '45' is seconds; ...". The key
// that flags its cells, or empty when it is plausible.
std::string_view judge_race(Report& report, double metres, double seconds, const RaceReading& read_as);

// The key that flags a time over a distance faster than the world record, the note added
// once; empty when it is not: for every prediction, split and lap a tool computes.
std::string_view judge_time(Report& report, double metres, double seconds);

}  // namespace quorran::tool_parts
