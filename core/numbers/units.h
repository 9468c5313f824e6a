#pragma once

// The lengths every part of the program converts between, each defined once.
namespace quorran {

inline constexpr double KM_PER_MILE = 1.609344;           // exact, by the international yard
inline constexpr double KM_TO_MILES = 0.621371192237334;  // the double nearest 1 / 1.609344
inline constexpr double METRES_PER_KM = 1000.0;
inline constexpr double METRES_PER_MILE = 1609.344;
inline constexpr double FEET_PER_MILE = 5280.0;

}  // namespace quorran
