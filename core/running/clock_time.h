#pragma once

#include <string>

#include "core/dialog/calc_types.h"

namespace quorran {

// A number of seconds as hours, minutes and seconds, the total rounded to `decimals`
// places of a second first, so the seconds stay below 60 and the minutes below 60.
ClockTime clock_parts(double seconds, int decimals);

// "H:MM:SS" (or "M:SS" under an hour), the seconds with `decimals` places (0 to 3).
std::string clock_text(double seconds, int decimals);

}  // namespace quorran
