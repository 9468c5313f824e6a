#pragma once

// A standard 400 m track: two straights and two bends, lanes 1 to 8.
namespace quorran {

inline constexpr int TRACK_LANES = 8;

// The length of one lap in `lane` (1 to 8), measured along the line a runner runs:
// 0.30 m from the kerb in lane 1, 0.20 m from the inner line in the others.
double lane_metres(int lane);

// The metres run over a distance measured in lane 1 (400 m a lap) run wholly in another
// lane: 1600 m in lane 4 is four laps of lane 4.
double metres_in_lane(double metres, int lane);

}  // namespace quorran
