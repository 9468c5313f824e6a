#pragma once

#include <optional>
#include <string>
#include <string_view>

// Times as GPX and TCX write them (XML's dateTime) and as the run's text shows them.
namespace quorran {

// Seconds since 1970-01-01T00:00:00Z from YYYY-MM-DDThh:mm:ss, a fraction of a second of
// any length (read to the nanosecond), and Z, +hh:mm or -hh:mm (at most 14:00), or no zone,
// which GPX's own definition reads as UTC. Blanks around it are allowed. Nothing when the
// text is not such a time or names a day or hour that does not exist (2023-02-29, 24:00:00,
// 60 seconds).
std::optional<double> read_utc_time(std::string_view text);

// 2017-06-11T14:34:09.000Z: the time rounded to `decimals` places (0 to 6, halves up), in
// UTC; "-" for NaN, and the seconds themselves beyond the years 1 to 9999.
std::string utc_time_text(double seconds, int decimals);

}  // namespace quorran
