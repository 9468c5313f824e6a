#pragma once

#include <vector>

// An even or negative split plan for a race: where each split ends and when.
namespace quorran {

// --negative takes a share of per cent strictly between these.
inline constexpr double NEGATIVE_PERCENT_MIN = -50.0;
inline constexpr double NEGATIVE_PERCENT_MAX = 50.0;
// A plan has at most this many splits.
inline constexpr double MAX_SPLITS = 10000.0;

struct PlannedSplit {
    double metres;  // from the start to the end of this split
    double split_seconds;
    double cumulative_seconds;
};

// Splits every `every_metres` and a last one at the finish of a race of `metres` run in
// `seconds`, the second half `negative_percent` per cent faster per metre than the first
// (slower when it is negative). The last cumulative time is `seconds` itself.
std::vector<PlannedSplit> split_plan(double metres, double seconds, double every_metres,
                                     double negative_percent = 0.0);

// The time at x metres into that race (x from 0 to metres).
double planned_seconds_at(double metres, double seconds, double negative_percent, double x);

}  // namespace quorran
