#include "core/recorded/utc_time.h"

#include <chrono>
#include <cmath>
#include <cstdint>

#include "core/numbers/number_text.h"

namespace quorran {
namespace {

using namespace std::chrono;

// Reads exactly `count` digits at text[at]; -1 when they are not all digits.
int digits(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) return -1;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

constexpr int NANOSECOND_DIGITS = 9;
constexpr int MAX_ZONE_MINUTES = 14 * 60;
constexpr std::int64_t SECONDS_PER_DAY = 86400;
// 0001-01-01T00:00:00Z and 10000-01-01T00:00:00Z.
constexpr double FIRST_WRITTEN = -62135596800.0;
constexpr double END_WRITTEN = 253402300800.0;

}  // namespace

std::optional<double> read_utc_time(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    // YYYY-MM-DDThh:mm:ss
    const int y = digits(text, 0, 4), mo = digits(text, 5, 2), d = digits(text, 8, 2);
    const int h = digits(text, 11, 2), mi = digits(text, 14, 2), s = digits(text, 17, 2);
    if (y < 0 || mo < 0 || d < 0 || h < 0 || mi < 0 || s < 0 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const year_month_day day{year{y}, month{static_cast<unsigned>(mo)}, std::chrono::day{static_cast<unsigned>(d)}};
    if (!day.ok() || h > 23 || mi > 59 || s > 59) return std::nullopt;

    std::size_t at = 19;
    std::int64_t nanoseconds = 0;
    if (at < text.size() && text[at] == '.') {
        const std::size_t first = ++at;
        for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
            if (at - first < NANOSECOND_DIGITS) nanoseconds = nanoseconds * 10 + (text[at] - '0');
        if (at == first) return std::nullopt;
        for (std::size_t n = at - first; n < NANOSECOND_DIGITS; ++n) nanoseconds *= 10;
    }
    int zone_minutes = 0;
    if (at < text.size() && text[at] == 'Z') {
        ++at;
    } else if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        const int zh = digits(text, at + 1, 2), zm = digits(text, at + 4, 2);
        if (zh < 0 || zm < 0 || text[at + 3] != ':' || zm > 59 || zh * 60 + zm > MAX_ZONE_MINUTES) return std::nullopt;
        zone_minutes = (text[at] == '+' ? 1 : -1) * (zh * 60 + zm);
        at += 6;
    }
    if (at != text.size()) return std::nullopt;
    const std::int64_t whole = sys_days{day}.time_since_epoch().count() * SECONDS_PER_DAY + h * 3600 + mi * 60 + s - zone_minutes * 60LL;
    return static_cast<double>(whole) + static_cast<double>(nanoseconds) * 1e-9;
}

std::string utc_time_text(double seconds, int decimals) {
    if (!std::isfinite(seconds)) return "-";
    // Years 0001 to 9999 only: beyond them the seconds are shown as they are.
    if (!(seconds >= FIRST_WRITTEN && seconds < END_WRITTEN)) return format_text("%.0f s", {seconds}, 400);
    const double scale = std::pow(10.0, decimals);
    const double units = std::floor(seconds * scale + 0.5);  // halves up
    const auto whole = static_cast<std::int64_t>(std::floor(units / scale));
    const auto fraction = static_cast<std::int64_t>(units - static_cast<double>(whole) * scale);
    const sys_days day = floor<days>(sys_seconds{std::chrono::seconds{whole}});
    const year_month_day date{day};
    const std::int64_t clock = whole - day.time_since_epoch().count() * SECONDS_PER_DAY;
    std::string text = format_text("%04.0f-%02.0f-%02.0fT%02.0f:%02.0f:%02.0f",
                                   {static_cast<double>(static_cast<int>(date.year())),
                                    static_cast<double>(static_cast<unsigned>(date.month())),
                                    static_cast<double>(static_cast<unsigned>(date.day())), static_cast<double>(clock / 3600),
                                    static_cast<double>(clock / 60 % 60), static_cast<double>(clock % 60)});
    if (decimals > 0) {
        const std::string digits = std::to_string(fraction);
        text += "." + std::string(static_cast<std::size_t>(decimals) - digits.size(), '0') + digits;
    }
    return text + "Z";
}

}  // namespace quorran
