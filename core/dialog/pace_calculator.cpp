#include "core/dialog/pace_calculator.h"

#include <cmath>

#include "core/numbers/number_text.h"
#include "core/dialog/result_formats.h"

namespace quorran {

namespace {

constexpr double KM_PER_400M = 0.4;

// The pace as seconds per unit distance.
double total_seconds(PaceTime pace) { return pace.minutes * SECONDS_PER_MINUTE + pace.seconds; }

// Seconds per unit of a pace scaled by factor, split into whole minutes and seconds.
PaceTime convert_pace(PaceTime pace, double factor) {
    const double t = total_seconds(pace) * factor;
    double s = std::fmod(t, SECONDS_PER_MINUTE);
    double m = (t - s) * ONE_SIXTIETH;
    if (s >= SECONDS_CARRY) {
        m = m + 1.0;
        s = 0.0;
    }
    return {m, s};
}

}  // namespace

CalcStatus compute_pace(double hours, double minutes, double seconds, double distance_miles,
                        PaceTime& per_mile) {
    per_mile = {0.0, 0.0};
    hours = std::fabs(hours);
    minutes = std::fabs(minutes);
    seconds = std::fabs(seconds);
    distance_miles = std::fabs(distance_miles);
    if (distance_miles == 0.0) return CalcStatus::ZeroDistance;
    // The order of the sum decides some printed tenths: seconds join the hours first.
    const double total = (hours * SECONDS_PER_MINUTE + seconds * ONE_SIXTIETH) + minutes;
    if (total == 0.0) return CalcStatus::ZeroTime;
    per_mile = whole_minutes_and_seconds(total / distance_miles);
    return CalcStatus::Ok;
}

PaceTime whole_minutes_and_seconds(double minutes) {
    const double frac = std::fmod(minutes, 1.0);
    double whole = minutes - frac;
    double seconds = frac * SECONDS_PER_MINUTE;
    if (seconds >= SECONDS_CARRY) {
        whole = whole + 1.0;
        seconds = 0.0;
    }
    return {whole, seconds};
}

PaceTime pace_per_km(PaceTime per_mile) { return convert_pace(per_mile, KM_TO_MILES); }

PaceTime pace_per_400m(PaceTime per_km) { return convert_pace(per_km, KM_PER_400M); }

double decimal_minutes(PaceTime p) { return p.seconds * ONE_SIXTIETH + p.minutes; }

double speed_kmh(PaceTime p) { return KM_PER_MILE / (total_seconds(p) * ONE_3600TH); }

double speed_mph(PaceTime p) { return 1.0 / (total_seconds(p) * ONE_3600TH); }

double speed_mps(PaceTime p) { return METRES_PER_MILE / total_seconds(p); }

double speed_fps(PaceTime p) { return FEET_PER_MILE / total_seconds(p); }

std::string pace_result_text(PaceTime per_mile) {
    return format_text(result_format::PACE, {per_mile.minutes, per_mile.seconds});
}

OtherFormats other_formats(PaceTime per_mile) {
    const PaceTime per_km = pace_per_km(per_mile);
    const PaceTime per_400m = pace_per_400m(per_km);
    // Seconds per 400 m: both the 400 m line and the selection prefix begin with it.
    const double q = total_seconds(per_400m);
    const std::array<double, 9> values{total_seconds(per_km),     q,
                                       decimal_minutes(per_mile), speed_kmh(per_mile),
                                       speed_mph(per_mile),       speed_mps(per_mile),
                                       speed_mps(per_mile) * SECONDS_PER_MINUTE,
                                       speed_fps(per_mile),       speed_fps(per_mile) * SECONDS_PER_MINUTE};
    return OtherFormats{
        .lines = {
            format_text(result_format::OTHER[0], {per_km.minutes, per_km.seconds}),
            format_text(result_format::OTHER[1], {q, per_400m.minutes, per_400m.seconds}),
            format_text(result_format::OTHER[2], {values[2]}),
            format_text(result_format::OTHER[3], {values[3]}),
            format_text(result_format::OTHER[4], {values[4]}),
            format_text(result_format::OTHER[5], {values[5]}),
            format_text(result_format::OTHER[6], {values[6]}),
            format_text(result_format::OTHER[7], {values[7]}),
            format_text(result_format::OTHER[8], {values[8]}),
        },
        .values = values,
        // Cut to its buffer it is still a prefix of the 400 m line, which it selects.
        .select_prefix = format_text(result_format::SELECT_PREFIX, {q}, SELECT_PREFIX_LIMIT),
    };
}

}  // namespace quorran
