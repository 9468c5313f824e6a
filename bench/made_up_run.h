#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A long day on the trails, made up for the benchmarks of reading and analysing a run: a
// runner on a winding route over hills, recorded every second with altitude, heart rate
// and cadence, with two pauses: a stop at an aid station with the watch still recording
// (found as slow), and one with the watch stopped (a new GPX segment, FIT timer events).
// The same seed gives the same run, and the same bytes, every time.
namespace quorran::bench {

struct MadeUpPoint {
    std::int64_t time = 0;  // seconds since 1970 UTC
    double latitude = 0;    // degrees, with the satellites' error in them
    double longitude = 0;
    double altitude = 0;    // metres, with the barometer's drift in it
    double distance = 0;    // metres along the route, as the watch counts them
    int heart_rate = 0;     // beats per minute
    int strides = 0;        // a minute, as GPX's cad and FIT's cadence count them
};

struct MadeUpRun {
    std::vector<MadeUpPoint> points;
    std::vector<std::size_t> part_starts;  // where the watch started again (the first is 0)
};

// The seed that bench/ uses, and the size of its file: a day's run at a point a second.
inline constexpr std::uint64_t DEFAULT_SEED = 24;
inline constexpr std::size_t DEFAULT_POINTS = 100'000;

MadeUpRun make_up_run(std::uint64_t seed = DEFAULT_SEED, std::size_t points = DEFAULT_POINTS);

// The run as a GPX 1.1 file of one track, a segment a part, with Garmin's
// TrackPointExtension (hr, cad), as a watch's export writes it.
std::string gpx_of(const MadeUpRun& run);

// The run as a TCX v2 file of one activity, a lap a part, with the device's distance and
// the ActivityExtension's RunCadence, as a watch's export writes it.
std::string tcx_of(const MadeUpRun& run);

// The run as a FIT activity file: file_id, the timer's events, a record a point (time,
// position, altitude, heart rate, cadence, distance), a lap and a session of running.
std::string fit_of(const MadeUpRun& run);

}  // namespace quorran::bench
