#pragma once

// Records, statuses and constants shared by the calculators.
namespace quorran {

inline constexpr double KM_PER_MILE = 1.609344;
inline constexpr double KM_TO_MILES = 0.621371192237334;  // the double nearest 1 / 1.609344
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
