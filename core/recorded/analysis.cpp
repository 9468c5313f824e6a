#include "core/recorded/analysis.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

#include "core/numbers/number_text.h"
#include "core/recorded/geodesic.h"
#include "core/running/clock_time.h"
#include "core/running/split_plan.h"

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
    std::vector<std::size_t> points;  // empty when every point is on the track
    std::vector<double> metres;
    std::span<const double> clock;    // the points' own clock, or own_clock
    std::vector<double> own_clock;
    std::size_t size() const { return metres.size(); }
    std::size_t point(std::size_t k) const { return points.empty() ? k : points[k]; }
};

// The device's distance when every point has one and it never goes back, else the sum
// of geodesics between successive positions. Says which, and why, in a note.
Track measure_distance(const Run& run, RunAnalysis& a) {
    const auto& points = run.points;
    const std::size_t n = points.size();
    Track track;
    track.metres.reserve(n);
    std::size_t lacking = n, back = n;
    for (std::size_t i = 0; i < n && lacking == n && back == n; ++i) {
        if (!held(points[i].distance)) lacking = i;
        else if (i > 0 && points[i].distance < points[i - 1].distance) back = i;
        else track.metres.push_back(points[i].distance);
    }

    if (n > 0 && lacking == n && back == n) {
        a.distance_source = DistanceSource::Device;
        a.notes.push_back("distance: the device's own, which every point has");
    } else {
        track.metres.clear();
        const bool any_device = std::any_of(points.begin(), points.end(), [](const RunPoint& p) { return held(p.distance); });
        ReducedLatitude previous;
        double longitude = 0, metres = 0;
        track.points.reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            if (!held(points[i].latitude) || !held(points[i].longitude)) continue;
            const ReducedLatitude u = reduced_latitude(points[i].latitude);
            if (!track.points.empty()) metres += geodesic_metres(previous, longitude, u, points[i].longitude);
            track.points.push_back(i);
            track.metres.push_back(metres);
            previous = u;
            longitude = points[i].longitude;
        }
        const std::string why = !any_device  ? "the file holds no device distance"
                                : lacking < n ? point_name(lacking) + " has no device distance"
                                              : "the device's distance goes back at " + point_name(back);
        if (!track.points.empty()) {
            a.distance_source = DistanceSource::Geodesic;
            a.notes.push_back("distance: geodesics on the WGS84 ellipsoid between successive positions, as " + why);
        } else {
            a.distance_source = DistanceSource::None;
            a.notes.push_back(n == 0        ? "no distance: the file holds no points"
                              : !any_device ? "no distance: the file holds neither positions nor the device's distance"
                                            : "no distance: the file holds no positions, and " + why);
        }
    }
    if (track.size() > 0) a.distance = track.metres.back();
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

// The pauses of each rule, merged where they overlap or touch. `clock` holds each
// point's time since the first.
std::vector<Pause> find_pauses(const Run& run, const std::vector<double>& clock, const Track& track, RunAnalysis& a) {
    const std::size_t n = clock.size();
    const double t0 = a.start;
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
        inside.reserve(n);
        for (std::size_t i = 1; i < n; ++i)
            if (!starts_part[i]) inside.push_back(clock[i] - clock[i - 1]);
        double usual = 0;
        if (!inside.empty()) {
            const auto middle = inside.begin() + static_cast<std::ptrdiff_t>(inside.size() / 2);
            std::nth_element(inside.begin(), middle, inside.end());
            usual = *middle;
        }
        for (std::size_t i = 1; i < n; ++i) {
            if (!starts_part[i]) continue;
            if (clock[i] - clock[i - 1] <= usual) ++a.auto_laps;
            else found.push_back({clock[i - 1], clock[i], false, true, false});
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

// The samples of one value (altitude, heart rate, cadence) against clock time, linear
// between successive samples: every point when each has the value, else the points
// that have it.
class Samples {
public:
    Samples(const Run& run, const std::vector<double>& clock, double RunPoint::*field)
        : points_(run.points), clock_(clock), field_(field) {
        const auto has = [field](const RunPoint& p) { return held(p.*field); };
        if (std::all_of(points_.begin(), points_.end(), has)) {
            size_ = points_.size();
            return;
        }
        for (std::size_t i = 0; i < points_.size(); ++i)
            if (has(points_[i])) some_.push_back(i);
        size_ = some_.size();
    }

    // The value at clock time t, the first or last sample's outside them.
    double at(double t) const {
        if (size_ == 0) return NOT_RECORDED;
        const std::size_t j = first_after(t);
        if (j == 0) return value(0);
        if (j == size_) return value(size_ - 1);
        return interpolate(t, clock(j - 1), clock(j), value(j - 1), value(j));
    }

    // The average from clock time `from` to `to`: each stretch between two samples (or
    // its part inside) at the mean of its ends, weighed by its moving time.
    double mean(double from, double to, const MovingClock& moving) const {
        double sum = 0, weight = 0;
        const std::size_t after = first_after(from);
        for (std::size_t j = after > 0 ? after - 1 : 0; j + 1 < size_ && clock(j) < to; ++j) {
            const double t0 = clock(j), t1 = clock(j + 1);
            const double lo = std::max(from, t0);
            const double hi = std::min(to, t1);
            if (hi <= lo) continue;
            const double w = moving.moving(lo, hi);
            const double v0 = value(j), v1 = value(j + 1);
            sum += w * (interpolate(lo, t0, t1, v0, v1) + interpolate(hi, t0, t1, v0, v1)) / 2;
            weight += w;
        }
        return weight > 0 ? sum / weight : NOT_RECORDED;
    }

    double max() const {
        double highest = NOT_RECORDED;
        for (std::size_t j = 0; j < size_; ++j) highest = std::fmax(highest, value(j));
        return highest;
    }

private:
    std::size_t point(std::size_t j) const { return some_.empty() ? j : some_[j]; }
    double clock(std::size_t j) const { return clock_[point(j)]; }
    double value(std::size_t j) const { return points_[point(j)].*field_; }
    // The first sample after clock time t (size_ when none is).
    std::size_t first_after(double t) const {
        std::size_t lo = 0, hi = size_;
        while (lo < hi) {
            const std::size_t mid = lo + (hi - lo) / 2;
            if (clock(mid) <= t) lo = mid + 1;
            else hi = mid;
        }
        return lo;
    }

    const std::vector<RunPoint>& points_;
    const std::vector<double>& clock_;
    double RunPoint::*field_;
    std::vector<std::size_t> some_;  // the points with the value, when some lack it
    std::size_t size_ = 0;
};

// The flat distance that costs what the track's distance cost: each stretch of at least
// MIN_GRADE_METRES between points with an altitude at its grade's cost relative to the
// flat, a last shorter stretch joined to the one before; flat where no grade is known.
// Empty when no point of the track has an altitude.
std::vector<double> flat_equivalent(const Run& run, const Track& track) {
    const std::size_t m = track.size(), none = m;
    const auto altitude = [&](std::size_t k) { return run.points[track.point(k)].altitude; };
    std::vector<double> flat(m);
    std::size_t done = 0;  // flat[0..done] is known
    const auto fill = [&](std::size_t to, double factor) {
        for (std::size_t k = done + 1; k <= to; ++k) flat[k] = flat[k - 1] + (track.metres[k] - track.metres[k - 1]) * factor;
        done = to;
    };
    const auto factor = [&](std::size_t from, std::size_t to) {
        const double grade = (altitude(to) - altitude(from)) / (track.metres[to] - track.metres[from]);
        return cost_relative_to_flat(std::clamp(grade, -MAX_GRADE, MAX_GRADE));
    };
    if (m > 0) flat[0] = track.metres[0];
    std::size_t anchor = none, last_from = none, last = none;
    for (std::size_t k = 0; k < m; ++k) {
        if (!held(altitude(k))) continue;
        last = k;
        if (anchor == none) {
            fill(k, 1.0);
            anchor = k;
        } else if (track.metres[k] - track.metres[anchor] >= MIN_GRADE_METRES) {
            fill(k, factor(anchor, k));
            last_from = anchor;
            anchor = k;
        }
    }
    if (anchor == none) return {};
    if (last_from != none && last != anchor) {  // the last short stretch joins the one before
        done = last_from;
        fill(last, factor(last_from, last));
    }
    fill(m - 1, 1.0);
    return flat;
}

// The fastest stretch of a distance inside the track in clock time, from any start (an
// infinite time when the track is shorter). The quickest begins or ends at a point, the
// other end interpolated, so each point is tried as a start (its end found by a pointer
// that only moves on) and as an end. A try that cannot win even from the nearer point
// is not interpolated (the division costs most).
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
        if (t[end - 1] - t[i] >= best.time) continue;
        consider(interpolate(y, d[end - 1], d[end], t[end - 1], t[end]) - t[i], d[i], t[i]);
    }
    for (std::size_t j = 0, start = 0; j < m; ++j) {
        const double x = d[j] - metres;
        if (x < d[0]) continue;
        while (d[start + 1] <= x) ++start;
        if (t[j] - t[start + 1] >= best.time) continue;
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

void make_splits(const Run& run, const std::vector<double>& clock, const Track& track,
                 const std::vector<double>& equivalent, const Samples& heart_rate, const MovingClock& moving,
                 RunAnalysis& a) {
    if (!(a.distance > 0)) {
        a.notes.push_back("no splits: the run has no distance");
        return;
    }
    if (!(a.split_every > 0) || a.distance / a.split_every > MAX_SPLITS) {
        a.notes.push_back("no splits: splits every " + decimal_text(a.split_every, 3) + " m would be more than " +
                          decimal_text(MAX_SPLITS) + " or none");
        return;
    }
    const Samples altitude(run, clock, &RunPoint::altitude);

    // The markers are the split plan's, so that a run and its plan split alike.
    const auto markers = split_plan(a.distance, a.distance, a.split_every);
    double previous_at = 0, previous_clock = 0, previous_flat = 0;
    std::size_t k = 0;
    for (std::size_t i = 0; i < markers.size(); ++i) {
        const double at = markers[i].metres;
        double when = a.elapsed;
        double flat = equivalent.empty() ? NOT_RECORDED : equivalent.back();
        if (i + 1 < markers.size()) {
            // Between the two points that straddle the marker.
            while (track.metres[k] < at) ++k;
            if (k == 0) {
                when = track.clock[0];
                if (!equivalent.empty()) flat = at;
            } else {
                when = interpolate(at, track.metres[k - 1], track.metres[k], track.clock[k - 1], track.clock[k]);
                if (!equivalent.empty())
                    flat = interpolate(at, track.metres[k - 1], track.metres[k], equivalent[k - 1], equivalent[k]);
            }
        }
        Split split;
        split.at = at;
        split.time = moving.moving(previous_clock, when);
        split.cumulative = when;
        split.pace = per_km(split.time, at - previous_at);
        split.gap = per_km(split.time, flat - previous_flat);
        split.elevation_change = altitude.at(when) - altitude.at(previous_clock);
        split.heart_rate = heart_rate.mean(previous_clock, when, moving);
        a.splits.push_back(split);
        previous_at = at;
        previous_clock = when;
        previous_flat = flat;
    }
}

}  // namespace

RunAnalysis analyse_run(const Run& run, double split_every) {
    RunAnalysis a;
    a.split_every = split_every;
    Track track = measure_distance(run, a);
    a.track.reserve(track.size());
    for (std::size_t k = 0; k < track.size(); ++k) {
        const RunPoint& p = run.points[track.point(k)];
        a.track.push_back({track.metres[k], p.latitude, p.longitude, p.altitude});
    }
    count_elevation(run, a);
    a.timed = check_times(run, a);
    if (!a.timed) return a;

    a.start = run.points.front().time;
    a.elapsed = run.points.back().time - a.start;
    std::vector<double> clock(run.points.size());
    for (std::size_t i = 0; i < clock.size(); ++i) clock[i] = run.points[i].time - a.start;
    if (track.points.empty()) {
        track.clock = clock;
    } else {
        track.own_clock.reserve(track.size());
        for (std::size_t p : track.points) track.own_clock.push_back(clock[p]);
        track.clock = track.own_clock;
    }

    a.pauses = find_pauses(run, clock, track, a);
    const MovingClock moving(a.pauses);
    a.moving = moving.moving(0, a.elapsed);
    a.notes.push_back(pause_note(a));
    if (a.auto_laps > 0)
        a.notes.push_back("automatic laps, not pauses: " + decimal_text(static_cast<double>(a.auto_laps)) +
                          " between parts no longer than the usual interval between points");
    if (a.distance_source == DistanceSource::None)
        a.notes.push_back("without a distance, no slow stretch is found: the pauses are the timer's and between parts");

    const Samples heart_rate(run, clock, &RunPoint::heart_rate);
    const Samples cadence(run, clock, &RunPoint::cadence);
    a.average_heart_rate = heart_rate.mean(0, a.elapsed, moving);
    a.max_heart_rate = heart_rate.max();
    a.cadence = cadence.mean(0, a.elapsed, moving);

    if (a.distance_source == DistanceSource::None) return a;
    a.pace = per_km(a.moving, a.distance);
    const std::vector<double> equivalent = flat_equivalent(run, track);
    if (!equivalent.empty()) a.gap = per_km(a.moving, equivalent.back());
    make_splits(run, clock, track, equivalent, heart_rate, moving, a);
    for (const NamedDistance& distance : BEST_EFFORT_DISTANCES) {
        const BestEffort effort = fastest(track, distance);
        if (std::isfinite(effort.time)) a.best_efforts.push_back(effort);
    }
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
