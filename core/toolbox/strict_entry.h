#pragma once

#include <optional>
#include <string_view>

// Strict readings of the toolbox's entries: the whole text must be read, and a value
// that no race could have is refused (an empty result), never guessed at.
namespace quorran {

// The largest time or pace (seconds, or seconds per km) and distance (metres) read.
inline constexpr double MAX_ENTRY_SECONDS = 1000.0 * 3600;
inline constexpr double MAX_ENTRY_METRES = 1e8;

// [[H:]M:]S, each part a decimal number, every part after a colon below 60: seconds.
std::optional<double> read_time(std::string_view text);

// M:SS or M:SS.s with an optional /km or /mi: seconds per km. A bare pace is per mile,
// or per km when per_km.
std::optional<double> read_pace(std::string_view text, bool per_km);

struct DistanceEntry {
    double metres;
    bool in_km;  // given in km or metres, or bare with km, rather than in miles
};

// A number with km, k, mi or m (metres), or marathon or half. A bare number is in
// miles, or in km when km.
std::optional<DistanceEntry> read_distance(std::string_view text, bool km);

}  // namespace quorran
