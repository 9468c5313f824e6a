#pragma once

#include <array>
#include <string_view>

#include "core/numbers/units.h"

// The distances runners race and train over, in metres.
namespace quorran {

inline constexpr double MARATHON_METRES = 42195.0;
inline constexpr double HALF_MARATHON_METRES = 21097.5;

struct NamedDistance {
    std::string_view name;
    double metres;
};

// The standard race distances, shortest first.
inline constexpr std::array<NamedDistance, 10> RACE_DISTANCES = {{
    {"1500 m", 1500.0},
    {"1 mile", METRES_PER_MILE},
    {"3000 m", 3000.0},
    {"5 km", 5000.0},
    {"10 km", 10000.0},
    {"15 km", 15000.0},
    {"10 miles", 10 * METRES_PER_MILE},
    {"half marathon", HALF_MARATHON_METRES},
    {"30 km", 30000.0},
    {"marathon", MARATHON_METRES},
}};

// The distances a track session is run over, shortest first.
inline constexpr std::array<NamedDistance, 10> TRACK_DISTANCES = {{
    {"100 m", 100.0},
    {"200 m", 200.0},
    {"300 m", 300.0},
    {"400 m", 400.0},
    {"800 m", 800.0},
    {"1000 m", 1000.0},
    {"1200 m", 1200.0},
    {"1500 m", 1500.0},
    {"1600 m", 1600.0},
    {"1 mile", METRES_PER_MILE},
}};

// Seconds to cover metres at a pace of seconds_per_km.
inline double seconds_over(double metres, double seconds_per_km) {
    return seconds_per_km * (metres / METRES_PER_KM);
}

// Metres covered in seconds at a pace of seconds_per_km.
inline double metres_in(double seconds, double seconds_per_km) {
    return seconds / seconds_per_km * METRES_PER_KM;
}

}  // namespace quorran
