#include "core/dialog/finish_time_calculator.h"

#include <cmath>

#include "core/numbers/number_text.h"
#include "core/dialog/pace_calculator.h"
#include "core/dialog/result_formats.h"

namespace quorran {

namespace {

constexpr double MINUTES_PER_HOUR = 60.0;

// The singular only for exactly 1.0: seconds that merely print as 1.0 stay plural.
std::string_view unit_word(double value, std::string_view one, std::string_view many) {
    return value == 1.0 ? one : many;
}

}  // namespace

CalcStatus compute_finish_time(double pace_minutes, double pace_seconds, double distance_miles,
                               ClockTime& time) {
    time = {0.0, 0.0, 0.0};
    pace_minutes = std::fabs(pace_minutes);
    pace_seconds = std::fabs(pace_seconds);
    distance_miles = std::fabs(distance_miles);
    if (distance_miles == 0.0) return CalcStatus::ZeroDistance;
    const double total = (pace_seconds * ONE_SIXTIETH + pace_minutes) * distance_miles;
    // A zero pace gives zero minutes, or no number at all over an infinite distance.
    if (!(total > 0.0)) return CalcStatus::ZeroTime;
    const double rest = std::fmod(total, MINUTES_PER_HOUR);
    double hours = (total - rest) * ONE_SIXTIETH;
    auto [minutes, seconds] = whole_minutes_and_seconds(rest);
    // Below 60 the remainder has at most 59 whole minutes: only a seconds carry reaches 60.
    if (minutes > MINUTES_CARRY) {
        hours = hours + 1.0;
        minutes = 0.0;
    }
    time = {hours, minutes, seconds};
    return CalcStatus::Ok;
}

std::string finish_time_text(const ClockTime& time) {
    const auto hour_word = unit_word(time.hours, "hour", "hours");
    const auto minute_word = unit_word(time.minutes, "min", "mins");
    const auto second_word = unit_word(time.seconds, "sec", "secs");
    if (time.hours != 0.0) {
        return format_text(result_format::FINISH_WITH_HOURS,
                           {time.hours, hour_word, time.minutes, minute_word, time.seconds, second_word});
    }
    return format_text(result_format::FINISH, {time.minutes, minute_word, time.seconds, second_word});
}

}  // namespace quorran
