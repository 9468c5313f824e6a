#include "core/recorded/run_text.h"

#include <cmath>
#include <string_view>

#include "core/numbers/number_text.h"
#include "core/recorded/run_builder.h"
#include "core/recorded/utc_time.h"

namespace quorran {
namespace {

constexpr int TIME_DECIMALS = 6;
constexpr std::size_t LINE_LIMIT = 400;

std::string number(double value, std::string_view format) {
    return std::isnan(value) ? "-" : format_text(format, {value}, LINE_LIMIT);
}

std::string_view format_name(RunFormat format) {
    switch (format) {
    case RunFormat::Gpx10: return "GPX 1.0";
    case RunFormat::Gpx11: return "GPX 1.1";
    case RunFormat::Tcx: return "TCX";
    case RunFormat::Fit: return "FIT";
    }
    return "?";
}

}  // namespace

std::string run_text(const Run& run) {
    std::string text = "format " + std::string(format_name(run.format)) + "\nparts starting at";
    for (const std::size_t start : run.part_starts) text += " " + std::to_string(start);
    text += "\n";
    for (const TimerStop& stop : run.timer_stops)
        text += "timer stopped " + utc_time_text(stop.stopped, TIME_DECIMALS) + " started " +
                utc_time_text(stop.started, TIME_DECIMALS) + "\n";
    for (const std::string& note : run.reading_notes) text += "note: " + note + "\n";
    text += counted(run.points.size(), "point", "points") +
            ": time latitude longitude altitude distance heart_rate cadence power speed\n";
    for (const RunPoint& p : run.points) {
        text += utc_time_text(p.time, TIME_DECIMALS) + " " + number(p.latitude, "%.7f") + " " + number(p.longitude, "%.7f") +
                " " + number(p.altitude, "%.3f") + " " + number(p.distance, "%.3f") + " " + number(p.heart_rate, "%.2f") +
                " " + number(p.cadence, "%.2f") + " " + number(p.power, "%.2f") + " " + number(p.speed, "%.3f") + "\n";
    }
    return text;
}

std::string reading_text(const RunReading& reading) {
    if (reading.run) return run_text(*reading.run);
    RunRefusal place = reading.refusal;
    place.detail.clear();
    return "refused: " + place.message() + "\n";
}

}  // namespace quorran
