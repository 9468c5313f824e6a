#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/toolbox/report.h"

// The kinds of entry a tool's param may be, each described once: how it is read, how it
// reads back, how its limits are said, what its value is measured in and which keyboard
// a phone gives it. Everything that varies by kind reads this description.
namespace quorran {

enum class ParamKind {
    Distance,  // metres: 10k, 5 mi, 400m, marathon; a bare number in miles, or km with its flag
    Time,      // seconds: [[H:]M:]S
    Pace,      // seconds per km: M:SS with /km or /mi; a bare pace per mile, or per km with its flag
    Speed,     // km/h: 12km/h, 7.5 mph; a bare speed in mph, or km/h with its flag
    Number,    // a decimal number, in the param's unit
    Choice,    // one of the param's choices, in any letter case
    Flag,      // on or off, an option without a value
    Text,      // any text, as typed
    File,      // a file's name: a run a watch recorded
    Field,     // an entry of the pace dialog, read as the dialog reads its field
    Count      // not a kind: how many there are
};

inline constexpr std::size_t PARAM_KIND_COUNT = static_cast<std::size_t>(ParamKind::Count);

struct Param;
struct Value;

// What an entry's value is, once read: a number (Value::number), one of the param's
// choices (Value::choice), on or off (Value::on), its text as typed, or a file's name (a
// window offers to open one).
enum class ValueShape { Number, Choice, OnOff, Text, File };

struct KindDescription {
    ParamKind kind;         // the row's own kind: the table is checked to be in order
    std::string_view name;  // as JSON names the kind: "distance"
    std::string_view word;  // "a distance", as "is not a distance: give ..." says it
    ValueShape shape;
    // What the value is measured in, unless the param names a unit of its own (a Number
    // in %); None for a kind without a number.
    Unit unit;
    // Reads the whole text, its blanks around it dropped, as this kind into the value;
    // false when it is no such value, with why_not set when it can say more than the forms
    // ("uses m, which is metres: ..."). bare_km: the param's flag reads a bare value in km
    // (or per km, in km/h).
    bool (*read)(const Param& param, std::string_view text, bool bare_km, Value& value, std::string& why_not);
    // The value as it reads back, canonically: "5 km", "20:00", "4:30 /km", "riegel".
    std::string (*read_back)(const Value& value);
    // A bound of the param's range as a runner reads it ("100 m", "1:00:00"), in the unit
    // the value was typed in where it has one (a pace per mile, a speed in mph: in_km
    // false); null for a kind without a range.
    std::string (*bound)(const Param& param, double bound, bool in_km);
    // Whether a refusal of a value out of range says the whole range ("must be from 0 to
    // 15 %"), or only the bound it crossed ("must be at least 100 m").
    bool says_whole_range;
    // What a refusal of a text that is no such value says: "is not a time: give ", or
    // "is not one of riegel, cameron"; and whether the param's forms follow.
    std::string (*not_read)(const Param& param);
    bool not_read_gives_forms;
    // What the JSON of the input says the value was entered in ("km", "per mi"); null for
    // a kind whose value has one way only.
    std::string_view (*entered_in)(const Value& value);
    // How a bare value is read, when the kind's values have a unit: "a bare number is",
    // then "in miles" or, with the param's flag or the unit setting, "in km".
    std::string_view bare_subject;
    std::string_view bare_units[2];
    std::string_view unit_marks[2];  // the same beside a field: "mi" or "km"
    // How an entry was read, when the reading may surprise a runner: a bare time "is
    // seconds; for 45 minutes type 45:00", a distance in m "is metres; ..."; empty when
    // the entry said its unit, and for kinds whose reading cannot surprise.
    std::string (*reading_hint)(const Value& value);
    // The keyboard a phone gives the entry: "decimal" (a number pad) or "text".
    std::string_view (*input_hint)(const Param& param);
};

const KindDescription& kind_description(ParamKind kind);

// The unit of the param's value, as JSON names it: its own, or else its kind's.
Unit value_unit(const Param& param);

}  // namespace quorran
