#include <gtest/gtest.h>

#include <limits>

#include "core/calc_types.h"
#include "core/entry_parser.h"

namespace quorran {
namespace {

struct DistanceCase {
    const char* text;
    bool miles;
    double expected;
};

// The shortcuts test only the first character as typed, and kilometres are converted by
// one multiplication, which brings the shortcuts back to exactly their miles.
TEST(EntryParser, DistanceInMiles) {
    const DistanceCase cases[] = {
        {"26.2", true, 26.2},
        {"  26.2 miles", true, 26.2},
        {"26.2km", true, 26.2},
        {"", true, 0.0},
        {"m", true, MILES_PER_MARATHON},
        {"M", false, MILES_PER_MARATHON},
        {"marathon", true, MILES_PER_MARATHON},
        {"m5", true, MILES_PER_MARATHON},
        {"Mara", false, MILES_PER_MARATHON},
        {"h", true, MILES_PER_HALF},
        {"H", false, MILES_PER_HALF},
        {"HM", true, MILES_PER_HALF},
        {"half", false, MILES_PER_HALF},
        {" m", true, 0.0},
        {"5m", true, 5.0},
        {"10", false, 6.2137119223733395},
        {"-5", true, -5.0},
        {"abc", false, 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(distance_in_miles(c.text, unit_factor(c.miles)), c.expected)
            << '"' << c.text << "\" " << (c.miles ? "miles" : "km");
    }
}

// Out-of-range entries read as infinity or zero, with their sign, in either unit.
TEST(EntryParser, OutOfRangeDistances) {
    EXPECT_EQ(distance_in_miles("-1e999", unit_factor(false)), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(distance_in_miles("1e-999km", unit_factor(false)), 0.0);
}

}  // namespace
}  // namespace quorran
