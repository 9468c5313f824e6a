#include "core/tools/common.h"

#include "core/numbers/number_text.h"
#include "core/running/clock_time.h"
#include "core/running/world_records.h"
#include "core/toolbox/entry_forms.h"
#include "core/toolbox/entry_reading.h"
#include "core/toolbox/param_kinds.h"

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

Outcome refuse(const Inputs& in, Entry entry, std::string reason) {
    return {.refusal = refusal_of(in[entry], in.params(), std::move(reason))};
}

namespace {

constexpr std::string_view RECORDS_NOTE =
    "faster than the world record over its distance (track records up to 10,000 m, road records beyond)";

void note_record(Report& report) {
    if (!report.has_note(FASTER_THAN_RECORD)) report.notes.push_back({FASTER_THAN_RECORD, NoteKind::Flag, std::string(RECORDS_NOTE), "!"});
}

}  // namespace

std::string hinted(const Value& v) {
    const std::string hint = kind_description(v.param->kind).reading_hint(v);
    return hint.empty() ? "" : "{" + std::string(v.param->name) + "} '" + escaped(trimmed(v.text)) + "' " + hint;
}

RaceReading how_read(const Value& distance, const Value& time) {
    const std::string time_hint = hinted(time);
    // A bare number of seconds reads back as seconds: "45 s", not "0:45".
    const bool seconds = trimmed(time.text).find_first_not_of("0123456789.,") == std::string_view::npos;
    RaceReading r{escaped(describe(distance)) + " in " +
                      (seconds ? escaped(decimal_text(time.number)) + " s" : escaped(describe(time))),
                  hinted(distance)};
    if (!time_hint.empty()) r.hints += (r.hints.empty() ? "" : "; ") + time_hint;
    return r;
}

std::string_view judge_race(Report& report, double metres, double seconds, const RaceReading& read_as) {
    const auto note = [&](std::string_view key, std::string verdict, std::string_view mark) {
        report.notes.push_back({key, NoteKind::Flag, read_as.race + " is " + verdict + (read_as.hints.empty() ? "" : ": " + read_as.hints), mark});
        return key;
    };
    if (faster_than_world_record(metres, seconds))
        return note(FASTER_THAN_RECORD, "faster than the world record over its distance (" + clock_text(world_record_seconds(metres), 0) + ")", "!");
    const double kmh = metres / seconds * 3.6;
    if (kmh < WALKING_KMH)
        return note(SLOWER_THAN_WALK, format_text("slower than a walk (%.2f km/h; people walk at about %.0f km/h)", {kmh, WALKING_KMH}), "*");
    return {};
}

std::string_view judge_time(Report& report, double metres, double seconds) {
    if (!faster_than_world_record(metres, seconds)) return {};
    note_record(report);
    return FASTER_THAN_RECORD;
}

}  // namespace quorran::tool_parts
