#pragma once

// The Daniels-Gilbert equations: the oxygen cost of running at a speed, the share of
// VO2max a runner can hold for a time, and VDOT, the VO2max a race performance implies.
// Speeds are in metres per minute, as the equations have them.
namespace quorran {

// Oxygen cost (ml/kg/min) of running at metres_per_minute.
double oxygen_cost(double metres_per_minute);

// Share of VO2max held over a race of the given minutes.
double share_of_max(double minutes);

double vdot(double metres, double seconds);

// The time of a race over metres that gives this VDOT, to well within 0.01 s.
double equivalent_seconds(double vdot_value, double metres);

// The speed (metres per minute) whose oxygen cost is share x VDOT.
double speed_at_share(double vdot_value, double share);

// Training paces in seconds per km: easy is a range, slow to fast.
struct TrainingPaces {
    double easy_slow, easy_fast, marathon, threshold, interval, repetition;
};
inline constexpr double EASY_SLOW_SHARE = 0.59;
inline constexpr double EASY_FAST_SHARE = 0.74;
inline constexpr double THRESHOLD_SHARE = 0.88;
inline constexpr double INTERVAL_SHARE = 0.975;
inline constexpr double REPETITION_SHARE = 1.05;

TrainingPaces training_paces(double vdot_value);

}  // namespace quorran
