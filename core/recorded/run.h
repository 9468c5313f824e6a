#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

// A run as a watch recorded it, whatever the file it came in: its points in time order,
// where the file splits it into parts (GPX segments, TCX laps and tracks), and when its
// timer stood. Readers fill it; the analysis reads it. A value the file does not hold is NaN.
//
// What every reader guarantees (core/recorded/run_builder.h says how):
//   - either every point has a time or none has;
//   - times only grow from point to point, but a part's first point may have the time of
//     the point before it (a lap's first point repeating the last lap's end);
//   - a point has both coordinates, each within range, or neither.
namespace quorran {

inline constexpr double NOT_RECORDED = std::numeric_limits<double>::quiet_NaN();

struct RunPoint {
    double time = NOT_RECORDED;        // seconds since 1970-01-01T00:00:00Z, with its fraction
    double latitude = NOT_RECORDED;    // degrees, WGS84, north positive
    double longitude = NOT_RECORDED;   // degrees, WGS84, east positive
    double altitude = NOT_RECORDED;    // metres above the geoid or sea level, as the file holds it
    double distance = NOT_RECORDED;    // the device's own distance from the start, metres
    double heart_rate = NOT_RECORDED;  // beats per minute
    double cadence = NOT_RECORDED;     // steps per minute (both feet)
    double power = NOT_RECORDED;       // watts
    double speed = NOT_RECORDED;       // the device's own speed, metres per second
};

// The device's timer stopped at `stopped` and started again at `started` (FIT's timer
// events); a stop with no start after it lasts to the last point.
struct TimerStop {
    double stopped = NOT_RECORDED;
    double started = NOT_RECORDED;
};

enum class RunFormat { Gpx10, Gpx11, Tcx, Fit };

struct Run {
    RunFormat format{};
    std::vector<RunPoint> points;
    // The index of the first point of each part the file splits the run into, where the
    // device may have stood between them (GPX segments, TCX laps and the tracks inside
    // them), ascending; the first is 0 when there are points. FIT's laps are not parts:
    // its timer events say when it stood.
    std::vector<std::size_t> part_starts;
    std::vector<TimerStop> timer_stops;
    // What a reader had to leave out or mend, in words: "12 positions out of range were
    // dropped", "the file ends early: the points up to byte 5120 are read".
    std::vector<std::string> reading_notes;
};

}  // namespace quorran
