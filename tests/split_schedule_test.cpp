#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "core/split_schedule.h"

namespace quorran {
namespace {

constexpr double KM = 0.621371192237334;

std::vector<std::string> splits(double pace_minutes, double miles) { return build_splits(pace_minutes, 0, miles); }

TEST(SplitSchedule, MarathonAtEightMinutes) {
    const auto rows = splits(8, 26.21875);
    ASSERT_EQ(rows.size(), 36u);
    const std::pair<std::size_t, const char*> expected[] = {
        {0, " 1 m                 8:00.0"},   {3, " 5 km            24:51.3"},
        {7, "10 km           49:42.6"},      {9, " 8 m          1:04:00.0"},
        {17, "H Mar       1:44:52.5"},        {32, "40 km       3:18:50.3"},
        {34, "26 m         3:28:00.0"},       {35, "Finish        3:29:45.0"},
    };
    for (const auto& [i, row] : expected) EXPECT_EQ(rows[i], row) << i;
}

struct StopCase {
    double pace_minutes, miles;
    std::size_t count;
    const char* last;  // nullptr when there are no rows
};

// Marks at or beyond the race are never listed; one equal to it gives way to the
// Finish row; longer races end at the marathon mark.
TEST(SplitSchedule, StopRules) {
    const StopCase cases[] = {
        {6, 2.5, 3, "Finish            15:00.0"},
        {9, 30, 36, "Mar         3:55:58.1"},
        {8, 42.195 * KM, 36, "Mar         3:29:45.0"},
        {8, 21.0975 * KM, 19, "Finish        1:44:52.5"},
        {8, 13.109375, 18, "Finish        1:44:52.5"},
        {8, 10 * KM, 8, "Finish            49:42.6"},
        {8, 25 * KM, 21, "Finish        2:04:16.5"},
        {8, 40 * KM, 33, "Finish        3:18:50.3"},
        {8, 2.0, 0, nullptr},
        {8, 2.0000000000000004, 3, "Finish            16:00.0"},
        {9, -30, 0, nullptr},
        {8, std::numeric_limits<double>::infinity(), 36, "Mar         3:29:45.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.miles);
        const auto rows = splits(c.pace_minutes, c.miles);
        ASSERT_EQ(rows.size(), c.count);
        if (c.last != nullptr) {
            EXPECT_EQ(rows.back(), c.last);
        }
    }
}

}  // namespace
}  // namespace quorran
