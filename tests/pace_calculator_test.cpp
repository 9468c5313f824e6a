#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/pace_calculator.h"

namespace quorran {
namespace {

struct PaceCase {
    double hours, minutes, seconds, miles;
    const char* result;
    std::array<const char*, 9> lines;  // nullptr: not checked
};

// The order of the sum and of each conversion decides some printed tenths.
TEST(PaceCalculator, ResultAndOtherFormats) {
    const PaceCase cases[] = {
        {0, 10, 0, 1, "10:00.0 per mile",
         {"  6:12.8 per km", " 149.1 secs or  2:29.1 per 400m", " 10.00 mins/mile", " 9.66 km/h",
          " 6.00 MPH", " 2.68 meters/sec", " 160.9 meters/min", " 8.80 feet/sec", " 528.0 feet/min"}},
        // Seconds of exactly 11.25 print half up from their 17-digit string.
        {1, 21, 52.5, 10, " 8:11.3 per mile", {}},
        // Seconds join the hours before the minutes: the other order gives 23:35.8.
        {1, 34, 23, 4, "23:35.7 per mile", {}},
        // 59.946 s carry into the next minute; 59.93 s do not.
        {0, 7.9991, 0, 1, " 8:00.0 per mile", {}},
        {0, 7.99883, 0, 1, " 7:59.9 per mile", {}},
        {0, 90, 0, 10, " 9:00.0 per mile", {}},
        {0, 0, 5400, 10, " 9:00.0 per mile", {}},
        {0, 40, 0, -5, " 8:00.0 per mile", {}},
        {-1, -30, 0, 10, " 9:00.0 per mile", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        PaceTime pace;
        ASSERT_EQ(compute_pace(c.hours, c.minutes, c.seconds, c.miles, pace), CalcStatus::Ok);
        EXPECT_EQ(pace_result_text(pace), c.result);
        const OtherFormats formats = other_formats(pace);
        for (std::size_t i = 0; i < c.lines.size(); ++i) {
            if (c.lines[i] != nullptr) {
                EXPECT_EQ(formats.lines[i], c.lines[i]) << "line " << i;
            }
        }
        EXPECT_TRUE(formats.lines[1].starts_with(formats.select_prefix));
    }
}

TEST(PaceCalculator, RejectsZeroDistanceBeforeZeroTime) {
    struct Case { double hours, minutes, seconds, miles; CalcStatus status; };
    const Case cases[] = {
        {0, 0, 0, 0, CalcStatus::ZeroDistance},
        {1, 0, 0, -0.0, CalcStatus::ZeroDistance},
        {0, 0, 0, 5, CalcStatus::ZeroTime},
        {-0.0, 0, -0.0, 5, CalcStatus::ZeroTime},
    };
    for (const auto& c : cases) {
        PaceTime pace{7, 7};
        EXPECT_EQ(compute_pace(c.hours, c.minutes, c.seconds, c.miles, pace), c.status);
        EXPECT_EQ(pace.minutes, 0.0);
        EXPECT_EQ(pace.seconds, 0.0);
    }
}

// Both conversions carry seconds of 59.94 or more into the next minute.
TEST(PaceCalculator, ConversionsCarryIntoTheMinute) {
    const PaceTime per_km = pace_per_km({8, 2.75});    // 299.967 s per km
    EXPECT_EQ(per_km.minutes, 5.0);
    EXPECT_EQ(per_km.seconds, 0.0);
    const PaceTime per_400m = pace_per_400m({4, 59.95});  // 119.98 s per 400 m
    EXPECT_EQ(per_400m.minutes, 2.0);
    EXPECT_EQ(per_400m.seconds, 0.0);
}

}  // namespace
}  // namespace quorran
