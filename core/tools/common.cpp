#include "core/tools/common.h"

#include "core/running/clock_time.h"
#include "core/running/world_records.h"
#include "core/toolbox/entry_reading.h"

namespace quorran::tool_parts {

Cell time_cell(double seconds, int decimals, std::string_view flag) { return {clock_text(seconds, decimals), seconds, flag}; }
Cell race_cell(const NamedDistance& d) { return {std::string(d.name), d.metres}; }
Cell per_mile_cell(double seconds_per_km) { return time_cell(per_mile(seconds_per_km)); }
Cell per_km_cell(double seconds_per_km) { return time_cell(seconds_per_km); }

Column race_column() { return {"race", "race", Unit::Metres, true}; }
Column time_column(std::string_view key, std::string label) { return {key, std::move(label), Unit::Seconds}; }
Column per_mile_column() { return {"per_mile", "per mile", Unit::SecondsPerMile}; }
Column per_km_column() { return {"per_km", "per km", Unit::SecondsPerKm}; }

std::string race_text(const Value& distance, const Value& time) { return describe(distance) + " in " + describe(time); }

Outcome refusal(const Value& value, std::string reason) {
    return {.refusal = Refusal{value.param->name, argument_name(*value.param), value.text, std::move(reason)}};
}

void flag_record(Report& report, double metres, double seconds) {
    if (!faster_than_world_record(metres, seconds)) return;
    report.notes.push_back({FASTER_THAN_RECORD, NoteKind::Flag,
                            "faster than the world record over this distance (" +
                                clock_text(world_record_seconds(metres), 0) + ")",
                            "!"});
}

}  // namespace quorran::tool_parts
