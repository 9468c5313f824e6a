#pragma once

#include <optional>
#include <string_view>

// Strict readings of the toolbox's entries: the whole text must be read in one of the
// forms runners type, or nothing is (an empty result), never a guess. Whether the value
// is plausible is the tool table's business. A comma is read as a decimal point, and
// units and race names in any letter case but one: "m" is metres only in lower case,
// since "10M" may mean ten miles.
namespace quorran {

// The same letters, upper or lower case alike (ASCII).
bool same_letters(std::string_view a, std::string_view b);

// A plain decimal number: digits with at most one point or comma, nothing else.
std::optional<double> read_decimal(std::string_view text);

// [[H:]M:]S, each part a decimal number, every part after a colon below 60: seconds.
std::optional<double> read_time(std::string_view text);

struct PaceEntry {
    double seconds_per_km;
    bool per_km;  // given per km, or bare with per_km
};

// M:SS or M:SS.s, then /km (or /k) or /mi (or /mile), a blank before the slash allowed:
// seconds per km. A bare pace is per mile, or per km when per_km.
std::optional<PaceEntry> read_pace(std::string_view text, bool per_km);

struct DistanceEntry {
    double metres;
    bool in_km;  // given in km or metres, or bare with km, rather than in miles
};

// A number and a unit, a blank between them allowed: km or k, mi, mile or miles, m,
// metres or meters; or marathon, half or half marathon. A bare number is in miles, or
// in km when km.
std::optional<DistanceEntry> read_distance(std::string_view text, bool km);

}  // namespace quorran
