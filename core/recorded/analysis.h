#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/numbers/units.h"
#include "core/recorded/run.h"
#include "core/running/race_distances.h"

// What a recorded run tells the runner: distance, elapsed and moving time, splits,
// elevation, grade-adjusted pace, best efforts and heart rate, and the run beside a
// plan. Times are seconds since the run's first point, distances metres along the run,
// paces seconds per km; a value the file cannot give is NaN (NOT_RECORDED).
namespace quorran {

// A pause: the runner going slower than this (metres per second) on average between
// successive points is standing, not running; a slow walk is 1.2 m/s or more, and the
// drift of a watch's position standing still stays below it.
inline constexpr double MIN_MOVING_SPEED = 0.5;
// ... for at least this long in all (seconds): shorter slow stretches are a turn, a
// drink or a climb walked, and part of the run.
inline constexpr double MIN_PAUSE_SECONDS = 10.0;
// Elevation gain and loss count a rise or fall of at least this (metres) from the last
// altitude counted: barometric and satellite altitudes wobble by a metre or two from
// one point to the next, and counting every wobble would double a flat run's gain.
inline constexpr double ELEVATION_STEP = 3.0;
// Grades are taken over at least this much distance (metres): over a few metres an
// altitude's wobble makes a steep grade that is not there.
inline constexpr double MIN_GRADE_METRES = 10.0;
// Grades are clamped to +-this: the steepest Minetti et al. measured, where their
// polynomial stops being fitted.
inline constexpr double MAX_GRADE = 0.45;

// The distances of the best efforts, shortest first.
inline constexpr std::array<NamedDistance, 7> BEST_EFFORT_DISTANCES = {{
    {"400 m", 400.0},
    {"1 km", METRES_PER_KM},
    {"1 mile", METRES_PER_MILE},
    {"5 km", 5000.0},
    {"10 km", 10000.0},
    {"half marathon", HALF_MARATHON_METRES},
    {"marathon", MARATHON_METRES},
}};

// The energy cost of running at a grade (rise over horizontal distance), in joules per
// kilogram per metre (Minetti et al. 2002), and that cost over the cost on the flat.
double running_cost(double grade);
double cost_relative_to_flat(double grade);

// Where the run's distance comes from.
enum class DistanceSource {
    Device,    // the device's own distance, which every point has (as the watch's splits)
    Geodesic,  // geodesics on WGS84 between successive points with a position
    None,      // neither: the file holds no positions and not the device's distance
};

// A stretch of time taken out of the moving time, and the rules that found it (one or
// more: pauses found by several rules, or overlapping, are merged and count once).
struct Pause {
    double from = 0;
    double to = 0;
    bool timer_stopped = false;  // the device's timer stood
    bool between_parts = false;  // the time between two parts (GPX segments, TCX laps)
    bool slow = false;           // under MIN_MOVING_SPEED for MIN_PAUSE_SECONDS or more
};

struct Split {
    double at = 0;                             // metres from the start to its end
    double time = 0;                           // its moving time, seconds
    double cumulative = 0;                     // clock time from the start to its end, pauses included
    double pace = NOT_RECORDED;                // over its moving time, seconds per km
    double gap = NOT_RECORDED;                 // grade-adjusted pace over the same time
    double elevation_change = NOT_RECORDED;    // metres, end less start
    double heart_rate = NOT_RECORDED;          // average over its moving time (see below)
};

struct BestEffort {
    NamedDistance distance;
    double time = 0;             // seconds, elapsed (a pause inside counts, as in a race)
    double start = 0;            // metres into the run where it began
    double start_clock = 0;      // clock time at its start
};

// A point on the run's distance track: how far along it is, and where and how high, as
// the file holds them (NaN where it does not). For the chart's profile and outline.
struct TrackPoint {
    double metres = 0;
    double latitude = NOT_RECORDED;
    double longitude = NOT_RECORDED;
    double altitude = NOT_RECORDED;
};

struct RunAnalysis {
    DistanceSource distance_source = DistanceSource::None;
    double distance = NOT_RECORDED;  // metres
    double ascent = NOT_RECORDED;    // metres, from the altitudes the file holds
    double descent = NOT_RECORDED;
    std::vector<TrackPoint> track;  // every point that carries the distance, in order

    // The rest needs a time on every point, in order (`timed`).
    bool timed = false;
    double start = NOT_RECORDED;    // the first point's time, seconds since 1970 UTC
    double elapsed = NOT_RECORDED;  // first point to last
    double moving = NOT_RECORDED;   // elapsed less the pauses
    std::vector<Pause> pauses;      // in time order, none overlapping
    // Gaps between two parts no longer than the usual interval between points inside
    // them: a watch's automatic laps, contiguous, so not pauses.
    std::size_t auto_laps = 0;
    double pace = NOT_RECORDED;     // over the moving time, seconds per km
    double gap = NOT_RECORDED;      // grade-adjusted, over the moving time
    // Averages weigh each stretch between two successive samples by its moving time,
    // at the mean of its two ends; the maximum is the highest sample.
    double average_heart_rate = NOT_RECORDED;
    double max_heart_rate = NOT_RECORDED;
    double cadence = NOT_RECORDED;  // average, steps per minute

    double split_every = METRES_PER_KM;
    std::vector<Split> splits;  // the last ends at the finish, at the last point's time
    std::vector<BestEffort> best_efforts;  // the distances of BEST_EFFORT_DISTANCES the run covers

    // In words, which distance and which pause rules were used, and what the file
    // could not give.
    std::vector<std::string> notes;
};

// Analyses a run, with splits every `split_every` metres and at the finish.
RunAnalysis analyse_run(const Run& run, double split_every = METRES_PER_KM);

// One marker of a run beside its plan: times in seconds, race time (clock time, pauses
// included, as a race is timed).
struct PlanMarker {
    double at = 0;                  // metres
    double time = 0;                // the run's time from the last marker
    double planned_time = 0;
    double cumulative = 0;          // the run's time from the start
    double planned_cumulative = 0;
    double behind = 0;              // cumulative less planned: below 0 is ahead
};

// The run's splits beside split_plan's for the same race (the run's distance, split
// every as the analysis) run in goal_seconds, the second half negative_percent faster.
// Empty when the run has no splits.
std::vector<PlanMarker> compare_with_plan(const RunAnalysis& analysis, double goal_seconds,
                                          double negative_percent = 0.0);

}  // namespace quorran
