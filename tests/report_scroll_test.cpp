// The report's scrolling, as the Windows toolbox window scrolls it: its rows, the last
// position, which rows are shown, each step, and the wheel.
#include <gtest/gtest.h>

#include <vector>

#include "core/toolbox/report_scroll.h"

namespace quorran {
namespace {

// Six rows 10 high, 2 apart: tops 0, 12, ... 60; the last ends at 70.
const std::vector<ReportRow> SIX = {{0, 10}, {12, 22}, {24, 34}, {36, 46}, {48, 58}, {60, 70}};

TEST(ReportScroll, RowsJoinWhatReadsAsOne) {
    // A headline's label and its taller value, a table under its title, a drawing given no
    // room (no row of its own), a note.
    const std::vector<ReportPiece> pieces = {
        {0, 8, false}, {0, 10, true}, {12, 8, false}, {22, 40, true}, {64, 0, false}, {64, 10, false}};
    const ReportRows r = report_rows(pieces);
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(r.rows[0].top, 0);
    EXPECT_EQ(r.rows[0].bottom, 10);
    EXPECT_EQ(r.rows[1].top, 12);
    EXPECT_EQ(r.rows[1].bottom, 62);
    EXPECT_EQ(r.rows[2].top, 64);
    EXPECT_EQ(r.rows[2].bottom, 74);
    EXPECT_EQ(r.row_of, (std::vector<std::size_t>{0, 0, 1, 1, 1, 2}));
    EXPECT_TRUE(report_rows({}).rows.empty());
}

// The report that fits the room exactly has no scroll; a unit less and it scrolls. The
// last position is the first row from which the rest fits; a last row taller than the
// room is a position of its own.
TEST(ReportScroll, LastPosition) {
    const struct {
        int room;
        std::size_t last;
    } cases[] = {{70, 0}, {69, 1}, {58, 1}, {57, 2}, {34, 3}, {22, 4}, {10, 5}, {9, 5}, {1, 5}};
    for (const auto& c : cases) EXPECT_EQ(last_position(SIX, c.room), c.last) << "room " << c.room;
    EXPECT_EQ(last_position({}, 0), 0u);
}

// From the position on, the rows that wholly fit; none above it; the one at the position
// even when it alone is taller than the room.
TEST(ReportScroll, RowsShown) {
    const struct {
        int room;
        std::size_t position;
        std::vector<bool> shown;
    } cases[] = {
        {22, 0, {true, true, false, false, false, false}},
        {21, 0, {true, false, false, false, false, false}},
        {34, 1, {false, true, true, true, false, false}},
        {33, 1, {false, true, true, false, false, false}},
        {70, 0, {true, true, true, true, true, true}},
        {5, 3, {false, false, false, true, false, false}},
        {22, 4, {false, false, false, false, true, true}},
    };
    for (const auto& c : cases) {
        std::vector<bool> shown;
        for (std::size_t row = 0; row < SIX.size(); ++row) shown.push_back(row_shown(SIX, c.room, c.position, row));
        EXPECT_EQ(shown, c.shown) << "room " << c.room << " at " << c.position;
    }
    EXPECT_FALSE(row_shown(SIX, 100, 0, SIX.size()));
}

// Each step from each place, kept between the top and the last position (4 in a room of
// 22, where two rows fit).
TEST(ReportScroll, Steps) {
    const struct {
        int room;
        std::size_t from;
        ScrollStep step;
        std::size_t to;
        std::size_t expected;
    } cases[] = {
        {22, 0, ScrollStep::RowDown, 0, 1},
        {22, 4, ScrollStep::RowDown, 0, 4},
        {22, 3, ScrollStep::RowUp, 0, 2},
        {22, 0, ScrollStep::RowUp, 0, 0},
        {22, 0, ScrollStep::PageDown, 0, 2},
        {22, 3, ScrollStep::PageDown, 0, 4},
        {34, 0, ScrollStep::PageDown, 0, 3},
        {5, 1, ScrollStep::PageDown, 0, 2},     // a row taller than the room: the next
        {22, 4, ScrollStep::PageUp, 0, 2},
        {21, 4, ScrollStep::PageUp, 0, 3},
        {22, 1, ScrollStep::PageUp, 0, 0},
        {22, 0, ScrollStep::PageUp, 0, 0},
        {5, 3, ScrollStep::PageUp, 0, 2},       // a row taller than the room: the one before
        {22, 2, ScrollStep::Top, 0, 0},
        {22, 1, ScrollStep::Bottom, 0, 4},
        {70, 0, ScrollStep::Bottom, 0, 0},      // the report fits: no step moves it
        {70, 0, ScrollStep::PageDown, 0, 0},
        {22, 0, ScrollStep::To, 3, 3},
        {22, 0, ScrollStep::To, 9, 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scrolled(SIX, c.room, c.from, c.step, c.to), c.expected)
            << "room " << c.room << " from " << c.from << " step " << static_cast<int>(c.step);
}

// A notch a row, towards the user down; parts of a notch add up, either way.
TEST(ReportScroll, Wheel) {
    const struct {
        std::vector<int> deltas;
        std::vector<int> rows;
        int pending;
    } cases[] = {
        {{-120}, {1}, 0},
        {{120}, {-1}, 0},
        {{-360}, {3}, 0},
        {{-60, -60}, {0, 1}, 0},
        {{-100, -100}, {0, 1}, -80},
        {{40, 40, 50}, {0, 0, -1}, 10},
        {{-119}, {0}, -119},
    };
    for (const auto& c : cases) {
        int pending = 0;
        std::vector<int> rows;
        for (const int delta : c.deltas) rows.push_back(wheel_rows(pending, delta));
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(pending, c.pending);
    }
}

}  // namespace
}  // namespace quorran
