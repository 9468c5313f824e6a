#pragma once

// Running on a treadmill's incline, as the flat running it equals: the ACSM running
// equation, which gives the oxygen a runner uses from the speed and the grade.
namespace quorran {

// The equation is fitted to running: below about 134 m/min (8 km/h) people walk, and
// walking has an equation of its own.
inline constexpr double RUNNING_EQUATION_SLOWEST_KMH = 8.0;

// Oxygen cost in ml/kg/min of running at speed_kmh up a grade (0.02 for 2 %):
// 0.2 v + 0.9 v grade + 3.5, v in metres a minute.
double running_oxygen_cost(double speed_kmh, double grade);

// The speed on the flat, in km/h, whose cost equals running at speed_kmh up the grade.
double flat_equivalent_kmh(double speed_kmh, double grade);

}  // namespace quorran
