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

std::string no_hint(const Value&) { return {}; }

// A number alone, with no unit or colon: "45", "10,5".
bool bare_number(std::string_view text) {
    text = trimmed(text);
    return !text.empty() && text.find_first_not_of("0123456789.,-") == std::string_view::npos;
}

// "is not a time: give ", which its forms follow.
std::string give_forms(const Param& p) { return "is not " + std::string(kind_description(p.kind).word) + ": give "; }

// Keeps what a reader read, or says why not; true when it read a value.
template <typename T, typename Keep>
bool take(const Read<T>& read, std::string& why_not, Keep keep) {
    if (read.value) keep(*read.value);
    else why_not = read.why_not;
    return read.value.has_value();
}

// ---- Distance -------------------------------------------------------------------------

bool read_distance_kind(const Param&, std::string_view text, bool bare_km, Value& value, std::string& why_not) {
    return take(read_distance(text, bare_km), why_not, [&](const DistanceEntry& d) { value.number = d.metres, value.in_km = d.in_km; });
}

// In the unit it was typed in: metres as metres (1600 m), km as km, miles as miles.
std::string distance_back(const Value& v) {
    if (v.number == MARATHON_METRES) return "marathon";
    if (v.number == HALF_MARATHON_METRES) return "half marathon";
    if (!v.in_km) return decimal_text(v.number / METRES_PER_MILE, 3) + " mi";
    const auto typed = read_distance(trimmed(v.text), true).value;
    const bool metres = v.number < METRES_PER_KM || (typed && typed->unit == DistanceUnit::Metres);
    return metres ? decimal_text(v.number, 2) + " m" : decimal_text(v.number / METRES_PER_KM, 4) + " km";
}

std::string distance_hint(const Value& v) {
    const std::string typed = escaped(trimmed(v.text));
    if (v.number == 0) return {};  // no unit makes nothing more
    if (bare_number(v.text))
        return v.in_km ? "is km; for miles type " + typed + "mi" : "is miles; for km type " + typed + "km";
    // A few metres may have been meant as miles (26.2 m); hundreds are metres.
    const auto d = read_distance(trimmed(v.text), v.in_km).value;
    if (d && d->unit == DistanceUnit::Metres && d->number < 100)
        return "is metres; for miles type " + escaped(decimal_text(d->number)) + "mi";
    return {};
}

std::string distance_bound(const Param&, double metres, bool) {
    return metres >= METRES_PER_KM ? decimal_text(metres / METRES_PER_KM) + " km" : decimal_text(metres) + " m";
}

std::string_view distance_entered_in(const Value& v) { return v.in_km ? "km" : "mi"; }

// ---- Time -----------------------------------------------------------------------------

bool read_time_kind(const Param&, std::string_view text, bool, Value& value, std::string& why_not) {
    return take(read_time(text), why_not, [&](const ClockEntry& t) { value.number = t.seconds; });
}

std::string time_back(const Value& v) { return time_text(v.number); }

// A bare number is seconds, and M:SS minutes: what a runner may have meant instead.
std::string time_hint(const Value& v) {
    const std::string_view text = trimmed(v.text);
    if (v.number == 0) return {};
    const std::string typed = escaped(text);
    if (bare_number(text)) return "is seconds; for " + typed + " minutes type " + typed + ":00";
    if (std::count(text.begin(), text.end(), ':') == 1 && text.find_first_not_of("0123456789.,:") == std::string_view::npos)
        return "is minutes and seconds; for hours and minutes type " + typed + ":00";
    return {};
}

std::string time_bound(const Param&, double seconds, bool) { return seconds == 0 ? "zero" : time_text(seconds); }

// ---- Pace -----------------------------------------------------------------------------

bool read_pace_kind(const Param&, std::string_view text, bool bare_km, Value& value, std::string& why_not) {
    return take(read_pace(text, bare_km), why_not, [&](const PaceEntry& p) { value.number = p.seconds_per_km, value.in_km = p.per_km; });
}

std::string pace_back(const Value& v) {
    return v.in_km ? time_text(v.number) + " /km" : time_text(v.number * (METRES_PER_MILE / METRES_PER_KM)) + " /mi";
}

std::string pace_hint(const Value& v) {
    const std::string_view typed = trimmed(v.text);
    if (typed.find_first_not_of("0123456789.,:-") != std::string_view::npos) return {};
    return v.in_km ? "is per km; per mile is " + escaped(typed) + "/mi" : "is per mile; per km is " + escaped(typed) + "/km";
}

std::string pace_bound(const Param&, double seconds_per_km, bool per_km) {
    return per_km ? time_text(seconds_per_km) + " /km" : clock_text(seconds_per_km * (METRES_PER_MILE / METRES_PER_KM), 1) + " /mi";
}

std::string_view pace_entered_in(const Value& v) { return v.in_km ? "per km" : "per mi"; }

// ---- Speed ----------------------------------------------------------------------------

bool read_speed_kind(const Param&, std::string_view text, bool bare_km, Value& value, std::string& why_not) {
    return take(read_speed(text, bare_km), why_not, [&](const SpeedEntry& s) { value.number = s.kmh, value.in_km = s.in_kmh; });
}

std::string speed_back(const Value& v) {
    return v.in_km ? decimal_text(v.number, 2) + " km/h" : decimal_text(v.number / KM_PER_MILE, 2) + " mph";
}

std::string speed_hint(const Value& v) {
    if (!bare_number(v.text)) return {};
    const std::string typed = escaped(trimmed(v.text));
    return v.in_km ? "is km/h; for mph type " + typed + "mph" : "is mph; for km/h type " + typed + "km/h";
}

std::string speed_bound(const Param&, double kmh, bool in_kmh) {
    return in_kmh ? decimal_text(kmh) + " km/h" : decimal_text(kmh / KM_PER_MILE, 2) + " mph";
}

std::string_view speed_entered_in(const Value& v) { return v.in_km ? "km/h" : "mph"; }

// ---- Number ---------------------------------------------------------------------------

// A sign is allowed: --negative -2 runs the second half slower; the range refuses it
// elsewhere. A number in per cent may end in %.
bool read_number_kind(const Param& p, std::string_view text, bool, Value& value, std::string& why_not) {
    return take(read_number(text, p.unit == Unit::Percent), why_not, [&](double n) { value.number = n; });
}

std::string number_back(const Value& v) { return decimal_text(v.number); }

std::string number_bound(const Param&, double bound, bool) { return decimal_text(bound); }

// A phone's number pad may have no minus sign: a number that may be negative keeps the
// full keyboard.
std::string_view number_keyboard(const Param& p) { return p.low >= 0 ? "decimal" : "text"; }

// ---- Choice, Flag, Text, Field ----------------------------------------------------------

bool read_choice_kind(const Param& p, std::string_view text, bool, Value& value, std::string&) {
    for (const Choice& c : p.choices) {
        if (same_letters(c.value, text)) value.choice = c.value;
        for (std::string_view also = c.also; !also.empty();) {
            const std::size_t blank = also.find(' ');
            if (same_letters(also.substr(0, blank), text)) value.choice = c.value;
            also = blank == std::string_view::npos ? std::string_view() : also.substr(blank + 1);
        }
    }
    return !value.choice.empty();
}

std::string choice_back(const Value& v) { return std::string(v.choice); }

std::string give_choices(const Param& p) {
    std::string values;
    for (const Choice& c : p.choices) values.append(values.empty() ? "" : ", ").append(c.value);
    return "is not one of " + values;
}

bool read_flag_kind(const Param&, std::string_view, bool, Value& value, std::string&) {
    value.on = true;
    return true;
}

std::string flag_back(const Value& v) { return v.on ? "on" : "off"; }

bool read_as_typed(const Param&, std::string_view, bool, Value&, std::string&) { return true; }

// A file's name is read when the tool opens it; here it needs only to be there.
bool read_file_name(const Param&, std::string_view text, bool, Value&, std::string&) { return !text.empty(); }

std::string as_typed(const Value& v) { return v.text; }

// kind, name, word, shape, unit, read, read_back, bound, says_whole_range, not_read and whether
// the forms follow, entered_in,
// bare_subject, bare_units and unit_marks, reading_hint, input_hint
constexpr std::array<KindDescription, PARAM_KIND_COUNT> KINDS{{
    {ParamKind::Distance, "distance", "a distance", ValueShape::Number, Unit::Metres, read_distance_kind, distance_back,
     distance_bound, false, give_forms, true, distance_entered_in, "a bare number is", {"in miles", "in km"}, {"mi", "km"}, distance_hint, text_keyboard},
    {ParamKind::Time, "time", "a time", ValueShape::Number, Unit::Seconds, read_time_kind, time_back, time_bound, false,
     give_forms, true, nullptr, {}, {}, {}, time_hint, text_keyboard},
    {ParamKind::Pace, "pace", "a pace", ValueShape::Number, Unit::SecondsPerKm, read_pace_kind, pace_back, pace_bound,
     false, give_forms, true, pace_entered_in, "a bare pace is", {"per mile", "per km"}, {"/mi", "/km"}, pace_hint, text_keyboard},
    {ParamKind::Speed, "speed", "a speed", ValueShape::Number, Unit::KmPerHour, read_speed_kind, speed_back,
     speed_bound, false, give_forms, true, speed_entered_in, "a bare speed is", {"in mph", "in km/h"}, {"mph", "km/h"}, speed_hint, text_keyboard},
    {ParamKind::Number, "number", "a number", ValueShape::Number, Unit::Count, read_number_kind, number_back,
     number_bound, true, give_forms, true, nullptr, {}, {}, {}, no_hint, number_keyboard},
    {ParamKind::Choice, "choice", "a choice", ValueShape::Choice, Unit::None, read_choice_kind, choice_back, nullptr,
     false, give_choices, false, nullptr, {}, {}, {}, no_hint, text_keyboard},
    {ParamKind::Flag, "flag", "on or off", ValueShape::OnOff, Unit::None, read_flag_kind, flag_back, nullptr, false,
     give_forms, true, nullptr, {}, {}, {}, no_hint, text_keyboard},
    {ParamKind::Text, "text", "a text", ValueShape::Text, Unit::None, read_as_typed, as_typed, nullptr, false,
     give_forms, true, nullptr, {}, {}, {}, no_hint, text_keyboard},
    {ParamKind::File, "file", "a file", ValueShape::File, Unit::None, read_file_name, as_typed, nullptr, false,
     give_forms, true, nullptr, {}, {}, {}, no_hint, text_keyboard},
    {ParamKind::Field, "field", "a field", ValueShape::Text, Unit::None, read_as_typed, as_typed, nullptr, false,
     give_forms, true, nullptr, {}, {}, {}, no_hint, text_keyboard},
}};

consteval bool kinds_in_order() {
    for (std::size_t i = 0; i < KINDS.size(); ++i)
        if (static_cast<std::size_t>(KINDS[i].kind) != i || KINDS[i].read == nullptr || KINDS[i].read_back == nullptr ||
            KINDS[i].not_read == nullptr || KINDS[i].input_hint == nullptr || KINDS[i].reading_hint == nullptr)
            return false;
    return true;
}
static_assert(kinds_in_order(), "one row per kind, in the order of ParamKind, each with a reader");

}  // namespace

const KindDescription& kind_description(ParamKind kind) { return KINDS.at(static_cast<std::size_t>(kind)); }

Unit value_unit(const Param& param) { return param.unit != Unit::None ? param.unit : kind_description(param.kind).unit; }

}  // namespace quorran
