#include "core/running/split_plan.h"

namespace quorran {

double planned_seconds_at(double metres, double seconds, double negative_percent, double x) {
    const double share = negative_percent / 100.0;
    const double half = metres / 2;
    const double first_pace = 2 * seconds / (metres * (2 - share));
    const double second_pace = first_pace * (1 - share);
    // Each half at its own pace.
    return x <= half ? x * first_pace : half * first_pace + (x - half) * second_pace;
}

std::vector<PlannedSplit> split_plan(double metres, double seconds, double every_metres,
                                     double negative_percent) {
    const auto time_at = [&](double x) { return planned_seconds_at(metres, seconds, negative_percent, x); };

    std::vector<PlannedSplit> plan;
    double previous = 0.0;
    for (double n = 1; n <= MAX_SPLITS; ++n) {
        // A mark a rounding error short of the finish is the finish.
        const bool finish = n * every_metres >= metres - 1e-9 * every_metres;
        const double at = finish ? seconds : time_at(n * every_metres);
        plan.push_back({finish ? metres : n * every_metres, at - previous, at});
        previous = at;
        if (finish) break;
    }
    return plan;
}

}  // namespace quorran
