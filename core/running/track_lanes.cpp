#include "core/running/track_lanes.h"

#include <numbers>

namespace quorran {
namespace {

constexpr double STRAIGHT_METRES = 84.39;
constexpr double KERB_RADIUS = 36.50;
constexpr double LANE_WIDTH = 1.22;
constexpr double LANE_ONE_OFFSET = 0.30;
constexpr double OUTER_LANE_OFFSET = 0.20;

}  // namespace

double lane_metres(int lane) {
    const double radius = lane == 1 ? KERB_RADIUS + LANE_ONE_OFFSET
                                    : KERB_RADIUS + LANE_WIDTH * (lane - 1) + OUTER_LANE_OFFSET;
    return 2 * STRAIGHT_METRES + 2 * std::numbers::pi * radius;
}

double metres_in_lane(double metres, int lane) { return metres * (lane_metres(lane) / lane_metres(1)); }

}  // namespace quorran
