#include "core/recorded/analysis.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/numbers/number_text.h"
#include "core/recorded/geodesic.h"
#include "core/toolbox/clock_time.h"
#include "core/toolbox/split_plan.h"

namespace quorran {

double running_cost(double grade) {
    const double i = grade;
    return (((((155.4 * i - 30.4) * i - 43.3) * i + 46.3) * i + 19.5) * i) + 3.6;
}

double cost_relative_to_flat(double grade) { return running_cost(grade) / running_cost(0.0); }

namespace {

bool held(double value) { return std::isfinite(value); }

std::string point_name(std::size_t index) { return "point " + decimal_text(static_cast<double>(index + 1)); }

// Seconds per km over `metres` run in `seconds`; none when either is nothing.
double per_km(double seconds, double metres) {
    return seconds > 0 && metres > 0 ? seconds / metres * METRES_PER_KM : NOT_RECORDED;
}

double interpolate(double x, double x0, double x1, double y0, double y1) {
    return y0 + (x - x0) / (x1 - x0) * (y1 - y0);
}

// The points that carry the distance, in order: every point for the device's distance,
// the points with a position for geodesics. Metres from the device's zero or from the
// first position; clock seconds since the run's first point.
struct Track {
    std::vector<std::size_t> point;
    std::vector<double> metres;
    std::vector<double> clock;
    std::size_t size() const { return point.size(); }
};

// The device's distance when every point has one and it never goes back, else the sum
// of geodesics between successive positions. Says which, and why, in a note.
Track measure_distance(const Run& run, RunAnalysis& a) {
    const auto& points = run.points;
    const std::size_t n = points.size();
    std::size_t lacking = n, back = n;
    bool any_device = false;
    for (std::size_t i = 0; i < n; ++i) {
        if (!held(points[i].distance)) {
            if (lacking == n) lacking = i;
            continue;
        }
        any_device = true;
        if (back == n && i > 0 && points[i].distance < points[i - 1].distance) back = i;
    }

    Track track;
    if (n > 0 && lacking == n && back == n) {
        a.distance_source = DistanceSource::Device;
        for (std::size_t i = 0; i < n; ++i) {
            track.point.push_back(i);
            track.metres.push_back(points[i].distance);
        }
        a.notes.push_back("distance: the device's own, which every point has");
    } else {
        ReducedLatitude previous;
        double longitude = 0, metres = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (!held(points[i].latitude) || !held(points[i].longitude)) continue;
            const ReducedLatitude u = reduced_latitude(points[i].latitude);
            if (!track.point.empty()) metres += geodesic_metres(previous, longitude, u, points[i].longitude);
            track.point.push_back(i);
            track.metres.push_back(metres);
            previous = u;
            longitude = points[i].longitude;
        }
        const std::string why = !any_device  ? "the file holds no device distance"
                                : lacking < n ? point_name(lacking) + " has no device distance"
                                              : "the device's distance goes back at " + point_name(back);
        if (!track.point.empty()) {
            a.distance_source = DistanceSource::Geodesic;
            a.notes.push_back("distance: geodesics on the WGS84 ellipsoid between successive positions, as " + why);
        } else {
            a.distance_source = DistanceSource::None;
            a.notes.push_back(n == 0        ? "no distance: the file holds no points"
                              : !any_device ? "no distance: the file holds neither positions nor the device's distance"
                                            : "no distance: the file holds no positions, and " + why);
        }
    }
    if (!track.point.empty()) a.distance = track.metres.back();
    return track;
}

// Gain and loss from the altitudes the file holds, each counted from the last altitude
// counted once it has moved ELEVATION_STEP or more away from it.
void count_elevation(const Run& run, RunAnalysis& a) {
    double counted = NOT_RECORDED;
    for (const RunPoint& p : run.points) {
        if (!held(p.altitude)) continue;
        if (std::isnan(counted)) {
            counted = p.altitude;
            a.ascent = a.descent = 0;
        } else if (p.altitude - counted >= ELEVATION_STEP) {
            a.ascent += p.altitude - counted;
            counted = p.altitude;
        } else if (counted - p.altitude >= ELEVATION_STEP) {
            a.descent += counted - p.altitude;
            counted = p.altitude;
        }
    }
    if (std::isnan(counted)) a.notes.push_back("no altitude: no elevation gain nor grade-adjusted pace");
}

// Whether every point has a time, in order; says why not in a note.
bool check_times(const Run& run, RunAnalysis& a) {
    const auto& points = run.points;
    std::string why;
    for (std::size_t i = 0; i < points.size() && why.empty(); ++i) {
        if (!held(points[i].time)) why = point_name(i) + " has no time";
        else if (i > 0 && points[i].time < points[i - 1].time) why = "the time goes back at " + point_name(i);
    }
    if (points.empty()) return false;
    if (!why.empty()) {
        const bool none = std::none_of(points.begin(), points.end(), [](const RunPoint& p) { return held(p.time); });
        a.notes.push_back((none ? std::string("no times") : why) + ": distance and elevation only");
    }
    return why.empty();
}

// The pauses of each rule, merged where they overlap or touch.
std::vector<Pause> find_pauses(const Run& run, const Track& track, RunAnalysis& a) {
    const auto& points = run.points;
    const std::size_t n = points.size();
    const double t0 = points.front().time;
    std::vector<Pause> found;

    // The device's timer stood: from its stop to its start, or to the end.
    for (const TimerStop& stop : run.timer_stops) {
        if (!held(stop.stopped)) continue;
        const double from = std::max(stop.stopped - t0, 0.0);
        const double to = held(stop.started) ? std::min(stop.started - t0, a.elapsed) : a.elapsed;
        if (to > from) found.push_back({from, to, true, false, false});
    }

    // Between two parts, unless the gap is no longer than the usual (median) interval
    // between successive points inside the parts: a watch's automatic lap starts the
    // next part a sample later, with no stop between them.
    std::vector<bool> starts_part(n, false);
    bool parts = false;
    for (std::size_t p : run.part_starts) {
        if (p > 0 && p < n) starts_part[p] = parts = true;
    }
    if (parts) {
        std::vector<double> inside;
        for (std::size_t i = 1; i < n; ++i)
            if (!starts_part[i]) inside.push_back(points[i].time - points[i - 1].time);
        double usual = 0;
        if (!inside.empty()) {
            const auto middle = inside.begin() + static_cast<std::ptrdiff_t>(inside.size() / 2);
            std::nth_element(inside.begin(), middle, inside.end());
            usual = *middle;
        }
        for (std::size_t i = 1; i < n; ++i) {
            if (!starts_part[i]) continue;
            if (points[i].time - points[i - 1].time <= usual) ++a.auto_laps;
            else found.push_back({points[i - 1].time - t0, points[i].time - t0, false, true, false});
        }
    }

    // Slow: successive intervals between points of the track, each under
    // MIN_MOVING_SPEED, lasting MIN_PAUSE_SECONDS or more in all. Two points at the same
    // time and place (a repeated point) neither end such a stretch nor lengthen it.
    if (a.distance_source != DistanceSource::None) {
        bool slow = false;
        std::size_t first = 0;
        const auto end_slow = [&](std::size_t last) {
            if (slow && track.clock[last] - track.clock[first] >= MIN_PAUSE_SECONDS)
                found.push_back({track.clock[first], track.clock[last], false, false, true});
            slow = false;
        };
        for (std::size_t k = 1; k < track.size(); ++k) {
            const double metres = track.metres[k] - track.metres[k - 1];
            const double seconds = track.clock[k] - track.clock[k - 1];
            if (metres < MIN_MOVING_SPEED * seconds || metres == 0) {
                if (!slow) first = k - 1;
                slow = true;
            } else {
                end_slow(k - 1);
            }
        }
        if (track.size() > 0) end_slow(track.size() - 1);
    }

    std::sort(found.begin(), found.end(), [](const Pause& x, const Pause& y) { return x.from < y.from; });
    std::vector<Pause> merged;
    for (const Pause& p : found) {
        if (merged.empty() || p.from > merged.back().to) {
            merged.push_back(p);
            continue;
        }
        Pause& m = merged.back();
        m.to = std::max(m.to, p.to);
        m.timer_stopped = m.timer_stopped || p.timer_stopped;
        m.between_parts = m.between_parts || p.between_parts;
        m.slow = m.slow || p.slow;
    }
    return merged;
}

// Moving time between two clock times: the time less the pauses inside it.
class MovingClock {
public:
    explicit MovingClock(const std::vector<Pause>& pauses) : pauses_(pauses) {
        double total = 0;
        for (const Pause& p : pauses) {
            paused_before_.push_back(total);
            total += p.to - p.from;
        }
    }
    double moving(double from, double to) const { return (to - from) - (paused_by(to) - paused_by(from)); }

private:
    // Seconds paused from the start to clock time t.
    double paused_by(double t) const {
        const auto after = std::upper_bound(pauses_.begin(), pauses_.end(), t,
                                            [](double x, const Pause& p) { return x < p.from; });
        if (after == pauses_.begin()) return 0;
        const auto k = static_cast<std::size_t>(after - pauses_.begin()) - 1;
        return paused_before_[k] + std::min(t, pauses_[k].to) - pauses_[k].from;
    }

    const std::vector<Pause>& pauses_;
    std::vector<double> paused_before_;
};

// The points' samples of one value (altitude, heart rate, cadence) against clock time,
// linear between successive samples.
class Samples {
public:
    Samples(const Run& run, double RunPoint::*field) {
        const double t0 = run.points.empty() ? 0 : run.points.front().time;
        for (const RunPoint& p : run.points) {
            if (!held(p.*field)) continue;
            clock_.push_back(p.time - t0);
            value_.push_back(p.*field);
        }
    }
    bool empty() const { return value_.empty(); }

    // The value at clock time t, the first or last sample's outside them.
    double at(double t) const {
        if (value_.empty()) return NOT_RECORDED;
        const auto j = static_cast<std::size_t>(std::upper_bound(clock_.begin(), clock_.end(), t) - clock_.begin());
        if (j == 0) return value_.front();
        if (j == value_.size()) return value_.back();
        return interpolate(t, clock_[j - 1], clock_[j], value_[j - 1], value_[j]);
    }

    // The average from clock time `from` to `to`: each stretch between two samples (or
    // its part inside) at the mean of its ends, weighed by its moving time.
    double mean(double from, double to, const MovingClock& clock) const {
        double sum = 0, weight = 0;
        auto j = static_cast<std::size_t>(std::upper_bound(clock_.begin(), clock_.end(), from) - clock_.begin());
        for (j = j > 0 ? j - 1 : 0; j + 1 < clock_.size() && clock_[j] < to; ++j) {
            const double lo = std::max(from, clock_[j]);
            const double hi = std::min(to, clock_[j + 1]);
            if (hi <= lo) continue;
            const double w = clock.moving(lo, hi);
            const auto value = [&](double t) { return interpolate(t, clock_[j], clock_[j + 1], value_[j], value_[j + 1]); };
            sum += w * (value(lo) + value(hi)) / 2;
            weight += w;
        }
        return weight > 0 ? sum / weight : NOT_RECORDED;
    }

    double max() const { return value_.empty() ? NOT_RECORDED : *std::max_element(value_.begin(), value_.end()); }

private:
    std::vector<double> clock_, value_;
};

// The flat distance that costs what the track's distance cost: each stretch of at least
// MIN_GRADE_METRES between points with an altitude at its grade's cost relative to the
// flat, a last shorter stretch joined to the one before; flat where no grade is known.
// Empty when no point of the track has an altitude.
std::vector<double> flat_equivalent(const Run& run, const Track& track) {
    std::vector<std::size_t> with_altitude;
    for (std::size_t k = 0; k < track.size(); ++k)
        if (held(run.points[track.point[k]].altitude)) with_altitude.push_back(k);
    if (with_altitude.empty()) return {};

    struct Stretch {
        std::size_t from, to;
        double factor;
    };
    std::vector<Stretch> stretches;
    std::size_t anchor = with_altitude.front();
    for (std::size_t k : with_altitude) {
        if (track.metres[k] - track.metres[anchor] < MIN_GRADE_METRES) continue;
        stretches.push_back({anchor, k, 1.0});
        anchor = k;
    }
    if (!stretches.empty()) stretches.back().to = with_altitude.back();
    for (Stretch& s : stretches) {
        const double rise = run.points[track.point[s.to]].altitude - run.points[track.point[s.from]].altitude;
        const double grade = rise / (track.metres[s.to] - track.metres[s.from]);
        s.factor = cost_relative_to_flat(std::clamp(grade, -MAX_GRADE, MAX_GRADE));
    }

    std::vector<double> equivalent(track.size());
    equivalent[0] = track.metres[0];
    std::size_t s = 0;
    for (std::size_t k = 1; k < track.size(); ++k) {
        while (s < stretches.size() && stretches[s].to < k) ++s;
        const double factor = s < stretches.size() && stretches[s].from < k ? stretches[s].factor : 1.0;
        equivalent[k] = equivalent[k - 1] + (track.metres[k] - track.metres[k - 1]) * factor;
    }
    return equivalent;
}

// The fastest stretch of `metres` inside the track in clock time, from any start: the
// quickest begins or ends at a point, the other end interpolated, so each point is tried
// as a start (its end found by a pointer that only moves on) and as an end.
BestEffort fastest(const Track& track, NamedDistance distance) {
    const auto& d = track.metres;
    const auto& t = track.clock;
    const double metres = distance.metres;
    BestEffort best{distance, std::numeric_limits<double>::infinity(), 0, 0};
    const auto consider = [&](double time, double start, double start_clock) {
        if (time < best.time) best = {distance, time, start, start_clock};
    };
    const std::size_t m = track.size();
    for (std::size_t i = 0, end = 0; i < m && d[i] + metres <= d[m - 1]; ++i) {
        const double y = d[i] + metres;
        while (d[end] < y) ++end;
        consider(interpolate(y, d[end - 1], d[end], t[end - 1], t[end]) - t[i], d[i], t[i]);
    }
    for (std::size_t j = 0, start = 0; j < m; ++j) {
        const double x = d[j] - metres;
        if (x < d[0]) continue;
        while (d[start + 1] <= x) ++start;
        const double start_clock = interpolate(x, d[start], d[start + 1], t[start], t[start + 1]);
        consider(t[j] - start_clock, x, start_clock);
    }
    return best;
}

std::string pause_note(const RunAnalysis& a) {
    if (a.pauses.empty()) return "no pauses: moving time is elapsed time";
    std::size_t timer = 0, parts = 0, slow = 0;
    for (const Pause& p : a.pauses) {
        timer += p.timer_stopped;
        parts += p.between_parts;
        slow += p.slow;
    }
    const auto count = [](std::size_t k) { return decimal_text(static_cast<double>(k)); };
    return "pauses: " + count(a.pauses.size()) + ", " + clock_text(a.elapsed - a.moving, 0) + " in all; " +
           count(timer) + " with the timer stopped, " + count(parts) + " between parts, " + count(slow) +
           " under " + decimal_text(MIN_MOVING_SPEED) + " m/s for " + decimal_text(MIN_PAUSE_SECONDS) + " s or more";
}

void make_splits(const Run& run, const Track& track, const std::vector<double>& equivalent,
                 const MovingClock& moving, RunAnalysis& a) {
    if (!(a.distance > 0)) {
        a.notes.push_back("no splits: the run has no distance");
        return;
    }
    if (!(a.split_every > 0) || a.distance / a.split_every > MAX_SPLITS) {
        a.notes.push_back("no splits: splits every " + decimal_text(a.split_every, 3) + " m would be more than " +
                          decimal_text(MAX_SPLITS) + " or none");
        return;
    }
    const Samples altitude(run, &RunPoint::altitude);
    const Samples heart_rate(run, &RunPoint::heart_rate);

    // The markers are the split plan's, so that a run and its plan split alike.
    const auto markers = split_plan(a.distance, a.distance, a.split_every);
    double previous_at = 0, previous_clock = 0, previous_flat = 0;
    std::size_t k = 0;
    for (std::size_t i = 0; i < markers.size(); ++i) {
        const double at = markers[i].metres;
        double clock = a.elapsed;
        double flat = equivalent.empty() ? NOT_RECORDED : equivalent.back();
        if (i + 1 < markers.size()) {
            // Between the two points that straddle the marker.
            while (track.metres[k] < at) ++k;
            if (k == 0) {
                clock = track.clock[0];
                if (!equivalent.empty()) flat = at;
            } else {
                clock = interpolate(at, track.metres[k - 1], track.metres[k], track.clock[k - 1], track.clock[k]);
                if (!equivalent.empty())
                    flat = interpolate(at, track.metres[k - 1], track.metres[k], equivalent[k - 1], equivalent[k]);
            }
        }
        Split split;
        split.at = at;
        split.time = moving.moving(previous_clock, clock);
        split.cumulative = clock;
        split.pace = per_km(split.time, at - previous_at);
        split.gap = per_km(split.time, flat - previous_flat);
        split.elevation_change = altitude.at(clock) - altitude.at(previous_clock);
        split.heart_rate = heart_rate.mean(previous_clock, clock, moving);
        a.splits.push_back(split);
        previous_at = at;
        previous_clock = clock;
        previous_flat = flat;
    }
}

}  // namespace

RunAnalysis analyse_run(const Run& run, double split_every) {
    RunAnalysis a;
    a.split_every = split_every;
    Track track = measure_distance(run, a);
    count_elevation(run, a);
    a.timed = check_times(run, a);
    if (!a.timed) return a;

    const double t0 = run.points.front().time;
    a.start = t0;
    a.elapsed = run.points.back().time - t0;
    for (std::size_t p : track.point) track.clock.push_back(run.points[p].time - t0);

    a.pauses = find_pauses(run, track, a);
    const MovingClock moving(a.pauses);
    a.moving = moving.moving(0, a.elapsed);
    a.notes.push_back(pause_note(a));
    if (a.auto_laps > 0)
        a.notes.push_back("automatic laps, not pauses: " + decimal_text(static_cast<double>(a.auto_laps)) +
                          " between parts no longer than the usual interval between points");
    if (a.distance_source == DistanceSource::None)
        a.notes.push_back("without a distance, no slow stretch is found: the pauses are the timer's and between parts");

    const Samples heart_rate(run, &RunPoint::heart_rate);
    const Samples cadence(run, &RunPoint::cadence);
    a.average_heart_rate = heart_rate.mean(0, a.elapsed, moving);
    a.max_heart_rate = heart_rate.max();
    a.cadence = cadence.mean(0, a.elapsed, moving);

    if (a.distance_source == DistanceSource::None) return a;
    a.pace = per_km(a.moving, a.distance);
    const std::vector<double> equivalent = flat_equivalent(run, track);
    if (!equivalent.empty()) a.gap = per_km(a.moving, equivalent.back());
    make_splits(run, track, equivalent, moving, a);
    for (const NamedDistance& distance : BEST_EFFORT_DISTANCES)
        if (distance.metres <= track.metres.back() - track.metres.front()) a.best_efforts.push_back(fastest(track, distance));
    return a;
}

std::vector<PlanMarker> compare_with_plan(const RunAnalysis& analysis, double goal_seconds, double negative_percent) {
    std::vector<PlanMarker> markers;
    if (analysis.splits.empty()) return markers;
    const auto plan = split_plan(analysis.distance, goal_seconds, analysis.split_every, negative_percent);
    double previous = 0;
    for (std::size_t i = 0; i < plan.size() && i < analysis.splits.size(); ++i) {
        const Split& s = analysis.splits[i];
        markers.push_back({s.at, s.cumulative - previous, plan[i].split_seconds, s.cumulative,
                           plan[i].cumulative_seconds, s.cumulative - plan[i].cumulative_seconds});
        previous = s.cumulative;
    }
    return markers;
}

}  // namespace quorran
