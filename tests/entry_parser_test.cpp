#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

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

TEST(EntryParser, ParseNumberReadsTheLeadingNumberOnly) {
    const std::pair<const char*, double> cases[] = {
        {"8:30", 8.0}, {"1,5", 1.0}, {"1e1", 10.0}, {"1d1", 10.0}, {".5", 0.5},
        {"0x10", 0.0}, {"inf", 0.0}, {"nan", 0.0}, {"m", 0.0}, {"\t\n 7", 7.0},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(parse_number(text), expected) << text;
}

TEST(EntryParser, OutOfRangeEntriesStayDefined) {
    EXPECT_EQ(parse_number("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(distance_in_miles("-1e999", unit_factor(false)), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(parse_number("1e-999"), 0.0);
    EXPECT_EQ(parse_number(std::string(300, '9')), 1e300);
}

}  // namespace
}  // namespace quorran
