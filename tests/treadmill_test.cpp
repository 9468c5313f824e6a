// The treadmill: the ACSM running equation worked by hand, and the tool's entries.
#include <gtest/gtest.h>

#include "core/running/treadmill.h"
#include "core/toolbox/tool_list.h"
#include "core/toolbox/tool_runner.h"

namespace quorran {
namespace {

// 12 km/h is 200 m a minute: 0.2 x 200 + 3.5 = 43.5 on the flat, and 2 % adds
// 0.9 x 200 x 0.02 = 3.6; the flat speed of the same 47.1 is 218 m a minute.
TEST(Treadmill, RunningEquationByHand) {
    const struct { double kmh, grade, cost, flat_kmh; } cases[] = {
        {12, 0, 43.5, 12},             {12, 0.02, 47.1, 13.08},  {12, 0.15, 70.5, 20.1},
        {8, 0.01, 31.3 + 1 / 15.0, 8.36},  {20, 0.05, 85.1 + 1 / 15.0, 24.5},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(running_oxygen_cost(c.kmh, c.grade), c.cost, 1e-9) << c.kmh << " " << c.grade;
        EXPECT_NEAR(flat_equivalent_kmh(c.kmh, c.grade), c.flat_kmh, 1e-9) << c.kmh << " " << c.grade;
        EXPECT_NEAR(running_oxygen_cost(flat_equivalent_kmh(c.kmh, c.grade), 0), c.cost, 1e-9);
    }
}

std::string answer(const Entries& entries) {
    const Outcome o = run_tool(*find_tool("treadmill"), entries);
    if (o.refusal) return o.refusal->line();
    std::string texts;
    for (const Headline& h : o.report.headlines) texts += h.cell.text + "|";
    for (const auto& row : o.report.tables.at(0).rows)
        for (const Cell& c : row) texts += c.text + (c.flag.empty() ? "" : "*") + "|";
    return texts;
}

// Speeds as runners write them, each limit on both sides, the walking flag at 8 km/h.
TEST(Treadmill, Entries) {
    const struct { Entries entries; const char* answer; } cases[] = {
        {{{"speed", "12km/h"}, {"incline", "2"}},
         "12 km/h at 2 % incline|47.1 ml/kg/min|4:35 /km|belt|5:00|8:03|12.00|7.46|flat|4:35|7:23|13.08|8.13|"},
        {{{"speed", "7.5mph"}}, "7.5 mph at 0 % incline|43.7 ml/kg/min|8:00 /mi|belt|4:58|8:00|12.07|7.50|flat|4:58|8:00|12.07|7.50|"},
        {{{"speed", "12 KPH"}, {"incline", "0"}}, "12 km/h at 0 % incline|43.5 ml/kg/min|5:00 /km|belt|5:00|8:03|12.00|7.46|flat|5:00|8:03|12.00|7.46|"},
        {{{"speed", "10"}, {"km", ""}, {"incline", "1,5"}}, "10 km/h at 1.5 % incline|39.1 ml/kg/min|5:37 /km|belt|6:00|9:39|10.00|6.21|flat|5:37|9:03|10.67|6.63|"},
        {{{"speed", "7.99km/h"}}, "7.99 km/h at 0 % incline|30.1 ml/kg/min|7:31 /km|belt|7:31*|12:05|7.99*|4.96*|flat|7:31*|12:05|7.99*|4.96*|"},
        {{{"speed", "8km/h"}}, "8 km/h at 0 % incline|30.2 ml/kg/min|7:30 /km|belt|7:30|12:04|8.00|4.97|flat|7:30|12:04|8.00|4.97|"},
        {{{"speed", "12km/h"}, {"incline", "15"}}, "12 km/h at 15 % incline|70.5 ml/kg/min|2:59 /km|belt|5:00|8:03|12.00|7.46|flat|2:59|4:48|20.10|12.49|"},
        {{{"speed", "12km/h"}, {"incline", "15.01"}}, "INCLINE '15.01' must be from 0 to 15 %"},
        {{{"speed", "12km/h"}, {"incline", "-1"}}, "INCLINE '-1' must be from 0 to 15 %"},
        {{{"speed", "0.99km/h"}}, "SPEED '0.99km/h' must be at least 1 km/h"},
        {{{"speed", "40.01km/h"}}, "SPEED '40.01km/h' must be at most 40 km/h"},
        {{{"speed", "12km"}}, "SPEED '12km' is not a speed: give a number with km/h or mph, such as 12km/h or 7.5mph; a "
                              "bare speed is in mph, or in km/h with --km"},
        {{{"speed", "km/h"}}, "SPEED 'km/h' is not a speed: give a number with km/h or mph, such as 12km/h or 7.5mph; a "
                              "bare speed is in mph, or in km/h with --km"},
    };
    for (const auto& c : cases) EXPECT_EQ(answer(c.entries), c.answer);
}

}  // namespace
}  // namespace quorran
