#include "core/toolbox/strict_entry.h"

#include <array>

#include "core/numbers/number_text.h"
#include "core/toolbox/race_distances.h"

namespace quorran {
namespace {

constexpr std::size_t NOT_READ = std::string_view::npos;

// A plain decimal number (digits with at most one point) at the start of text, and
// how many characters it takes; NOT_READ when there is none.
double read_decimal(std::string_view text, std::size_t& length) {
    length = NOT_READ;
    const std::size_t plain = text.find_first_not_of("0123456789.");
    std::size_t read = 0;
    const double value = scan_number(text.substr(0, plain), read);
    if (read > 0) length = read;
    return value;
}

bool within(double value, double max) { return value > 0 && value <= max; }

// Clock parts joined by colons, at least min_parts and at most 3: seconds.
std::optional<double> read_clock(std::string_view text, std::size_t min_parts) {
    double total = 0.0;
    std::size_t parts = 0;
    while (true) {
        std::size_t length = 0;
        const double part = read_decimal(text, length);
        if (length == NOT_READ || (parts > 0 && part >= 60)) return std::nullopt;
        total = total * 60 + part;
        ++parts;
        text.remove_prefix(length);
        if (text.empty()) break;
        if (text.front() != ':' || parts == 3) return std::nullopt;
        text.remove_prefix(1);
    }
    if (parts < min_parts || !within(total, MAX_ENTRY_SECONDS)) return std::nullopt;
    return total;
}

struct Unit {
    std::string_view suffix;
    double metres;
};

}  // namespace

std::optional<double> read_time(std::string_view text) { return read_clock(text, 1); }

std::optional<double> read_pace(std::string_view text, bool per_km) {
    double per = per_km ? METRES_PER_KM : METRES_PER_MILE;
    if (text.ends_with("/km") || text.ends_with("/mi")) {
        per = text.ends_with("/km") ? METRES_PER_KM : METRES_PER_MILE;
        text.remove_suffix(3);
    }
    const auto seconds = read_clock(text, 2);
    if (!seconds) return std::nullopt;
    return *seconds * (METRES_PER_KM / per);
}

std::optional<DistanceEntry> read_distance(std::string_view text, bool km) {
    if (text == "marathon") return DistanceEntry{MARATHON_METRES, km};
    if (text == "half") return DistanceEntry{HALF_MARATHON_METRES, km};
    static constexpr std::array<Unit, 4> UNITS = {
        {{"km", METRES_PER_KM}, {"k", METRES_PER_KM}, {"mi", METRES_PER_MILE}, {"m", 1.0}}};
    std::size_t length = 0;
    const double number = read_decimal(text, length);
    if (length == NOT_READ) return std::nullopt;
    const std::string_view suffix = text.substr(length);
    DistanceEntry d{number * (km ? METRES_PER_KM : METRES_PER_MILE), km};
    if (!suffix.empty()) {
        const Unit* unit = nullptr;
        for (const Unit& u : UNITS) {
            if (u.suffix == suffix) unit = &u;
        }
        if (unit == nullptr) return std::nullopt;
        d = {number * unit->metres, unit->metres != METRES_PER_MILE};
    }
    if (!within(d.metres, MAX_ENTRY_METRES)) return std::nullopt;
    return d;
}

}  // namespace quorran
