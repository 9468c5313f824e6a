// The pace band's rows, strategy words and strips; tests/cli/check_band.py checks the
// documents themselves against the plan's JSON.
#include <gtest/gtest.h>

#include "core/running/pace_band.h"
#include "core/running/race_distances.h"

namespace quorran {
namespace {

// Halfway gets a row of its own between two markers, or marks the marker there; the
// last row is the finish.
TEST(PaceBand, HalfwayAndFinish) {
    const struct { double metres, every, unit; std::size_t rows, halfway_row; double halfway_at; } cases[] = {
        {MARATHON_METRES, METRES_PER_MILE, METRES_PER_MILE, 28, 13, MARATHON_METRES / 2 / METRES_PER_MILE},
        {10000, 1000, 1000, 10, 4, 5},
        {10000, 3000, 1000, 5, 1, 5},  // 3, 5 (halfway), 6, 9, 10
        {10000, 5000, 1000, 2, 0, 5},
        {5000, 10000, 1000, 2, 0, 2.5},
    };
    for (const auto& c : cases) {
        const auto plan = split_plan(c.metres, 3000, c.every, 2);
        const double halfway = planned_seconds_at(c.metres, 3000, 2, c.metres / 2);
        const auto rows = band_rows(plan, c.metres, halfway, c.unit);
        ASSERT_EQ(rows.size(), c.rows) << c.metres << " every " << c.every;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const BandMark want = i == c.halfway_row ? BandMark::Halfway : i + 1 == rows.size() ? BandMark::Finish : BandMark::None;
            EXPECT_EQ(rows[i].mark, want) << c.metres << " every " << c.every << " row " << i;
        }
        EXPECT_DOUBLE_EQ(rows[c.halfway_row].at, c.halfway_at);
        EXPECT_EQ(rows[c.halfway_row].seconds, halfway);
        EXPECT_EQ(rows.back().seconds, 3000);
    }
}

TEST(PaceBand, StrategyInWords) {
    EXPECT_EQ(strategy_text(0), "even pace");
    EXPECT_EQ(strategy_text(2), "negative split: 2nd half 2% faster");
    EXPECT_EQ(strategy_text(-2.5), "positive split: 2nd half 2.5% slower");
    EXPECT_EQ(strategy_text(0.01), "negative split: 2nd half 0.01% faster");
}

// 24 rows make one strip, 25 two; the rows are shared evenly; a strip is 25 mm wide
// unless ten-hour times need more.
TEST(PaceBand, Strips) {
    const struct { std::size_t rows; double seconds; std::size_t strips, per_strip; double width; } cases[] = {
        {24, 12600, 1, 24, 25}, {25, 12600, 2, 13, 25}, {48, 12600, 2, 24, 25}, {49, 12600, 3, 17, 25},
        {1, 12600, 1, 1, 25}, {24, 9 * 3600 + 59 * 60, 1, 24, 25}, {24, 10 * 3600, 1, 24, 27},
    };
    for (const auto& c : cases) {
        PaceBand band{"Marathon", c.seconds, 0, false, {}};
        for (std::size_t i = 0; i < c.rows; ++i) band.rows.push_back({static_cast<double>(i + 1), c.seconds});
        const BandLayout l = band_layout(band);
        EXPECT_EQ(l.strips, c.strips) << c.rows;
        EXPECT_EQ(l.rows_per_strip, c.per_strip) << c.rows;
        EXPECT_EQ(l.strip_width, c.width) << c.rows << " rows of " << c.seconds << " s";
    }
}

}  // namespace
}  // namespace quorran
