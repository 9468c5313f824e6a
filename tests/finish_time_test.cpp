#include <gtest/gtest.h>

#include "core/finish_time_calculator.h"

namespace quorran {
namespace {

struct FinishCase {
    double pace_minutes, pace_seconds, miles;
    const char* text;
};

TEST(FinishTime, CarriesAndWords) {
    const FinishCase cases[] = {
        {8, 0, 26.21875, " 3 hours, 29 mins, 45.0 secs"},
        {9, 0, 30, " 4 hours, 30 mins, 0.0 secs"},
        {6, 0, 2.5, "15 mins, 0.0 secs"},
        // Singular only for exactly 1.0: 61:01 leaves seconds just below 1.0.
        {0, 1, 1, " 0 mins, 1.0 sec"},
        {61, 1, 1, " 1 hour,  1 min, 1.0 secs"},
        // 59.945 s carry into the minute, and a full 60th minute into the hour.
        {0, 59.945, 1, " 1 min, 0.0 secs"},
        {0, 59.93, 1, " 0 mins, 59.9 secs"},
        {119.99916, 0, 1, " 2 hours,  0 mins, 0.0 secs"},
        {7, 90, 5, "42 mins, 30.0 secs"},
        {-8, -30, 1, " 8 mins, 30.0 secs"},
        {8, 0, -30, " 4 hours,  0 mins, 0.0 secs"},
    };
    for (const auto& c : cases) {
        ClockTime time;
        ASSERT_EQ(compute_finish_time(c.pace_minutes, c.pace_seconds, c.miles, time), CalcStatus::Ok) << c.text;
        EXPECT_EQ(finish_time_text(time), c.text);
    }
}

TEST(FinishTime, RejectsZeroDistanceBeforeZeroPace) {
    struct Case { double pace_minutes, pace_seconds, miles; CalcStatus status; };
    const Case cases[] = {
        {8, 0, 0, CalcStatus::ZeroDistance},
        {0, 0, 0, CalcStatus::ZeroDistance},
        {0, 0, 3, CalcStatus::ZeroTime},
        {-0.0, 0, 3, CalcStatus::ZeroTime},
    };
    for (const auto& c : cases) {
        ClockTime time{1, 2, 3};
        EXPECT_EQ(compute_finish_time(c.pace_minutes, c.pace_seconds, c.miles, time), c.status);
        EXPECT_EQ(time.hours + time.minutes + time.seconds, 0.0);
    }
}

}  // namespace
}  // namespace quorran
