// The calculations, number by number: entry parsing, pace and its other forms, finish
// time and splits. The order of each sum and conversion decides some printed tenths,
// and every carry and stop rule is tried on both sides of its boundary.
#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "core/dialog/entry_parser.h"
#include "core/dialog/finish_time_calculator.h"
#include "core/dialog/pace_calculator.h"
#include "core/dialog/split_schedule.h"

namespace quorran {
namespace {

constexpr double INF = std::numeric_limits<double>::infinity();
constexpr double KM = 0.621371192237334;

// The shortcuts test only the first character as typed; kilometres are converted by one
// multiplication, which brings the shortcuts back to exactly their miles.
TEST(Calculations, DistanceInMiles) {
    const struct { const char* text; bool miles; double expected; } cases[] = {
        {"m", true, 26.21875}, {"M", false, 26.21875},   {"marathon", true, 26.21875}, {"Mara", false, 26.21875},
        {"h", true, 13.109375}, {"H", false, 13.109375}, {"HM", true, 13.109375},  {"half", false, 13.109375},
        {" m", true, 0.0},     {"5m", true, 5.0},        {"26.2km", true, 26.2},   {"-5", true, -5.0},
        // 28 / 1.609344 would be one bit lower, and print 11:20.3 per km for 28 km in 5:17:27.
        {"10", false, 6.2137119223733395}, {"28", false, 17.398393382645352}, {"-1e999", false, -INF},
        {"1e-999km", false, 0.0}};
    for (const auto& c : cases)
        EXPECT_EQ(distance_in_miles(c.text, unit_factor(c.miles)), c.expected) << c.text << (c.miles ? "" : " km");
}

TEST(Calculations, PaceAndOtherFormats) {
    const struct {
        double hours, minutes, seconds, miles;
        const char* result;
        std::array<const char*, 9> lines;  // nullptr: not checked
    } cases[] = {
        {0, 10, 0, 1, "10:00.0 per mile",
         {"  6:12.8 per km", " 149.1 secs or  2:29.1 per 400m", " 10.00 mins/mile", " 9.66 km/h",
          " 6.00 MPH", " 2.68 meters/sec", " 160.9 meters/min", " 8.80 feet/sec", " 528.0 feet/min"}},
        {0, 0, 31, 4, " 0:07.7 per mile",
         {"  0:04.8 per km", " 1.9 secs or  0:01.9 per 400m", " 0.13 mins/mile", " 747.57 km/h",
          " 464.52 MPH", " 207.66 meters/sec", " 12459.4 meters/min", " 681.29 feet/sec", " 40877.4 feet/min"}},
        // Decimal minutes and MPH multiply by the reciprocals: dividing gives 0.93 and 943.88.
        {0, 1, 51, 2, " 0:55.5 per mile", {nullptr, nullptr, " 0.92 mins/mile"}},
        {0, 0, 50, 13.109375, " 0:03.8 per mile", {nullptr, nullptr, nullptr, nullptr, " 943.87 MPH"}},
        // The 400 m time needs 12 characters; its selection prefix keeps 11 and still begins the line.
        {150000, 0, 0, 1, "9000000:00.0 per mile", {nullptr, " 134216177.5 secs or 2236936:17.5 per 400m"}},
        // Seconds of exactly 11.25 print half up from their 17-digit string.
        {1, 21, 52.5, 10, " 8:11.3 per mile", {}},
        // Seconds join the hours before the minutes: the other orders give 23:35.8 and 15:34.7.
        {1, 34, 23, 4, "23:35.7 per mile", {}},
        {1, 2, 19, 4, "15:34.8 per mile", {}},
        // Seconds of exactly 59.94 carry into the next minute, 59.93 do not.
        {0, 0.999, 0, 1, " 1:00.0 per mile", {}},
        {0, 7.9991, 0, 1, " 8:00.0 per mile", {}},
        {0, 7.99883, 0, 1, " 7:59.9 per mile", {}},
        {0, 40, 0, -5, " 8:00.0 per mile", {}},
        {-1, -30, 0, 10, " 9:00.0 per mile", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        PaceTime pace;
        ASSERT_EQ(compute_pace(c.hours, c.minutes, c.seconds, c.miles, pace), CalcStatus::Ok);
        EXPECT_EQ(pace_result_text(pace), c.result);
        const OtherFormats formats = other_formats(pace);
        for (std::size_t i = 0; i < c.lines.size(); ++i)
            EXPECT_TRUE(c.lines[i] == nullptr || formats.lines[i] == c.lines[i]) << formats.lines[i];
        EXPECT_TRUE(formats.lines[1].starts_with(formats.select_prefix) && formats.select_prefix.size() <= 11);
    }
}

// Both conversions carry seconds of exactly 59.94 into the next minute, not 59.932.
TEST(Calculations, ConversionsCarryAt5994) {
    const PaceTime per_km = pace_per_km({8, 2.706639359999997});  // 482.70663936 s x 0.621371192237334 = 299.94
    const PaceTime per_400m = pace_per_400m({2, 29.85});           // 149.85 s x 0.4 = 59.94
    const PaceTime below = pace_per_400m({2, 29.83});              // 59.932
    EXPECT_EQ((std::array{per_km.minutes, per_km.seconds, per_400m.minutes, per_400m.seconds, below.minutes}),
              (std::array{5.0, 0.0, 1.0, 0.0, 0.0}));
    // The 400 m pace comes from the per-km pace, not straight from the mile (60.0), and km/h
    // divide by hours, not multiply by 3600 (5.02).
    EXPECT_EQ(other_formats({4, 1.6027679999999975}).lines[1], " 60.1 secs or  1:00.1 per 400m");
    EXPECT_EQ(other_formats({19, 15.261894317048927}).lines[3], " 5.01 km/h");
}

TEST(Calculations, FinishTime) {
    const struct { double pace_minutes, pace_seconds, miles; const char* text; } cases[] = {
        {9, 0, 30, " 4 hours, 30 mins, 0.0 secs"}, {6, 0, 2.5, "15 mins, 0.0 secs"},
        {60, 0, 1, " 1 hour,  0 mins, 0.0 secs"},  {59, 0, 1, "59 mins, 0.0 secs"},
        // Singular only for exactly 1.0: 61:01 leaves seconds just below 1.0.
        {0, 1, 1, " 0 mins, 1.0 sec"}, {61, 1, 1, " 1 hour,  1 min, 1.0 secs"},
        // 59.945 s carry into the minute, and a full 60th minute into the hour.
        {0, 59.945, 1, " 1 min, 0.0 secs"}, {0, 59.93, 1, " 0 mins, 59.9 secs"},
        {119.99916, 0, 1, " 2 hours,  0 mins, 0.0 secs"},
        // The pace's seconds are multiplied by the reciprocal of 60: dividing gives 29.3.
        {0, 49.75, 3, " 2 mins, 29.2 secs"}, {7, 90, 5, "42 mins, 30.0 secs"},
        {-8, -30, 1, " 8 mins, 30.0 secs"}, {8, 0, -30, " 4 hours,  0 mins, 0.0 secs"},
    };
    for (const auto& c : cases) {
        ClockTime time;
        ASSERT_EQ(compute_finish_time(c.pace_minutes, c.pace_seconds, c.miles, time), CalcStatus::Ok) << c.text;
        EXPECT_EQ(finish_time_text(time), c.text);
    }
}

// The distance is checked before the time, and a failed call leaves its outputs zero.
TEST(Calculations, ZeroDistanceBeforeZeroTime) {
    const struct { double a, b, miles; CalcStatus status; } cases[] = {
        {8, 0, 0, CalcStatus::ZeroDistance}, {0, 0, -0.0, CalcStatus::ZeroDistance},
        {0, 0, 3, CalcStatus::ZeroTime},     {-0.0, 0, 3, CalcStatus::ZeroTime}};
    for (const auto& c : cases) {
        PaceTime pace{7, 7};
        ClockTime time{1, 2, 3};
        EXPECT_EQ(compute_pace(c.a, 0, c.b, c.miles, pace), c.status);
        EXPECT_EQ(compute_finish_time(c.a, c.b, c.miles, time), c.status);
        EXPECT_EQ((std::array{pace.minutes, pace.seconds, time.hours, time.minutes, time.seconds}),
                  (std::array{0.0, 0.0, 0.0, 0.0, 0.0}));
    }
}

// Marks at or beyond the race are never listed; one equal to it gives way to the Finish
// row; races beyond the marathon end at its mark; 2 miles or less get no rows.
TEST(Calculations, Splits) {
    const struct { double pace_minutes, miles; std::size_t count; const char* last; } cases[] = {
        {4, 2.5, 3, "Finish            10:00.0"},  {9, 30, 36, "Mar         3:55:58.1"},
        {8, 42.195 * KM, 36, "Mar         3:29:45.0"}, {8, 21.0975 * KM, 19, "Finish        1:44:52.5"},
        {8, 13.109375, 18, "Finish        1:44:52.5"}, {8, 10 * KM, 8, "Finish            49:42.6"},
        {8, 25 * KM, 21, "Finish        2:04:16.5"}, {8, 40 * KM, 33, "Finish        3:18:50.3"},
        {8, 2.0, 0, nullptr},                        {8, 2.0000000000000004, 3, "Finish            16:00.0"},
        {9, -30, 0, nullptr},                        {8, INF, 36, "Mar         3:29:45.0"},
    };
    for (const auto& c : cases) {
        const auto rows = build_splits(c.pace_minutes, 0, c.miles);
        ASSERT_EQ(rows.size(), c.count) << c.miles;
        EXPECT_TRUE(c.last == nullptr || rows.back() == c.last) << '"' << rows.back() << '"';
    }
    EXPECT_EQ(build_splits(4, 0, 2.5)[1], " 2 m                 8:00.0");
}

}  // namespace
}  // namespace quorran
