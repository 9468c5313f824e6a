#include "core/running/clock_time.h"

#include <array>
#include <cmath>

#include "core/numbers/number_text.h"

namespace quorran {
namespace {

constexpr std::array<double, 4> TICKS_PER_SECOND = {1.0, 10.0, 100.0, 1000.0};
constexpr std::array<const char*, 4> SECONDS_FORMAT = {"%02.0f", "%04.1f", "%05.2f", "%06.3f"};

}  // namespace

ClockTime clock_parts(double seconds, int decimals) {
    const double per_second = TICKS_PER_SECOND.at(static_cast<std::size_t>(decimals));
    // Whole ticks, so the remainders below are exact.
    const double ticks = std::round(std::fabs(seconds) * per_second);
    const double per_minute = 60 * per_second;
    const double per_hour = 60 * per_minute;
    const double in_hour = std::fmod(ticks, per_hour);
    const double in_minute = std::fmod(in_hour, per_minute);
    return {(ticks - in_hour) / per_hour, (in_hour - in_minute) / per_minute, in_minute / per_second};
}

std::string clock_text(double seconds, int decimals) {
    const ClockTime t = clock_parts(seconds, decimals);
    const char* const s = SECONDS_FORMAT.at(static_cast<std::size_t>(decimals));
    if (t.hours > 0)
        return format_text(std::string("%.0f:%02.0f:") + s, {t.hours, t.minutes, t.seconds});
    return format_text(std::string("%.0f:") + s, {t.minutes, t.seconds});
}

}  // namespace quorran
