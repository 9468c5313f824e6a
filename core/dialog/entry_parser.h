#pragma once

#include <string_view>

namespace quorran {

// The numeric value of an entry's text; text that is not a number reads as 0.0.
double parse_number(std::string_view text);

// The distance of an entry in miles: "m"/"M" and "h"/"H" as the first character stand
// for the marathon and the half-marathon; unit_factor is 1.0 for miles and KM_PER_MILE
// for kilometres.
double distance_in_miles(std::string_view text, double unit_factor);

// The factor of a Miles/km (or per mile/per km) radio pair.
double unit_factor(bool miles_checked);

}  // namespace quorran
