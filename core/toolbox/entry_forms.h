#pragma once

#include <optional>
#include <string>
#include <string_view>

// The forms runners type, read one way everywhere but the pace dialog's own fields: the
// whole text must be one of them, or nothing is read, never a guess. Whether the value is
// plausible is the tool table's business. Units and race names are read in any letter
// case but one: "m" is metres, never miles nor minutes, and a capital "M" alone is
// refused, since "10M" may mean ten miles. A point or a comma marks the decimals, but a
// comma before exactly three digits ("10,000") may be a thousands comma: it is refused.
// A leading minus is kept, so a negative value is refused by its range, never stripped.
namespace quorran {

// The same letters, upper or lower case alike (ASCII).
bool same_letters(std::string_view a, std::string_view b);

// A text without the blanks around it.
std::string_view trimmed(std::string_view text);

// What a reader makes of a text: the value, or nothing and, when it can say more than the
// forms do, why not in words ("a comma before three digits may be a thousands comma").
template <typename T>
struct Read {
    std::optional<T> value;
    std::string why_not;
};

// A decimal number: an optional minus, digits with at most one point or comma, nothing else.
Read<double> read_decimal(std::string_view text);

// A number that may end in "%" when percent.
Read<double> read_number(std::string_view text, bool percent);

struct ClockEntry {
    double seconds;                  // the whole time
    double hours, minutes, rest;     // the parts as typed: "1:05:30.5" is 1, 5 and 30.5
};

// [[H:]M:]S, each part a decimal number, every part after a colon below 60; or with units:
// 1h30, 1h 30min, 20min, 90 min, 45 s. A bare number is seconds.
Read<ClockEntry> read_time(std::string_view text);

struct PaceEntry {
    double seconds_per_km;
    bool per_km;             // given per km, or bare with per_km
    double minutes, seconds;  // as typed, per its unit: "7:30" is 7 and 30
};

// M:SS or M:SS.s, or decimal minutes with a unit; then /km (or /k), /mi (or /mile,
// /miles), per km, per mile, min/km, min/mi, a blank before allowed. A bare M:SS is per
// mile, or per km when per_km.
Read<PaceEntry> read_pace(std::string_view text, bool per_km);

enum class DistanceUnit { Miles, Km, Metres, Race };

struct DistanceEntry {
    double metres;
    bool in_km;          // given in km or metres, or bare with km, rather than in miles
    double number;       // as typed, in its unit; the race's metres for a race's name
    DistanceUnit unit;
};

// A number and a unit, blanks between them allowed: km, k, kilometre(s), mi, mile(s), m,
// metre(s); or marathon, half, half marathon, half-marathon. A bare number is in miles, or
// in km when km.
Read<DistanceEntry> read_distance(std::string_view text, bool km);

struct SpeedEntry {
    double kmh;
    bool in_kmh;  // given in km/h, or bare with kmh
};

// A number and km/h (kmh, kph) or mph (mi/h), a blank between allowed. A bare number is
// in mph, or in km/h when kmh.
Read<SpeedEntry> read_speed(std::string_view text, bool kmh);

}  // namespace quorran
