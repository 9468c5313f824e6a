#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/recorded/run.h"

// How every reader puts a run together, so that the same file content gives the same run
// whatever its format. Points are taken in file order, and:
//   - a position needs both coordinates within range (latitude -90 to 90, longitude -180
//     to 180); otherwise the point keeps its other values and loses its position;
//   - a point earlier than the point before it is dropped: a clock that jumps back cannot
//     be followed without guessing;
//   - a point at the same time as the point before it is merged into it, filling only
//     what that one lacks; but the first point of a part is kept, as the part's start
//     (watches repeat a lap's last point as the next lap's first: the laps meet there);
//   - when some points have times and others not, those without are dropped; a run in
//     which no point has a time keeps them all.
// Each rule that changed something says so, with its count, in the run's reading notes.
namespace quorran {

class RunBuilder {
public:
    // Room is made at once for `expected` points (at most max_points), the most the file
    // can be expected to hold: a run that grows point by point copies its points again and
    // again, into memory that is new each time.
    RunBuilder(RunFormat format, std::size_t max_points, std::size_t expected = 0);

    // The next point added begins a part of the run.
    void start_part() { part_pending_ = true; }
    // False, adding nothing, when the run already holds max_points.
    bool add(RunPoint point);
    // The reader's own notes follow the rules' notes.
    void add_note(std::string note) { reader_notes_.push_back(std::move(note)); }
    std::vector<TimerStop>& timer_stops() { return run_.timer_stops; }
    std::size_t size() const { return run_.points.size(); }

    Run finish();

private:
    Run run_;
    std::size_t max_points_;
    bool part_pending_ = false;
    bool timed_ = false;
    double last_time_ = 0.0;
    std::size_t last_timed_ = 0;
    std::size_t half_positions_ = 0, positions_out_of_range_ = 0, earlier_ = 0, merged_ = 0, timeless_ = 0;
    std::vector<std::string> reader_notes_;
};

// "1 point ..." or "3 points ...": the count with the singular or plural words after it.
std::string counted(std::size_t count, std::string_view one, std::string_view many);

// The refusal of a file holding more points than a run may.
std::string too_many_points(std::size_t max_points);

// The note for a cadence left out because the activity is not on foot; sport is the
// file's own name for it.
std::string cadence_left_out(std::string_view sport);

}  // namespace quorran
