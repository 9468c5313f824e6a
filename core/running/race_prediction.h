#pragma once

// Race times predicted from one race, by Riegel's power law or Cameron's curve.
namespace quorran {

inline constexpr double RIEGEL_EXPONENT = 1.06;
inline constexpr double RIEGEL_EXPONENT_MIN = 1.0;
inline constexpr double RIEGEL_EXPONENT_MAX = 1.2;

// Both models were fitted to races that lasted this long (in seconds).
inline constexpr double FITTED_SECONDS_MIN = 3.5 * 60;
inline constexpr double FITTED_SECONDS_MAX = 230.0 * 60;

// The time over `metres` of a runner who ran `from_metres` in `from_seconds`.
double riegel_seconds(double from_metres, double from_seconds, double metres,
                      double exponent = RIEGEL_EXPONENT);
double cameron_seconds(double from_metres, double from_seconds, double metres);

bool outside_fitted_range(double seconds);

}  // namespace quorran
