#include "core/running/vdot.h"

#include <cmath>

#include "core/running/race_distances.h"

namespace quorran {
namespace {

constexpr double COST_CONSTANT = -4.60;
constexpr double COST_LINEAR = 0.182258;
constexpr double COST_SQUARE = 0.000104;

double seconds_per_km_at(double metres_per_minute) { return 60.0 * METRES_PER_KM / metres_per_minute; }

}  // namespace

double oxygen_cost(double v) { return COST_CONSTANT + COST_LINEAR * v + COST_SQUARE * v * v; }

double share_of_max(double t) {
    return 0.8 + 0.1894393 * std::exp(-0.012778 * t) + 0.2989558 * std::exp(-0.1932605 * t);
}

double vdot(double metres, double seconds) {
    const double minutes = seconds / 60.0;
    return oxygen_cost(metres / minutes) / share_of_max(minutes);
}

double equivalent_seconds(double vdot_value, double metres) {
    // VDOT falls as the time grows: halve a bracket of times, in logarithms, from a
    // pace no one runs to one no one would call running.
    double fast = std::log(1e-6 * metres);
    double slow = std::log(1e3 * metres);
    for (int i = 0; i < 200 && slow - fast > 1e-15; ++i) {
        const double middle = (fast + slow) / 2;
        (vdot(metres, std::exp(middle)) > vdot_value ? fast : slow) = middle;
    }
    return std::exp((fast + slow) / 2);
}

double speed_at_share(double vdot_value, double share) {
    // The positive root of COST_SQUARE v^2 + COST_LINEAR v + COST_CONSTANT = share x VDOT.
    const double c = COST_CONSTANT - share * vdot_value;
    return (-COST_LINEAR + std::sqrt(COST_LINEAR * COST_LINEAR - 4 * COST_SQUARE * c)) /
           (2 * COST_SQUARE);
}

TrainingPaces training_paces(double vdot_value) {
    const auto pace = [&](double share) { return seconds_per_km_at(speed_at_share(vdot_value, share)); };
    return {pace(EASY_SLOW_SHARE),
            pace(EASY_FAST_SHARE),
            equivalent_seconds(vdot_value, MARATHON_METRES) / (MARATHON_METRES / METRES_PER_KM),
            pace(THRESHOLD_SHARE),
            pace(INTERVAL_SHARE),
            pace(REPETITION_SHARE)};
}

}  // namespace quorran
