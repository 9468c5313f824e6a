#include "core/toolbox/entry_forms.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/numbers/number_text.h"
#include "core/numbers/units.h"
#include "core/running/race_distances.h"

namespace quorran {
namespace {

constexpr std::string_view DIGITS = "0123456789";
constexpr std::string_view BLANKS = " \t";

bool is_digit(char c) { return DIGITS.find(c) != std::string_view::npos; }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// The text in lower case with every run of blanks as one blank, for matching words.
std::string words_of(std::string_view text) {
    std::string out;
    for (const char c : trimmed(text)) {
        if (BLANKS.find(c) != std::string_view::npos) {
            if (!out.ends_with(' ')) out += ' ';
        } else {
            out += lower(c);
        }
    }
    return out;
}

// The length of the plain decimal number at the start of text: an optional minus, then
// digits with at most one point or comma, at least one digit.
std::size_t decimal_length(std::string_view text) {
    std::size_t length = text.starts_with('-') ? 1 : 0, digits = 0, points = 0;
    for (; length < text.size(); ++length) {
        const char c = text[length];
        if (is_digit(c)) ++digits;
        else if ((c == '.' || c == ',') && points == 0) ++points;
        else break;
    }
    return digits > 0 ? length : 0;
}

// A comma with exactly three digits after it, at the end: 10,000 is ten thousand to some
// and ten to others.
bool ambiguous_comma(std::string_view number) {
    const std::size_t comma = number.find(',');
    return comma != std::string_view::npos && number.size() - comma - 1 == 3;
}

// What to type instead, each way, with what followed the number: "10000m or 10.000m".
std::string ambiguous_comma_text(std::string_view number, std::string_view after = {}) {
    std::string whole(number), point(number);
    whole.erase(whole.find(','), 1);
    point[point.find(',')] = '.';
    return "has a comma before three digits, which may be a thousands comma or a decimal point: type " + whole +
           std::string(after) + " or " + point + std::string(after);
}

// A number's reason to refuse, said with what follows it in the entry.
template <typename T>
Read<T> number_refused(std::string_view number, std::string_view after) {
    return {std::nullopt, ambiguous_comma(number) && decimal_length(number) == number.size()
                              ? ambiguous_comma_text(number, after)
                              : std::string()};
}

// The number at the start of text and the rest after it, blanks between them dropped.
struct Split {
    std::string_view number, rest;
};
Split split_number(std::string_view text) {
    const std::size_t length = decimal_length(text);
    return {text.substr(0, length), trimmed(text.substr(length))};
}

template <typename T>
Read<T> why_not(std::string reason) {
    return {std::nullopt, std::move(reason)};
}

// ---- Units of time ------------------------------------------------------------------

struct TimeUnit {
    std::string_view name;
    int place;  // 0 hours, 1 minutes, 2 seconds
};
constexpr std::array<TimeUnit, 13> TIME_UNITS{{
    {"h", 0}, {"hr", 0}, {"hrs", 0}, {"hour", 0}, {"hours", 0},
    {"min", 1}, {"mins", 1}, {"minute", 1}, {"minutes", 1},
    {"s", 2}, {"sec", 2}, {"secs", 2}, {"seconds", 2},
}};

// 1h30, 1h 30min, 20min, 90 min, 45 s: parts in falling order, each after the first below
// 60; a number after the last unit counts in the next one down (1h30 is 1 h 30 min).
Read<ClockEntry> read_time_with_units(std::string_view text) {
    double parts[3] = {0, 0, 0};
    int next_place = 0;  // the smallest place still free
    bool first = true;
    while (!text.empty()) {
        const Split s = split_number(text);
        if (s.number.empty() || (!first && s.number.starts_with('-'))) return {};
        const auto n = read_decimal(s.number);
        if (!n.value) return {std::nullopt, n.why_not};
        std::size_t unit_length = 0;
        while (unit_length < s.rest.size() && !is_digit(s.rest[unit_length]) && BLANKS.find(s.rest[unit_length]) == std::string_view::npos)
            ++unit_length;
        const std::string unit = words_of(s.rest.substr(0, unit_length));
        int place = next_place;
        if (unit.empty()) {
            if (first || !s.rest.empty()) return {};  // a bare number alone is read elsewhere
        } else {
            const auto at = std::find_if(TIME_UNITS.begin(), TIME_UNITS.end(), [&](const TimeUnit& u) { return u.name == unit; });
            if (at == TIME_UNITS.end()) {
                if (unit == "m")
                    return why_not<ClockEntry>("uses m, which is metres: for minutes type " + std::string(s.number) + "min or " +
                                               std::string(s.number) + ":00");
                return {};
            }
            place = at->place;
        }
        if (place < next_place || place > 2 || (!first && *n.value >= 60)) return {};
        parts[place] = *n.value;
        next_place = place + 1;
        first = false;
        text = trimmed(s.rest.substr(unit_length));
    }
    if (first) return {};  // nothing at all
    return {ClockEntry{(parts[0] * 60 + parts[1]) * 60 + parts[2], parts[0], parts[1], parts[2]}, {}};
}

// ---- Units of distance ----------------------------------------------------------------

struct DistanceWord {
    std::string_view name;
    DistanceUnit unit;
};
constexpr std::array<DistanceWord, 15> DISTANCE_UNITS{{
    {"km", DistanceUnit::Km},         {"k", DistanceUnit::Km},          {"kms", DistanceUnit::Km},
    {"kilometre", DistanceUnit::Km},  {"kilometres", DistanceUnit::Km}, {"kilometer", DistanceUnit::Km},
    {"kilometers", DistanceUnit::Km}, {"mi", DistanceUnit::Miles},      {"mile", DistanceUnit::Miles},
    {"miles", DistanceUnit::Miles},   {"m", DistanceUnit::Metres},      {"metre", DistanceUnit::Metres},
    {"metres", DistanceUnit::Metres}, {"meter", DistanceUnit::Metres},  {"meters", DistanceUnit::Metres},
}};

struct RaceName {
    std::string_view name;
    double metres;
};
constexpr std::array<RaceName, 4> RACES{{
    {"marathon", MARATHON_METRES},
    {"half", HALF_MARATHON_METRES},
    {"half marathon", HALF_MARATHON_METRES},
    {"half-marathon", HALF_MARATHON_METRES},
}};

double metres_per(DistanceUnit unit) {
    switch (unit) {
        case DistanceUnit::Miles: return METRES_PER_MILE;
        case DistanceUnit::Km: return METRES_PER_KM;
        case DistanceUnit::Metres:
        case DistanceUnit::Race: return 1.0;
    }
    return 1.0;
}

// Per what a pace or a speed is: km or mile, by the word after its number.
std::optional<bool> per_km_word(std::string_view word) {
    for (const std::string_view km : {"km", "k", "kilometre", "kilometer"})
        if (word == km) return true;
    for (const std::string_view mile : {"mi", "mile", "miles"})
        if (word == mile) return false;
    return std::nullopt;
}

}  // namespace

bool same_letters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(BLANKS);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(BLANKS) - first + 1);
}

Read<double> read_decimal(std::string_view text) {
    if (text.empty() || decimal_length(text) != text.size()) return {};
    if (ambiguous_comma(text)) return why_not<double>(ambiguous_comma_text(text));
    std::string plain(text);
    std::replace(plain.begin(), plain.end(), ',', '.');
    return {scan_number(plain), {}};
}

Read<double> read_number(std::string_view text, bool percent) {
    if (percent && text.ends_with('%')) text = trimmed(text.substr(0, text.size() - 1));
    return read_decimal(text);
}

Read<ClockEntry> read_time(std::string_view text) {
    // A minus before a time makes all of it negative, for its range to refuse.
    if (text.starts_with('-')) {
        Read<ClockEntry> r = read_time(text.substr(1));
        if (r.value) r.value->seconds = -r.value->seconds;
        return text.starts_with("--") ? Read<ClockEntry>{} : r;
    }
    if (text.find(':') == std::string_view::npos) {
        if (const auto bare = read_decimal(text); bare.value || !bare.why_not.empty())
            return {bare.value ? std::optional(ClockEntry{*bare.value, 0, 0, *bare.value}) : std::nullopt, bare.why_not};
        return read_time_with_units(text);
    }
    double parts[3] = {0, 0, 0};
    int last = 0;
    for (;; ++last) {
        const std::size_t colon = text.find(':');
        const std::string_view part = text.substr(0, colon);
        const auto n = part.starts_with('-') ? Read<double>{} : read_decimal(part);
        if (!n.value || (last > 0 && *n.value >= 60) || last > 2) return {std::nullopt, n.why_not};
        parts[last] = *n.value;
        if (colon == std::string_view::npos) break;
        text.remove_prefix(colon + 1);
    }
    // "45:00" is minutes and seconds, "1:05:30" hours too: the parts count from the right.
    const double hours = last == 2 ? parts[0] : 0, minutes = parts[last - 1], rest = parts[last];
    return {ClockEntry{(hours * 60 + minutes) * 60 + rest, hours, minutes, rest}, {}};
}

Read<PaceEntry> read_pace(std::string_view text, bool per_km) {
    // A minus before a pace makes it negative, for its range to refuse.
    if (text.starts_with('-')) {
        Read<PaceEntry> r = text.starts_with("--") ? Read<PaceEntry>{} : read_pace(text.substr(1), per_km);
        if (r.value) r.value->seconds_per_km = -r.value->seconds_per_km;
        return r;
    }
    std::size_t body_length = 0;
    while (body_length < text.size() && (is_digit(text[body_length]) || std::string_view(".,:").find(text[body_length]) != std::string_view::npos))
        ++body_length;
    const std::string_view body = text.substr(0, body_length);
    std::string unit = words_of(text.substr(body_length));
    unit.erase(std::remove(unit.begin(), unit.end(), ' '), unit.end());
    const bool has_unit = !unit.empty();
    if (has_unit) {
        if (unit.starts_with("mins")) unit.erase(0, 4);
        else if (unit.starts_with("min")) unit.erase(0, 3);
        if (unit.starts_with('/')) unit.erase(0, 1);
        else if (unit.starts_with("per")) unit.erase(0, 3);
        else return {};
        if (unit == "m") return why_not<PaceEntry>("is per m, which is metres: a pace is per km or per mile, as 4:30/km");
        const auto km = per_km_word(unit);
        if (!km) return {};
        per_km = *km;
    }
    double minutes = 0, seconds = 0;
    if (std::count(body.begin(), body.end(), ':') == 1) {
        const auto clock = read_time(body);
        if (!clock.value) return {std::nullopt, clock.why_not};
        minutes = clock.value->minutes, seconds = clock.value->rest;
    } else if (body.find(':') == std::string_view::npos && has_unit) {
        // Decimal minutes with their unit: 4.5/km is 4:30 per km.
        const auto decimal = read_decimal(body);
        if (!decimal.value) return {std::nullopt, decimal.why_not};
        minutes = *decimal.value;
    } else {
        return {};
    }
    const double per_unit = minutes * 60 + seconds;
    return {PaceEntry{per_unit * (per_km ? 1.0 : METRES_PER_KM / METRES_PER_MILE), per_km, minutes, seconds}, {}};
}

Read<DistanceEntry> read_distance(std::string_view text, bool km) {
    const std::string words = words_of(text);
    for (const RaceName& race : RACES)
        if (words == race.name) return {DistanceEntry{race.metres, km, race.metres, DistanceUnit::Race}, {}};
    const Split s = split_number(text);
    if (s.number.empty()) {
        // A unit alone: "m", once the dialog's marathon, is metres here.
        if (words == "m") return why_not<DistanceEntry>("is metres with no number: for the marathon type marathon");
        if (std::any_of(DISTANCE_UNITS.begin(), DISTANCE_UNITS.end(), [&](const DistanceWord& w) { return w.name == words; }))
            return why_not<DistanceEntry>("is a unit with no number: type one before it, as 10" + std::string(trimmed(text)));
    }
    const auto number = read_decimal(s.number);
    if (!number.value) return number_refused<DistanceEntry>(s.number, text.substr(s.number.size()));
    if (s.rest.empty()) {
        const DistanceUnit unit = km ? DistanceUnit::Km : DistanceUnit::Miles;
        return {DistanceEntry{*number.value * metres_per(unit), km, *number.value, unit}, {}};
    }
    if (s.rest == "M")
        return why_not<DistanceEntry>("uses M, which may be miles or metres: type " + std::string(s.number) + "mi or " +
                                      std::string(s.number) + "m");
    const std::string unit_words = words_of(s.rest);
    if (unit_words == "marathon" || unit_words == "half marathon" || unit_words == "half-marathon") return {};
    const auto at = std::find_if(DISTANCE_UNITS.begin(), DISTANCE_UNITS.end(),
                                 [&](const DistanceWord& w) { return w.name == unit_words; });
    if (at == DISTANCE_UNITS.end()) return {};
    return {DistanceEntry{*number.value * metres_per(at->unit), at->unit != DistanceUnit::Miles, *number.value, at->unit}, {}};
}

Read<SpeedEntry> read_speed(std::string_view text, bool kmh) {
    const Split s = split_number(text);
    const auto number = read_decimal(s.number);
    if (!number.value) return number_refused<SpeedEntry>(s.number, text.substr(s.number.size()));
    const std::string unit = words_of(s.rest);
    const bool in_kmh = unit.empty() ? kmh : unit == "km/h" || unit == "kmh" || unit == "kph" || unit == "km/hr";
    if (!unit.empty() && !in_kmh && unit != "mph" && unit != "mi/h") return {};
    return {SpeedEntry{in_kmh ? *number.value : *number.value * KM_PER_MILE, in_kmh}, {}};
}

}  // namespace quorran
