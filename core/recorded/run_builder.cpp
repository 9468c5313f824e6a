#include "core/recorded/run_builder.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quorran {
namespace {

bool has(double value) { return !std::isnan(value); }

void fill(double& value, double from) {
    if (!has(value)) value = from;
}

}  // namespace

RunBuilder::RunBuilder(RunFormat format, std::size_t max_points, std::size_t expected) : max_points_(max_points) {
    run_.format = format;
    run_.points.reserve(std::min(expected, max_points));
}

bool RunBuilder::add(RunPoint p) {
    if (has(p.latitude) != has(p.longitude)) {
        ++half_positions_;
        p.latitude = p.longitude = NOT_RECORDED;
    } else if (has(p.latitude) && !(std::fabs(p.latitude) <= 90.0 && std::fabs(p.longitude) <= 180.0)) {
        ++positions_out_of_range_;
        p.latitude = p.longitude = NOT_RECORDED;
    }
    if (!has(p.time)) {
        ++timeless_;
    } else if (timed_ && p.time < last_time_) {
        ++earlier_;
        return true;
    } else if (timed_ && p.time == last_time_ && !part_pending_) {
        RunPoint& kept = run_.points[last_timed_];
        if (!has(kept.latitude)) kept.latitude = p.latitude, kept.longitude = p.longitude;
        fill(kept.altitude, p.altitude);
        fill(kept.distance, p.distance);
        fill(kept.heart_rate, p.heart_rate);
        fill(kept.cadence, p.cadence);
        fill(kept.power, p.power);
        fill(kept.speed, p.speed);
        ++merged_;
        return true;
    }
    if (run_.points.size() == max_points_) return false;
    if (has(p.time)) {
        timed_ = true;
        last_time_ = p.time;
        last_timed_ = run_.points.size();
    }
    if (part_pending_ || run_.points.empty()) run_.part_starts.push_back(run_.points.size());
    part_pending_ = false;
    run_.points.push_back(p);
    return true;
}

Run RunBuilder::finish() {
    std::size_t dropped = 0;
    if (timed_ && timeless_ > 0) {
        // Each part now starts at the first point kept from it; a part left empty goes.
        std::vector<std::size_t> starts;
        std::size_t part = 0, kept = 0;
        bool part_pending = false;
        for (std::size_t i = 0; i < run_.points.size(); ++i) {
            if (part < run_.part_starts.size() && run_.part_starts[part] == i) part_pending = true, ++part;
            if (!has(run_.points[i].time)) continue;
            if (part_pending) starts.push_back(kept);
            part_pending = false;
            run_.points[kept++] = run_.points[i];
        }
        run_.part_starts = std::move(starts);
        dropped = run_.points.size() - kept;
        run_.points.resize(kept);
    }
    std::vector<std::string> notes;
    if (half_positions_) notes.push_back(counted(half_positions_, "position with one coordinate only was dropped", "positions with one coordinate only were dropped"));
    if (positions_out_of_range_) notes.push_back(counted(positions_out_of_range_, "position out of range was dropped", "positions out of range were dropped"));
    if (earlier_) notes.push_back(counted(earlier_, "point earlier than the point before it was dropped", "points earlier than the point before them were dropped"));
    if (merged_) notes.push_back(counted(merged_, "point at the same time as the point before it was merged into it", "points at the same time as the point before them were merged into it"));
    if (dropped) notes.push_back(counted(dropped, "point without a time was dropped (the others have times)", "points without a time were dropped (the others have times)"));
    for (auto& note : reader_notes_) notes.push_back(std::move(note));
    run_.reading_notes = std::move(notes);
    return std::move(run_);
}

std::string counted(std::size_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string too_many_points(std::size_t max_points) {
    return "the file holds more than " + counted(max_points, "point", "points");
}

std::string cadence_left_out(std::string_view sport) {
    return "cadence left out: the activity (" + std::string(sport) + ") is not on foot, so its cadence counts no steps";
}

}  // namespace quorran
