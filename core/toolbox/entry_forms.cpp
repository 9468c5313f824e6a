#include "core/toolbox/entry_forms.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/numbers/number_text.h"
#include "core/running/race_distances.h"

namespace quorran {
namespace {

constexpr std::string_view DIGITS = "0123456789";

// The length of the plain decimal number at the start of text: digits and at most one
// point or comma, with at least one digit.
std::size_t decimal_length(std::string_view text) {
    std::size_t length = 0, digits = 0, points = 0;
    for (const char c : text) {
        if (DIGITS.find(c) != std::string_view::npos) ++digits;
        else if ((c == '.' || c == ',') && points == 0) ++points;
        else break;
        ++length;
    }
    return digits > 0 ? length : 0;
}

struct Unit {
    std::string_view name;
    double metres;
};

constexpr std::array<Unit, 8> UNITS{{
    {"km", METRES_PER_KM},
    {"k", METRES_PER_KM},
    {"mi", METRES_PER_MILE},
    {"mile", METRES_PER_MILE},
    {"miles", METRES_PER_MILE},
    {"metres", 1.0},
    {"meters", 1.0},
    {"m", 1.0},
}};

constexpr std::array<Unit, 4> RACES{{
    {"marathon", MARATHON_METRES},
    {"half", HALF_MARATHON_METRES},
    {"half marathon", HALF_MARATHON_METRES},
    {"half-marathon", HALF_MARATHON_METRES},
}};

const Unit* unit_named(std::string_view name) {
    if (name == "M") return nullptr;  // ten "M" may be ten miles: not metres
    for (const Unit& unit : UNITS)
        if (same_letters(unit.name, name)) return &unit;
    return nullptr;
}

}  // namespace

bool same_letters(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::optional<double> read_decimal(std::string_view text) {
    if (text.empty() || decimal_length(text) != text.size()) return std::nullopt;
    std::string plain(text);
    std::replace(plain.begin(), plain.end(), ',', '.');
    return scan_number(plain);
}

std::optional<double> read_time(std::string_view text) {
    double total = 0.0;
    for (int parts = 1;; ++parts) {
        const std::size_t colon = text.find(':');
        const auto part = read_decimal(text.substr(0, colon));
        if (!part || (parts > 1 && *part >= 60) || parts > 3) return std::nullopt;
        total = total * 60 + *part;
        if (colon == std::string_view::npos) return total;
        text.remove_prefix(colon + 1);
    }
}

std::optional<PaceEntry> read_pace(std::string_view text, bool per_km) {
    const std::size_t slash = text.find('/');
    if (slash != std::string_view::npos) {
        const std::string_view unit = text.substr(slash + 1);
        const bool km = same_letters(unit, "km") || same_letters(unit, "k");
        if (!km && !same_letters(unit, "mi") && !same_letters(unit, "mile")) return std::nullopt;
        per_km = km;
        text = text.substr(0, slash);
        if (text.ends_with(' ')) text.remove_suffix(1);
    }
    // A pace has minutes and seconds: "4:30", never a bare number of seconds.
    if (std::count(text.begin(), text.end(), ':') != 1) return std::nullopt;
    const auto seconds = read_time(text);
    if (!seconds) return std::nullopt;
    return PaceEntry{*seconds * (per_km ? 1.0 : METRES_PER_KM / METRES_PER_MILE), per_km};
}

std::optional<DistanceEntry> read_distance(std::string_view text, bool km) {
    for (const Unit& race : RACES)
        if (same_letters(race.name, text)) return DistanceEntry{race.metres, km};
    const std::size_t length = decimal_length(text);
    const auto number = read_decimal(text.substr(0, length));
    if (!number) return std::nullopt;
    std::string_view unit_text = text.substr(length);
    if (unit_text.empty()) return DistanceEntry{*number * (km ? METRES_PER_KM : METRES_PER_MILE), km};
    if (unit_text.front() == ' ') unit_text.remove_prefix(1);  // "5 mi"
    const Unit* unit = unit_named(unit_text);
    if (unit == nullptr) return std::nullopt;
    return DistanceEntry{*number * unit->metres, unit->metres != METRES_PER_MILE};
}

}  // namespace quorran
