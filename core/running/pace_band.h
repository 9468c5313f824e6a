#pragma once

#include <span>
#include <string>
#include <vector>

#include "core/drawing/drawing.h"
#include "core/running/split_plan.h"

// A pace band: the clock time at every marker of a race, halfway marked, to print and
// wear on the wrist; as text, as CSV and as a drawing to its true size in mm (and its SVG).
namespace quorran {

enum class BandMark { None, Halfway, Finish };

struct BandRow {
    double at;       // from the start, in the band's unit (miles or km)
    double seconds;  // the clock time there
    BandMark mark = BandMark::None;
};

struct PaceBand {
    std::string title;     // as the runner typed it, or the race
    double goal_seconds;
    double negative_percent;  // the second half this many per cent faster per metre; below 0 slower
    bool by_km;               // markers counted in km, else in miles
    std::vector<BandRow> rows;
};

// The rows of a plan's splits (every marker and the finish) with halfway: a marker at
// halfway is marked, else a row of its own is added there.
std::vector<BandRow> band_rows(std::span<const PlannedSplit> plan, double metres, double halfway_seconds,
                               double unit_metres);

// How the strategy reads: "even pace", "negative split: 2nd half 2% faster", "positive
// split: 2nd half 2% slower"; and on the band, in lines: "2nd half", "2% faster".
std::string strategy_text(double negative_percent);
std::vector<std::string> strategy_lines(double negative_percent);

// A band of more rows than this is not made (six strips, one page).
inline constexpr std::size_t MAX_BAND_ROWS = 144;

// The band on paper, in mm: strips side by side, the rows shared out evenly.
struct BandLayout {
    std::size_t strips;
    std::size_t rows_per_strip;
    double strip_width;
    double strip_height;
    double width;
    double height;
};
BandLayout band_layout(const PaceBand& band);

// The band as a drawing, to its true size in mm: strips side by side, each a group.
Drawing band_drawing(const PaceBand& band);

std::string band_text(const PaceBand& band);
std::string band_csv(const PaceBand& band);
std::string band_svg(const PaceBand& band);

}  // namespace quorran
