#pragma once

#include <map>
#include <ostream>
#include <string>

// Reading and analysing the made-up day on the trails (bench/made_up_run.h), beside expat
// parsing the same GPX bytes alone, in quorran_bench's run.
namespace quorran::bench {

// Registers the benchmarks, after loading the run's files from the build folder; false,
// saying why on standard error, when they cannot be read.
bool register_recorded_runs();

// The table of their median CPU times (times by benchmark name, in ms, the unit they are
// registered with) and each one's ratio to expat alone.
void report_recorded_runs(std::ostream& out, const std::map<std::string, double>& times);

}  // namespace quorran::bench
