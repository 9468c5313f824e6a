#include "core/toolbox/param_kinds.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/numbers/number_text.h"
#include "core/running/clock_time.h"
#include "core/running/race_distances.h"
#include "core/toolbox/entry_forms.h"
#include "core/toolbox/tool.h"

namespace quorran {
namespace {

// Seconds with as many decimals as they have, up to three: 20:00, 59.5, 1:05:30.25.
std::string time_text(double seconds) {
    int decimals = 0;
    while (decimals < 3 && std::fabs(seconds * std::pow(10.0, decimals) - std::round(seconds * std::pow(10.0, decimals))) > 1e-6)
        ++decimals;
    return clock_text(seconds, decimals);
}

std::string_view text_keyboard(const Param&) { return "text"; }

// "is not a time: give [[H:]M:]S such as ..."
std::string give_forms(const Param& p) {
    return "is not " + std::string(kind_description(p.kind).word) + ": give " + std::string(p.forms);
}

// ---- Distance -------------------------------------------------------------------------

bool read_distance_kind(const Param&, std::string_view text, bool bare_km, Value& value) {
    const auto d = read_distance(text, bare_km);
    if (d) value.number = d->metres, value.in_km = d->in_km;
    return d.has_value();
}

std::string distance_back(const Value& v) {
    if (v.number == MARATHON_METRES) return "marathon";
    if (v.number == HALF_MARATHON_METRES) return "half marathon";
    if (!v.in_km) return decimal_text(v.number / METRES_PER_MILE, 3) + " mi";
    return v.number < METRES_PER_KM ? decimal_text(v.number, 2) + " m" : decimal_text(v.number / METRES_PER_KM, 4) + " km";
}

std::string distance_bound(const Param&, double metres) {
    return metres >= METRES_PER_KM ? decimal_text(metres / METRES_PER_KM) + " km" : decimal_text(metres) + " m";
}

std::string_view distance_entered_in(const Value& v) { return v.in_km ? "km" : "mi"; }

// ---- Time -----------------------------------------------------------------------------

bool read_time_kind(const Param&, std::string_view text, bool, Value& value) {
    const auto t = read_time(text);
    if (t) value.number = *t;
    return t.has_value();
}

std::string time_back(const Value& v) { return time_text(v.number); }

std::string time_bound(const Param&, double seconds) { return seconds == 0 ? "zero" : time_text(seconds); }

// ---- Pace -----------------------------------------------------------------------------

bool read_pace_kind(const Param&, std::string_view text, bool bare_km, Value& value) {
    const auto pace = read_pace(text, bare_km);
    if (pace) value.number = pace->seconds_per_km, value.in_km = pace->per_km;
    return pace.has_value();
}

std::string pace_back(const Value& v) {
    return v.in_km ? time_text(v.number) + " /km" : time_text(v.number * (METRES_PER_MILE / METRES_PER_KM)) + " /mi";
}

std::string pace_bound(const Param&, double seconds_per_km) { return time_text(seconds_per_km) + " /km"; }

std::string_view pace_entered_in(const Value& v) { return v.in_km ? "per km" : "per mi"; }

// ---- Speed ----------------------------------------------------------------------------

constexpr std::array<std::string_view, 4> KMH_UNITS{"km/h", "kmh", "kph", "km/hr"};
constexpr std::array<std::string_view, 2> MPH_UNITS{"mph", "mi/h"};

bool read_speed_kind(const Param&, std::string_view text, bool bare_km, Value& value) {
    std::size_t length = 0;
    while (length < text.size() && std::string_view("0123456789.,").find(text[length]) != std::string_view::npos) ++length;
    const auto number = read_decimal(text.substr(0, length));
    std::string_view unit = text.substr(length);
    if (!number) return false;
    if (unit.starts_with(' ')) unit.remove_prefix(1);  // "12 km/h"
    const auto named = [unit](const auto& names) {
        return std::any_of(names.begin(), names.end(), [unit](std::string_view n) { return same_letters(n, unit); });
    };
    const bool kmh = unit.empty() ? bare_km : named(KMH_UNITS);
    if (!unit.empty() && !kmh && !named(MPH_UNITS)) return false;
    value.number = kmh ? *number : *number * KM_PER_MILE;
    value.in_km = kmh;
    return true;
}

std::string speed_back(const Value& v) {
    return v.in_km ? decimal_text(v.number, 2) + " km/h" : decimal_text(v.number / KM_PER_MILE, 2) + " mph";
}

std::string speed_bound(const Param&, double kmh) { return decimal_text(kmh) + " km/h"; }

std::string_view speed_entered_in(const Value& v) { return v.in_km ? "km/h" : "mph"; }

// ---- Number ---------------------------------------------------------------------------

bool read_number_kind(const Param&, std::string_view text, bool, Value& value) {
    // A sign is allowed here: --negative -2 runs the second half slower.
    const bool minus = text.starts_with('-');
    const auto n = read_decimal(minus ? text.substr(1) : text);
    if (n) value.number = minus ? -*n : *n;
    return n.has_value();
}

std::string number_back(const Value& v) { return decimal_text(v.number); }

std::string number_bound(const Param&, double bound) { return decimal_text(bound); }

// A phone's number pad may have no minus sign: a number that may be negative keeps the
// full keyboard.
std::string_view number_keyboard(const Param& p) { return p.low >= 0 ? "decimal" : "text"; }

// ---- Choice, Flag, Text, Field ----------------------------------------------------------

bool read_choice_kind(const Param& p, std::string_view text, bool, Value& value) {
    for (const Choice& c : p.choices)
        if (same_letters(c.value, text)) value.choice = c.value;
    return !value.choice.empty();
}

std::string choice_back(const Value& v) { return std::string(v.choice); }

std::string give_choices(const Param& p) {
    std::string values;
    for (const Choice& c : p.choices) values.append(values.empty() ? "" : ", ").append(c.value);
    return "is not one of " + values;
}

bool read_flag_kind(const Param&, std::string_view, bool, Value& value) {
    value.on = true;
    return true;
}

std::string flag_back(const Value& v) { return v.on ? "on" : "off"; }

bool read_as_typed(const Param&, std::string_view, bool, Value&) { return true; }

std::string as_typed(const Value& v) { return v.text; }

// kind, name, word, shape, unit, read, read_back, bound, says_whole_range, not_read, entered_in, input_hint
constexpr std::array<KindDescription, PARAM_KIND_COUNT> KINDS{{
    {ParamKind::Distance, "distance", "a distance", ValueShape::Number, Unit::Metres, read_distance_kind, distance_back, distance_bound, false,
     give_forms, distance_entered_in, text_keyboard},
    {ParamKind::Time, "time", "a time", ValueShape::Number, Unit::Seconds, read_time_kind, time_back, time_bound, false, give_forms, nullptr,
     text_keyboard},
    {ParamKind::Pace, "pace", "a pace", ValueShape::Number, Unit::SecondsPerKm, read_pace_kind, pace_back, pace_bound, false, give_forms,
     pace_entered_in, text_keyboard},
    {ParamKind::Speed, "speed", "a speed", ValueShape::Number, Unit::KmPerHour, read_speed_kind, speed_back, speed_bound,
     false, give_forms, speed_entered_in, text_keyboard},
    {ParamKind::Number, "number", "a number", ValueShape::Number, Unit::Count, read_number_kind, number_back, number_bound, true, give_forms,
     nullptr, number_keyboard},
    {ParamKind::Choice, "choice", "a choice", ValueShape::Choice, Unit::None, read_choice_kind, choice_back, nullptr, false, give_choices, nullptr,
     text_keyboard},
    {ParamKind::Flag, "flag", "on or off", ValueShape::OnOff, Unit::None, read_flag_kind, flag_back, nullptr, false, give_forms, nullptr,
     text_keyboard},
    {ParamKind::Text, "text", "a text", ValueShape::Text, Unit::None, read_as_typed, as_typed, nullptr, false, give_forms, nullptr, text_keyboard},
    {ParamKind::Field, "field", "a field", ValueShape::Text, Unit::None, read_as_typed, as_typed, nullptr, false, give_forms, nullptr,
     text_keyboard},
}};

consteval bool kinds_in_order() {
    for (std::size_t i = 0; i < KINDS.size(); ++i)
        if (static_cast<std::size_t>(KINDS[i].kind) != i || KINDS[i].read == nullptr || KINDS[i].read_back == nullptr ||
            KINDS[i].not_read == nullptr || KINDS[i].input_hint == nullptr)
            return false;
    return true;
}
static_assert(kinds_in_order(), "one row per kind, in the order of ParamKind, each with a reader");

}  // namespace

const KindDescription& kind_description(ParamKind kind) { return KINDS.at(static_cast<std::size_t>(kind)); }

Unit value_unit(const Param& param) { return param.unit != Unit::None ? param.unit : kind_description(param.kind).unit; }

}  // namespace quorran
