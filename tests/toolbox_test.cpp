#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "core/running/clock_time.h"
#include "core/numbers/number_text.h"
#include "core/running/race_distances.h"
#include "core/running/race_prediction.h"
#include "core/running/split_plan.h"
#include "core/toolbox/entry_forms.h"
#include "core/running/track_lanes.h"
#include "core/toolbox/entry_reading.h"
#include "core/toolbox/tool_list.h"
#include "core/running/vdot.h"
#include "core/running/world_records.h"

namespace quorran {
namespace {


// Published figures for a 20:00 5 km, each within a second (VDOT within its tenth).
TEST(Toolbox, PublishedValues) {
    const double v = vdot(5000, 1200);
    const struct { const char* what; double got, want, tolerance; } cases[] = {
        {"VDOT", v, 49.8, 0.05},
        {"Riegel marathon", riegel_seconds(5000, 1200, MARATHON_METRES), 3 * 3600 + 11 * 60 + 49, 1},
        {"Cameron marathon", cameron_seconds(5000, 1200, MARATHON_METRES), 3 * 3600 + 15 * 60 + 11, 1},
        {"VDOT 10 km", equivalent_seconds(v, 10000), 41 * 60 + 28, 1},
        {"VDOT marathon", equivalent_seconds(v, MARATHON_METRES), 3 * 3600 + 11 * 60 + 17, 1},
        {"lane 1", lane_metres(1), 400.00, 0.005},
        {"lane 2", lane_metres(2), 407.04, 0.005},
        {"lane 8", lane_metres(8), 453.03, 0.005},
    };
    for (const auto& c : cases) EXPECT_NEAR(c.got, c.want, c.tolerance) << c.what;
}

// Equivalent times give back the VDOT they came from; training paces get faster in
// order; Riegel with exponent 1 keeps the pace and Cameron slows it over every longer
// race; the fitted range holds both of its limits; metres covered at a pace come back
// to the same time at that pace.
TEST(Toolbox, ModelProperties) {
    double previous_pace = 0;
    for (const auto& d : RACE_DISTANCES) {
        for (const double seconds : {d.metres / 6.0, d.metres / 3.0})
            EXPECT_NEAR(equivalent_seconds(vdot(d.metres, seconds), d.metres), seconds, 0.005) << d.name;
        EXPECT_NEAR(riegel_seconds(5000, 1200, d.metres, 1.0), d.metres * 0.24, 1e-9) << d.name;
        const double pace = cameron_seconds(5000, 1200, d.metres) / d.metres;
        EXPECT_GT(pace, previous_pace) << d.name;
        previous_pace = pace;
    }
    for (const double v : {30.0, 49.8, 85.0}) {
        const TrainingPaces p = training_paces(v);
        const double slower[] = {p.repetition, p.interval, p.threshold, p.marathon, p.easy_fast, p.easy_slow};
        EXPECT_TRUE(std::is_sorted(std::begin(slower), std::end(slower))) << v;
        EXPECT_NEAR(oxygen_cost(speed_at_share(v, THRESHOLD_SHARE)), THRESHOLD_SHARE * v, 1e-9);
    }
    for (const double seconds : {209.9, 210.0, 13800.0, 13800.1})
        EXPECT_EQ(outside_fitted_range(seconds), seconds == 209.9 || seconds == 13800.1) << seconds;
    for (const double seconds : {59.5, 2550.0, 12600.0, 3.6e6}) {
        for (const double pace : {0.1, 180.0, 298.2, 600.0})
            EXPECT_NEAR(seconds_over(metres_in(seconds, pace), pace), seconds, 1e-12 * seconds);
    }
}

TEST(Toolbox, ClockTextsRoundTheTotalFirst) {
    const struct { double seconds; int decimals; const char* text; } cases[] = {
        {59.5, 0, "1:00"},         {59.96, 1, "1:00.0"},          {3599.5, 0, "1:00:00"}, {0.0, 0, "0:00"},
        {3599.96, 1, "1:00:00.0"}, {7199.9996, 3, "2:00:00.000"}, {24.04, 1, "0:24.0"},
        {11509.4, 0, "3:11:49"},   {36000.0, 2, "10:00:00.00"},
    };
    for (const auto& c : cases) EXPECT_EQ(clock_text(c.seconds, c.decimals), c.text) << c.seconds;
    // Just below every minute up to ten hours, at every precision: no part reaches 60.
    for (int minute = 1; minute <= 600; ++minute) {
        for (const double early : {0.5, 0.05, 0.005, 0.0005, 1e-9}) {
            for (int decimals = 0; decimals <= 3; ++decimals) {
                const double s = minute * 60 - early;
                const ClockTime t = clock_parts(s, decimals);
                EXPECT_TRUE(t.minutes < 60 && t.seconds < 60) << s << " " << decimals;
                EXPECT_NEAR(t.hours * 3600 + t.minutes * 60 + t.seconds, s, 0.5 + 1e-9);
            }
        }
    }
}

// The dialog's notes of fields read in part rest on how much the scanner read.
TEST(Toolbox, ScannerLengths) {
    const struct { const char* text; std::size_t length; } scanned[] = {
        {"10km", 2}, {" 1.5e3x", 6}, {"1e", 1}, {"1d+", 1}, {"2E-1:", 4}, {"abc", 0}, {"-.5:00", 3}, {"", 0},
    };
    for (const auto& c : scanned) {
        std::size_t length = 99;
        EXPECT_EQ(scan_number(c.text, length), scan_number(c.text)) << c.text;
        EXPECT_EQ(length, c.length) << c.text;
    }
}

// A param's range and its refusal in words: each bound on both sides, open and closed.
TEST(Toolbox, EntriesOutsideTheirRangeAreRefusedSayingWhy) {
    constexpr Param AGE{.name = "age", .metavar = "AGE", .kind = ParamKind::Number, .positional = true,
                        .low = 5, .high = 99, .whole = true};
    constexpr Param SHARE{.name = "share", .kind = ParamKind::Number, .low = -50, .high = 50, .open = true};
    constexpr Param GRADE{.name = "grade", .kind = ParamKind::Number, .low = 1, .high = 100, .unit = Unit::Percent};
    constexpr Param TIME{.name = "time", .metavar = "TIME", .kind = ParamKind::Time, .positional = true,
                         .forms = "H:MM:SS", .low = 0, .high = 3600, .open = true};
    constexpr Param RACE{.name = "race", .metavar = "DISTANCE", .kind = ParamKind::Distance, .positional = true,
                         .low = 100, .high = 1e6};
    const struct { const Param& param; const char* text; const char* refusal; } cases[] = {
        {AGE, "5", ""}, {AGE, "99", ""}, {AGE, "4", "AGE '4' must be a whole number from 5 to 99"},
        {AGE, "99.5", "AGE '99.5' must be a whole number from 5 to 99"}, {AGE, "50.5", "AGE '50.5' must be a whole number from 5 to 99"},
        {SHARE, "-49.9", ""}, {SHARE, "-50", "--share '-50' must be between -50 and 50"},
        {SHARE, "50", "--share '50' must be between -50 and 50"}, {GRADE, "100", ""},
        {GRADE, "100.01", "--grade '100.01' must be from 1 to 100 %"}, {GRADE, "0.99", "--grade '0.99' must be from 1 to 100 %"}, {SHARE, "5%", "--share '5%' is not a number: give "},
        {TIME, "0:00.1", ""}, {TIME, "0:00", "TIME '0:00' must be above zero"},
        {TIME, "1:00:00", "TIME '1:00:00' must be below 1:00:00"}, {TIME, "1:60", "TIME '1:60' is not a time: give H:MM:SS"},
        {RACE, "100m", ""}, {RACE, "99.9m", "DISTANCE '99.9m' must be at least 100 m: '99.9m' is metres; for miles type 99.9mi"},
        {RACE, "1000k", ""}, {RACE, "1000.1km", "DISTANCE '1000.1km' must be at most 1000 km"},
    };
    for (const auto& c : cases) {
        const Reading r = read_value(c.param, {}, c.text, false);
        EXPECT_EQ(r.refusal ? r.refusal->line() : "", c.refusal) << c.text;
    }
}

// The world record is a bound, not a guess: its time itself is no faster than itself,
// a hundredth less is, between records and beyond them too.
TEST(Toolbox, WorldRecordsBoundWhatARaceCanBe) {
    const struct { double metres, seconds; bool faster; } cases[] = {
        {5000, 755.36, false},  {5000, 755.35, true},  {MARATHON_METRES, 7235, false}, {MARATHON_METRES, 7234.99, true},
        {100, 9.58, false},     {100, 9.57, true},     {319614, 86400, false},         {319614, 86399.9, true},
        {7000, 1100, false},    {7000, 1050, true},     {50, 4.5, true},                {1e6, 400000, false},
    };
    for (const auto& c : cases) EXPECT_EQ(faster_than_world_record(c.metres, c.seconds), c.faster) << c.metres << " " << c.seconds;
}

TEST(Toolbox, SplitPlans) {
    const double mile = METRES_PER_MILE, marathon = MARATHON_METRES;
    const struct { double metres, seconds, every, percent; std::size_t rows; } cases[] = {
        {marathon, 12600, mile, 0, 27}, {marathon, 12600, 5000, 2, 9}, {1500, 250, 400, 49.9, 4},
        {10000, 2400, 1000, -10, 10},   {5000, 1200, 10000, 5, 1},     {3 * mile, 1260, mile, 0, 3},
        // 8.05 km reads as 8050.000000000001 m: no last split of a rounding error.
        {8.05 * 1000, 2400, 50, 0, 161},
    };
    for (const auto& c : cases) {
        const auto plan = split_plan(c.metres, c.seconds, c.every, c.percent);
        ASSERT_EQ(plan.size(), c.rows) << c.metres << " every " << c.every;
        EXPECT_EQ(plan.back().metres, c.metres);
        EXPECT_EQ(plan.back().cumulative_seconds, c.seconds);
        double sum = 0;
        for (const auto& s : plan) sum += s.split_seconds;
        EXPECT_NEAR(sum, c.seconds, 1e-9 * c.seconds);
    }
    // Each half at its own pace: 2% faster per metre after halfway, and a split that
    // spans halfway takes 5 km at the first pace and 5 km at the second.
    EXPECT_NEAR(split_plan(marathon, 12600, marathon / 2, 2).front().split_seconds, 12600 / 1.98, 1e-9);
    const double first_pace = 2 * 4000 / (20000 * 2.1);
    const double across = split_plan(20000, 4000, 15000, -10).front().split_seconds;
    EXPECT_NEAR(across, 10000 * first_pace + 5000 * first_pace * 1.1, 1e-9);
}

}  // namespace
}  // namespace quorran
