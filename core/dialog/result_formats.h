#pragma once

#include <array>
#include <string_view>

// Every format a result text is built with: %W.Pf takes a number, %s a text. The
// calculators build their texts from these, and the fuzzers check each of them.
namespace quorran::result_format {

inline constexpr std::string_view PACE = "%2.0f:%04.1f per mile";
// The Other Formats lines in list order: per km, per 400 m, then from the pace per mile.
inline constexpr std::array<std::string_view, 9> OTHER{
    " %2.0f:%04.1f per km", " %3.1f secs or %2.0f:%04.1f per 400m", " %4.2f mins/mile",
    " %4.2f km/h",          " %4.2f MPH",                            " %4.2f meters/sec",
    " %4.1f meters/min",    " %4.2f feet/sec",                       " %4.1f feet/min"};
// The seconds per 400 m that begin the 400 m line, by which the list shows it.
inline constexpr std::string_view SELECT_PREFIX = " %3.1f";
inline constexpr std::string_view FINISH_WITH_HOURS = "%2.0f %s, %2.0f %s, %3.1f %s";
inline constexpr std::string_view FINISH = "%2.0f %s, %3.1f %s";
// A split row: label and time, with hours, from ten minutes, below ten minutes.
inline constexpr std::string_view SPLIT_WITH_HOURS = "%s      %2.0f:%02.0f:%04.1f";
inline constexpr std::string_view SPLIT_TEN_MINUTES = "%s           %2.0f:%04.1f";
inline constexpr std::string_view SPLIT_MINUTES = "%s             %2.0f:%04.1f";

inline constexpr std::array<std::string_view, 16> ALL{
    PACE,     OTHER[0], OTHER[1],          OTHER[2],         OTHER[3],          OTHER[4],
    OTHER[5], OTHER[6], OTHER[7],          OTHER[8],         SELECT_PREFIX,     FINISH_WITH_HOURS,
    FINISH,   SPLIT_WITH_HOURS, SPLIT_TEN_MINUTES, SPLIT_MINUTES};

}  // namespace quorran::result_format
