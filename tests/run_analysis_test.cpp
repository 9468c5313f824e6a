// The analysis of a recorded run against cases worked by hand. Runs are built from small
// tables of points: time and the device's distance unless a case needs positions.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/recorded/analysis.h"
#include "core/recorded/geodesic.h"

namespace quorran {
namespace {

constexpr double NaN = NOT_RECORDED;

struct Row {
    double t, d;  // seconds, the device's metres
    double alt = NaN, hr = NaN, cad = NaN;
};

quorran::Run run_of(std::initializer_list<Row> rows) {
    quorran::Run run;
    for (const Row& r : rows) {
        RunPoint p;
        p.time = r.t;
        p.distance = r.d;
        p.altitude = r.alt;
        p.heart_rate = r.hr;
        p.cadence = r.cad;
        run.points.push_back(p);
    }
    run.part_starts = {0};
    return run;
}

// A point on the equator `metres` east of 0°, with no device distance: along the
// equator the geodesic is the arc a * longitude.
RunPoint on_equator(double t, double metres) {
    RunPoint p;
    p.time = t;
    p.latitude = 0;
    p.longitude = metres / WGS84_A * 180 / std::numbers::pi;
    return p;
}

bool says(const RunAnalysis& a, const std::string& words) {
    for (const std::string& note : a.notes)
        if (note.find(words) != std::string::npos) return true;
    return false;
}

// Each boundary is timed between the two points that straddle it; the last split ends
// at the finish, and a finish on a boundary makes no empty split after it.
TEST(RunAnalysis, SplitsBetweenPoints) {
    const quorran::Run km = run_of({{0, 0}, {200, 900}, {300, 1100}, {360, 1200}});
    const struct { const quorran::Run& run; double every; std::vector<double> at, time, cumulative; } cases[] = {
        {km, 1000, {1000, 1200}, {250, 110}, {250, 360}},
        {km, 300, {300, 600, 900, 1200}, {200.0 / 3, 200.0 / 3, 200.0 / 3, 160}, {200.0 / 3, 400.0 / 3, 200, 360}},
        {km, 5000, {1200}, {360}, {360}},
        // 5 m/s over 2 miles: each mile in 321.8688 s, 200 s per km.
        {run_of({{0, 0}, {300, 1500}, {600, 3000}, {643.7376, 2 * METRES_PER_MILE}}), METRES_PER_MILE,
         {METRES_PER_MILE, 2 * METRES_PER_MILE}, {321.8688, 321.8688}, {321.8688, 643.7376}},
    };
    for (const auto& c : cases) {
        const RunAnalysis a = analyse_run(c.run, c.every);
        ASSERT_EQ(a.splits.size(), c.at.size()) << c.every;
        for (std::size_t i = 0; i < c.at.size(); ++i) {
            EXPECT_NEAR(a.splits[i].at, c.at[i], 1e-9) << c.every << " split " << i;
            EXPECT_NEAR(a.splits[i].time, c.time[i], 1e-9) << c.every << " split " << i;
            EXPECT_NEAR(a.splits[i].cumulative, c.cumulative[i], 1e-9) << c.every << " split " << i;
            EXPECT_NEAR(a.splits[i].pace, c.time[i] / (c.at[i] - (i ? c.at[i - 1] : 0)) * 1000, 1e-9);
        }
    }
    const RunAnalysis miles = analyse_run(cases[3].run, METRES_PER_MILE);
    EXPECT_NEAR(miles.splits[1].pace, 200, 1e-9);
    EXPECT_NEAR(miles.pace, 200, 1e-9);
    EXPECT_EQ(analyse_run(km, 0).splits.size(), 0u);
    EXPECT_TRUE(says(analyse_run(km, 0.1), "no splits"));  // 12,000 splits
}

// The same straight track on the equator, by geodesics: the km boundary is crossed
// between the points at 900 m and 1100 m, at 250 s.
TEST(RunAnalysis, GeodesicTrack) {
    quorran::Run run;
    const std::pair<double, double> rows[] = {{0, 0}, {200, 900}, {300, 1100}, {330, NaN}, {360, 1200}};
    for (const auto& [t, m] : rows) run.points.push_back(std::isnan(m) ? RunPoint{.time = t} : on_equator(t, m));
    const RunAnalysis a = analyse_run(run);
    EXPECT_EQ(a.distance_source, DistanceSource::Geodesic);
    EXPECT_NEAR(a.distance, 1200, 1e-6);  // the point without a position is passed over
    ASSERT_EQ(a.splits.size(), 2u);
    EXPECT_NEAR(a.splits[0].cumulative, 250, 1e-6);
    EXPECT_NEAR(a.splits[1].time, 110, 1e-6);
}

// The device's distance when every point has one and it never goes back; else the
// geodesics, and the note says why.
TEST(RunAnalysis, DistanceSource) {
    const struct { double device[3]; DistanceSource source; double distance; const char* note; } cases[] = {
        {{0, 505, 1010}, DistanceSource::Device, 1010, "the device's own"},
        {{0, NaN, 1010}, DistanceSource::Geodesic, 1000, "point 2 has no device distance"},
        {{NaN, NaN, NaN}, DistanceSource::Geodesic, 1000, "the file holds no device distance"},
        {{0, 505, 504}, DistanceSource::Geodesic, 1000, "goes back at point 3"},
    };
    for (const auto& c : cases) {
        quorran::Run run;
        for (int i = 0; i < 3; ++i) {
            run.points.push_back(on_equator(100.0 * i, 500.0 * i));
            run.points.back().distance = c.device[i];
        }
        const RunAnalysis a = analyse_run(run);
        EXPECT_EQ(a.distance_source, c.source) << c.note;
        EXPECT_NEAR(a.distance, c.distance, 1e-6) << c.note;
        EXPECT_TRUE(says(a, c.note)) << c.note;
    }
}

// Without times: distance and elevation only. Without positions or the device's
// distance: no distance, the times still there.
TEST(RunAnalysis, WhatTheFileLacks) {
    const struct { Row rows[3]; bool timed; double distance, ascent; const char* note; } cases[] = {
        {{{NaN, 0, 100}, {NaN, 500, 104}, {NaN, 900, 104}}, false, 900, 4, "no times: distance and elevation only"},
        {{{0, 0, 100}, {NaN, 500, 104}, {200, 900}}, false, 900, 4, "point 2 has no time"},
        {{{0, 0}, {100, 500}, {90, 900}}, false, 900, NaN, "the time goes back at point 3"},
        {{{0, NaN, 100}, {100, NaN, 104}, {200, NaN}}, true, NaN, 4, "no distance: the file holds neither positions"},
    };
    for (const auto& c : cases) {
        const RunAnalysis a = analyse_run(run_of({c.rows[0], c.rows[1], c.rows[2]}));
        EXPECT_EQ(a.timed, c.timed) << c.note;
        EXPECT_EQ(std::isnan(a.elapsed), !c.timed) << c.note;
        EXPECT_EQ(a.splits.empty() && a.best_efforts.empty(), true) << c.note;
        EXPECT_TRUE(std::isnan(c.distance) ? std::isnan(a.distance) : a.distance == c.distance) << c.note;
        EXPECT_TRUE(std::isnan(c.ascent) ? std::isnan(a.ascent) : a.ascent == c.ascent) << c.note;
        EXPECT_TRUE(says(a, c.note)) << c.note;
    }
    EXPECT_TRUE(says(analyse_run(run_of({{0, 0}, {10, 40}})), "no altitude"));
}

// Each rule's pause, each threshold on both sides, and pauses that overlap counted once.
// The base run goes 4 m/s with a point every 10 s.
TEST(RunAnalysis, Pauses) {
    const struct {
        const char* name;
        quorran::Run run;
        std::vector<std::size_t> parts;
        std::vector<TimerStop> stops;
        std::vector<Pause> pauses;
        double moving;
        std::size_t auto_laps;
    } cases[] = {
        {"timer stopped", run_of({{0, 0}, {10, 40}, {20, 80}, {30, 120}, {90, 160}, {100, 200}}), {0}, {{30, 90}},
         {{30, 90, true, false, false}}, 40, 0},
        {"timer stopped to the end", run_of({{0, 0}, {10, 40}, {20, 80}, {30, 120}, {90, 160}, {100, 200}}), {0},
         {{90, NaN}}, {{90, 100, true, false, false}}, 90, 0},
        {"between parts", run_of({{0, 0}, {10, 40}, {20, 80}, {30, 120}, {90, 160}, {100, 200}}), {0, 4}, {},
         {{30, 90, false, true, false}}, 40, 0},
        {"automatic lap", run_of({{0, 0}, {10, 40}, {20, 80}, {30, 120}, {40, 160}, {50, 200}}), {0, 4}, {}, {}, 50, 1},
        {"a gap just longer than the usual", run_of({{0, 0}, {10, 40}, {20, 80}, {30.5, 120}, {40.5, 160}, {50.5, 200}}),
         {0, 3}, {}, {{20, 30.5, false, true, false}}, 40, 0},
        // Intervals of 5, 10, 10 and 20 s inside the parts: the usual is 10 s.
        {"the median interval", run_of({{0, 0}, {5, 20}, {15, 60}, {25, 100}, {45, 180}, {55, 220}}), {0, 5}, {}, {}, 55, 1},
        {"a gap over the median", run_of({{0, 0}, {5, 20}, {15, 60}, {25, 100}, {45, 180}, {60, 240}}), {0, 5}, {},
         {{45, 60, false, true, false}}, 45, 0},
        {"slow for 10 s", run_of({{0, 0}, {10, 40}, {20, 44}, {30, 84}}), {0}, {}, {{10, 20, false, false, true}}, 20, 0},
        {"slow for 9.9 s", run_of({{0, 0}, {10, 40}, {19.9, 43.96}, {29.9, 83.96}}), {0}, {}, {}, 29.9, 0},
        {"just under 0.5 m/s", run_of({{0, 0}, {10, 40}, {20, 44.99}, {30, 84.99}}), {0}, {}, {{10, 20, false, false, true}}, 20, 0},
        {"0.5 m/s", run_of({{0, 0}, {10, 40}, {20, 45}, {30, 85}}), {0}, {}, {}, 30, 0},
        {"slow over two intervals", run_of({{0, 0}, {10, 40}, {15, 41}, {21, 42}, {31, 82}}), {0}, {},
         {{10, 21, false, false, true}}, 20, 0},
        {"a repeated point inside", run_of({{0, 0}, {10, 40}, {16, 40}, {16, 40}, {22, 40}, {32, 80}}), {0}, {},
         {{10, 22, false, false, true}}, 20, 0},
        {"slow to the end", run_of({{0, 0}, {10, 40}, {20, 40}}), {0}, {}, {{10, 20, false, false, true}}, 10, 0},
        {"slow right after a timer stop", run_of({{0, 0}, {10, 40}, {20, 80}, {30, 120}, {90, 160}, {100, 162}, {110, 202}}),
         {0}, {{30, 90}}, {{30, 100, true, false, true}}, 40, 0},
        {"slow into a timer stop", run_of({{0, 0}, {10, 40}, {20, 80}, {30, 82}, {90, 82}, {100, 122}}), {0}, {{30, 90}},
         {{20, 90, true, false, true}}, 30, 0},
        {"the three at once", run_of({{0, 0}, {10, 40}, {20, 80}, {30, 120}, {90, 120}, {100, 160}}), {0, 4}, {{30, 90}},
         {{30, 90, true, true, true}}, 40, 0},
    };
    for (auto c : cases) {
        c.run.part_starts = c.parts;
        c.run.timer_stops = c.stops;
        const RunAnalysis a = analyse_run(c.run);
        ASSERT_EQ(a.pauses.size(), c.pauses.size()) << c.name;
        for (std::size_t i = 0; i < c.pauses.size(); ++i) {
            const Pause &got = a.pauses[i], &want = c.pauses[i];
            EXPECT_NEAR(got.from, want.from, 1e-9) << c.name;
            EXPECT_NEAR(got.to, want.to, 1e-9) << c.name;
            EXPECT_EQ(got.timer_stopped, want.timer_stopped) << c.name;
            EXPECT_EQ(got.between_parts, want.between_parts) << c.name;
            EXPECT_EQ(got.slow, want.slow) << c.name;
        }
        EXPECT_NEAR(a.moving, c.moving, 1e-9) << c.name;
        EXPECT_EQ(a.auto_laps, c.auto_laps) << c.name;
        EXPECT_NEAR(a.splits.back().time, c.moving, 1e-9) << c.name;  // one split: the finish
    }
    quorran::Run three = run_of({{0, 0}, {10, 40}, {20, 80}, {30, 120}, {90, 120}, {100, 160}});
    three.part_starts = {0, 4};
    three.timer_stops = {{30, 90}};
    EXPECT_TRUE(says(analyse_run(three), "pauses: 1, 1:00 in all; 1 with the timer stopped, 1 between parts, 1 under"));

    // 300 m covered while the timer stood: the splits inside have no moving time, no pace.
    quorran::Run walked = run_of({{0, 0}, {100, 400}, {160, 700}, {260, 1100}});
    walked.timer_stops = {{100, 160}};
    const RunAnalysis a = analyse_run(walked, 100);
    ASSERT_EQ(a.splits.size(), 11u);
    EXPECT_NEAR(a.splits[3].time, 25, 1e-9);  // 300 to 400 m
    EXPECT_EQ(a.splits[4].time, 0);           // 400 to 500 m, at 100 to 120 s
    EXPECT_TRUE(std::isnan(a.splits[4].pace));
    EXPECT_NEAR(a.splits[4].cumulative, 120, 1e-9);
}

// Gain and loss count a move of 3 m or more from the last altitude counted.
TEST(RunAnalysis, ElevationGainAndLoss) {
    const struct { std::vector<double> altitudes; double ascent, descent; } cases[] = {
        {{100, 102.9, 100, 102.9}, 0, 0},
        {{100, 103, 100}, 3, 3},
        {{100, 101.5, 103, 104}, 3, 0},
        {{100, 97.1, 97}, 0, 3},
        {{100, 97, 95, 94}, 0, 6},  // from 97 counted
        {{100, 102.9, 105.8}, 5.8, 0},
        {{100, 102, 99}, 0, 0},  // from 100 counted, not from 102
        {{100, NaN, 96}, 0, 4},
    };
    for (const auto& c : cases) {
        quorran::Run run;
        for (double alt : c.altitudes) run.points.push_back(RunPoint{.time = NaN, .altitude = alt, .distance = 0});
        const RunAnalysis a = analyse_run(run);
        EXPECT_NEAR(a.ascent, c.ascent, 1e-9) << c.altitudes[1];
        EXPECT_NEAR(a.descent, c.descent, 1e-9) << c.altitudes[1];
    }
}

TEST(RunAnalysis, MinettiCost) {
    EXPECT_EQ(running_cost(0), 3.6);
    const struct { double grade, relative; } cases[] = {{0.05, 1.3014}, {-0.05, 0.7628}, {-0.2, 0.5000}, {0, 1}};
    for (const auto& c : cases) EXPECT_NEAR(cost_relative_to_flat(c.grade), c.relative, 5e-5) << c.grade;
}

// Grade-adjusted pace: the grade over 10 m or more, clamped to 45 %, the last short
// stretch joined to the one before.
TEST(RunAnalysis, GradeAdjustedPace) {
    const struct { const char* name; quorran::Run run; double pace, gap; } cases[] = {
        {"flat", run_of({{0, 0, 50}, {150, 500, 50}, {300, 1000, 50}}), 300, 300},
        {"5 % up", run_of({{0, 0, 0}, {150, 500, 25}, {300, 1000, 50}}), 300, 230.5132988231269},
        {"60 % up, as 45 %", run_of({{0, 0, 0}, {150, 500, 300}, {300, 1000, 600}}), 300, 55.595551857807884},
        {"10 m up 1 m, then 10 m flat", run_of({{0, 0, 0}, {2, 10, 1}, {4, 20, 1}}), 200, 150.4983061624667},
        {"wobbles within 10 m", run_of({{0, 0, 0}, {1, 5, 0.5}, {2, 10, 0}, {3, 15, 0.5}, {4, 20, 0}}), 200, 200},
        {"a last stretch of 5 m", run_of({{0, 0, 0}, {2, 10, 1}, {3, 15, 2}}), 200, 104.08512855669878},
    };
    for (const auto& c : cases) {
        const RunAnalysis a = analyse_run(c.run, 1e6);
        EXPECT_NEAR(a.pace, c.pace, 1e-9) << c.name;
        EXPECT_NEAR(a.gap, c.gap, 1e-9) << c.name;
        EXPECT_NEAR(a.splits.back().gap, c.gap, 1e-9) << c.name;
    }
    EXPECT_TRUE(std::isnan(analyse_run(run_of({{0, 0}, {300, 1000}})).gap));

    // Per split: a km at 5 % up, then a km on the flat, each in 300 s.
    const RunAnalysis a = analyse_run(run_of({{0, 0, 0}, {300, 1000, 50}, {600, 2000, 50}}));
    ASSERT_EQ(a.splits.size(), 2u);
    EXPECT_NEAR(a.splits[0].gap, 230.5132988231269, 1e-9);
    EXPECT_NEAR(a.splits[1].gap, 300, 1e-9);
    EXPECT_NEAR(a.splits[0].elevation_change, 50, 1e-9);
    EXPECT_NEAR(a.splits[1].elevation_change, 0, 1e-9);
}

// The fastest stretches from any start, both ends interpolated, in elapsed time.
TEST(RunAnalysis, BestEfforts) {
    // 0.3 s/m to 1000 m, 55 s to 1300 m, 60 s to 1600 m, then 0.28 s/m to 2600 m.
    const RunAnalysis a = analyse_run(run_of({{0, 0}, {300, 1000}, {355, 1300}, {415, 1600}, {695, 2600}}));
    const struct { double metres, time, start, start_clock; } want[] = {
        {400, 75, 1000, 300},
        {1000, 227, 1000, 300},
        {METRES_PER_MILE, 397.8032, 990.656, 297.1968},  // starts between two points
    };
    ASSERT_EQ(a.best_efforts.size(), 3u);  // no 5 km in 2.6 km
    for (std::size_t i = 0; i < 3; ++i) {
        const BestEffort& e = a.best_efforts[i];
        EXPECT_EQ(e.distance.metres, want[i].metres);
        EXPECT_NEAR(e.time, want[i].time, 1e-9) << e.distance.name;
        EXPECT_NEAR(e.start, want[i].start, 1e-9) << e.distance.name;
        EXPECT_NEAR(e.start_clock, want[i].start_clock, 1e-9) << e.distance.name;
    }

    // A minute stood at 600 m inside every km of 1.2 km: the best km takes it in.
    const RunAnalysis stood = analyse_run(run_of({{0, 0}, {180, 600}, {240, 600}, {360, 1000}, {420, 1200}}));
    EXPECT_NEAR(stood.moving, 360, 1e-9);
    ASSERT_EQ(stood.best_efforts.size(), 2u);
    EXPECT_NEAR(stood.best_efforts[1].time, 360, 1e-9);
    // Stood at 1000 m between two km: each km runs away from it, 300 s.
    const RunAnalysis between = analyse_run(run_of({{0, 0}, {300, 1000}, {360, 1000}, {660, 2000}}));
    EXPECT_NEAR(between.best_efforts[1].time, 300, 1e-9);
    // Stood at the finish: the km ends where 1000 m is first reached.
    EXPECT_NEAR(analyse_run(run_of({{0, 0}, {300, 1000}, {400, 1000}})).best_efforts[1].time, 300, 1e-9);
}

// Heart rate and cadence weigh each stretch between samples by its moving time.
TEST(RunAnalysis, HeartRateAndCadence) {
    quorran::Run run = run_of({{0, 0, NaN, 100, 170}, {10, 50, NaN, 100, 170}, {20, 100, NaN, 160, 180}, {30, 150, NaN, NaN, NaN}});
    const RunAnalysis a = analyse_run(run, 25);
    EXPECT_NEAR(a.average_heart_rate, 115, 1e-9);  // 10 s at 100, 10 s at 130 on average
    EXPECT_EQ(a.max_heart_rate, 160);
    EXPECT_NEAR(a.cadence, 172.5, 1e-9);
    const double per_split[] = {100, 100, 115, 145, NaN, NaN};  // none after 20 s
    ASSERT_EQ(a.splits.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_TRUE(std::isnan(per_split[i]) ? std::isnan(a.splits[i].heart_rate)
                                             : std::fabs(a.splits[i].heart_rate - per_split[i]) < 1e-9) << i;

    run.timer_stops = {{10, 20}};  // the rise to 160 was paused
    EXPECT_NEAR(analyse_run(run).average_heart_rate, 100, 1e-9);
    EXPECT_TRUE(std::isnan(analyse_run(run_of({{0, 0}, {10, 50}})).average_heart_rate));
}

// The run's splits beside an even plan of 9:40 for its 2 km: at the marker and behind.
TEST(RunAnalysis, AgainstAPlan) {
    const RunAnalysis a = analyse_run(run_of({{0, 0}, {290, 1000}, {600, 2000}}));
    const auto markers = compare_with_plan(a, 580);
    ASSERT_EQ(markers.size(), 2u);
    const PlanMarker want[] = {{1000, 290, 290, 290, 290, 0}, {2000, 310, 290, 600, 580, 20}};
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(markers[i].at, want[i].at);
        EXPECT_NEAR(markers[i].time, want[i].time, 1e-9);
        EXPECT_NEAR(markers[i].planned_time, want[i].planned_time, 1e-9);
        EXPECT_NEAR(markers[i].cumulative, want[i].cumulative, 1e-9);
        EXPECT_NEAR(markers[i].planned_cumulative, want[i].planned_cumulative, 1e-9);
        EXPECT_NEAR(markers[i].behind, want[i].behind, 1e-9);
    }
    EXPECT_NEAR(compare_with_plan(a, 600, 10)[0].planned_cumulative, 600 / 1.9, 1e-9);  // 2nd half 10 % faster
    EXPECT_TRUE(compare_with_plan(analyse_run(run_of({{NaN, 0}, {NaN, 100}})), 600).empty());
}

}  // namespace
}  // namespace quorran
