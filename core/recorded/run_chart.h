#pragma once

#include <optional>
#include <span>

#include "core/drawing/drawing.h"
#include "core/recorded/analysis.h"

// The chart of a recorded run, 100 mm wide so that it prints on any paper and is still
// readable shrunk to a phone's 320 px (its texts 3.5 mm, 11 px there):
//   - pace per split as bars, faster higher, and grade-adjusted pace as a line over them,
//     per km or per mile; beside a plan, each bar coloured by whether the run was ahead
//     of it or behind at the split's end;
//   - the elevation profile along the run underneath, on the same distance;
//   - the route's outline from its positions, north up, with the km or mile markers.
//     Nothing is fetched: no map under it.
// A part the file cannot give (no splits, no altitude, no position) is left out; the
// numbers drawn are those of the report's splits table.
namespace quorran {

// Nothing when the run has none of the three parts.
std::optional<Drawing> run_chart(const RunAnalysis& analysis, bool km, std::span<const PlanMarker> plan = {});

// The colours of the bars: alone, and beside a plan.
inline constexpr Rgb BAR = 0x4A78B5;
inline constexpr Rgb AHEAD = 0x2E7D32;
inline constexpr Rgb BEHIND = 0xC62828;

}  // namespace quorran
