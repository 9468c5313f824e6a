#pragma once

// The fastest anyone has run: a bound for what an entered race can be, not a statistic.
namespace quorran {

// The world record's time over metres in seconds: the men's outright records (as of
// 2025) at their distances, and between and beyond them the straight line through the
// two nearest on a log-log scale (a power law), so a record speed exists for any distance.
double world_record_seconds(double metres);

// A race run in less than the world record's time over its distance.
bool faster_than_world_record(double metres, double seconds);

}  // namespace quorran
