#pragma once

#include "core/numbers/units.h"

// Records, statuses and constants shared by the calculators.
namespace quorran {

// The dialog's marathon is 26 miles 385 yards (42,194.988 m), not the toolbox's 42,195 m:
// its shortcuts "m" and "h" are these exact binary fractions of a mile, and every text
// the dialog prints for them depends on that.
inline constexpr double MILES_PER_MARATHON = 26.21875;
inline constexpr double MILES_PER_HALF = 13.109375;

inline constexpr double SECONDS_PER_MINUTE = 60.0;
inline constexpr double ONE_SIXTIETH = 0.016666666666666666;         // the double nearest 1/60
inline constexpr double ONE_3600TH = 0.0002777777777777778;          // the double nearest 1/3600
// Seconds at or above this carry into the next minute, so 59.95 s never prints as 60.0.
inline constexpr double SECONDS_CARRY = 59.94;
// Minutes above this after a seconds carry have reached 60 and carry into the hour.
inline constexpr double MINUTES_CARRY = 59.4;

// Minutes and seconds per unit distance.
struct PaceTime {
    double minutes = 0.0;
    double seconds = 0.0;
};

struct ClockTime {
    double hours = 0.0;
    double minutes = 0.0;
    double seconds = 0.0;
};

enum class CalcStatus : int { Ok = 0, ZeroDistance = 1, ZeroTime = 2 };

}  // namespace quorran
