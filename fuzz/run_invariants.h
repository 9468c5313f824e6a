#pragma once

#include <cmath>
#include <string>

#include "core/recorded/read_run.h"
#include "core/recorded/run_text.h"
#include "fuzz/fuzz_check.h"

// What any reading of any bytes must be: a run that keeps the promises of
// core/recorded/run.h, or a refusal that says what is wrong.
namespace quorran::fuzz {

inline void check_reading(std::string_view input, const RunReading& reading) {
    const std::string where = "input \"" + escaped(input.substr(0, 400)) + "\"";
    if (!reading.run) {
        FUZZ_CHECK(!reading.refusal.what.empty(), where);
        return;
    }
    const Run& run = *reading.run;
    FUZZ_CHECK(!run.points.empty() && !run.part_starts.empty() && run.part_starts[0] == 0, where);
    for (std::size_t i = 1; i < run.part_starts.size(); ++i)
        FUZZ_CHECK(run.part_starts[i - 1] < run.part_starts[i] && run.part_starts[i] < run.points.size(), where);
    const bool timed = !std::isnan(run.points[0].time);
    std::size_t part = 0;
    for (std::size_t i = 0; i < run.points.size(); ++i) {
        const RunPoint& p = run.points[i];
        const bool starts_part = part < run.part_starts.size() && run.part_starts[part] == i;
        part += starts_part;
        FUZZ_CHECK(std::isnan(p.time) != timed && (!timed || std::isfinite(p.time)), where + " point " + std::to_string(i));
        if (timed && i > 0)
            FUZZ_CHECK(p.time > run.points[i - 1].time || (starts_part && p.time == run.points[i - 1].time),
                       where + " point " + std::to_string(i));
        FUZZ_CHECK(std::isnan(p.latitude) == std::isnan(p.longitude), where);
        FUZZ_CHECK(std::isnan(p.latitude) || (std::fabs(p.latitude) <= 90 && std::fabs(p.longitude) <= 180), where);
    }
    FUZZ_CHECK(!run_text(run).empty(), where);
}

}  // namespace quorran::fuzz
