#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "core/dialog/calc_types.h"

namespace quorran {

// Characters of the Other Formats selection prefix, its terminator aside.
inline constexpr std::size_t SELECT_PREFIX_LIMIT = 11;

// The pace per mile of a race run in hours:minutes:seconds over distance_miles.
// Signs are dropped; per_mile is zeroed before any check.
CalcStatus compute_pace(double hours, double minutes, double seconds, double distance_miles,
                        PaceTime& per_mile);

// Minutes split into whole minutes and seconds; seconds of SECONDS_CARRY or more carry
// into the next minute.
PaceTime whole_minutes_and_seconds(double minutes);

PaceTime pace_per_km(PaceTime per_mile);
PaceTime pace_per_400m(PaceTime per_km);

// Each from the pace per mile.
double decimal_minutes(PaceTime per_mile);
double speed_kmh(PaceTime per_mile);
double speed_mph(PaceTime per_mile);
double speed_mps(PaceTime per_mile);
double speed_fps(PaceTime per_mile);

// The Resultant Pace text.
std::string pace_result_text(PaceTime per_mile);

struct OtherFormats {
    std::array<std::string, 9> lines;  // in list order
    std::array<double, 9> values;      // the number each line begins with, unrounded
    std::string select_prefix;         // picks the per-400 m line
};
OtherFormats other_formats(PaceTime per_mile);

}  // namespace quorran
