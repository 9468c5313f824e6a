#include "core/running/race_prediction.h"

#include <cmath>

namespace quorran {
namespace {

// Cameron's speed factor at d metres: the time over d is proportional to d / a(d).
double cameron_factor(double d) { return 13.49681 - 0.000030363 * d + 835.7114 * std::pow(d, -0.7905); }

}  // namespace

double riegel_seconds(double from_metres, double from_seconds, double metres, double exponent) {
    return from_seconds * std::pow(metres / from_metres, exponent);
}

double cameron_seconds(double from_metres, double from_seconds, double metres) {
    return from_seconds / from_metres * (cameron_factor(from_metres) / cameron_factor(metres)) * metres;
}

bool outside_fitted_range(double seconds) {
    return seconds < FITTED_SECONDS_MIN || seconds > FITTED_SECONDS_MAX;
}

}  // namespace quorran
