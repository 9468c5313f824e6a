#include "core/running/treadmill.h"

namespace quorran {
namespace {

constexpr double METRES_A_MINUTE_PER_KMH = 1000.0 / 60.0;
constexpr double HORIZONTAL_COST = 0.2;  // ml/kg a metre run on the flat
constexpr double VERTICAL_COST = 0.9;    // ml/kg a metre run, times the grade
constexpr double RESTING_COST = 3.5;     // ml/kg/min at rest

}  // namespace

double running_oxygen_cost(double speed_kmh, double grade) {
    const double v = speed_kmh * METRES_A_MINUTE_PER_KMH;
    return HORIZONTAL_COST * v + VERTICAL_COST * v * grade + RESTING_COST;
}

// 0.2 f + 3.5 = 0.2 v + 0.9 v g + 3.5, so f = v (1 + 4.5 g): the resting part cancels.
double flat_equivalent_kmh(double speed_kmh, double grade) {
    return speed_kmh * (1.0 + VERTICAL_COST / HORIZONTAL_COST * grade);
}

}  // namespace quorran
