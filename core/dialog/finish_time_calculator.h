#pragma once

#include <string>

#include "core/dialog/calc_types.h"

namespace quorran {

// The time to cover distance_miles at pace_minutes:pace_seconds per mile. Signs are
// dropped; time is zeroed before any check.
CalcStatus compute_finish_time(double pace_minutes, double pace_seconds, double distance_miles,
                               ClockTime& time);

// The Finish Time text.
std::string finish_time_text(const ClockTime& time);

}  // namespace quorran
