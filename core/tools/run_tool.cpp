// run: a run a watch recorded (GPX, TCX or FIT), and what it tells the runner.
#include <cmath>

#include "core/drawing/svg.h"
#include "core/numbers/number_text.h"
#include "core/recorded/analysis.h"
#include "core/recorded/last_reading.h"
#include "core/recorded/run_chart.h"
#include "core/recorded/run_files.h"
#include "core/running/clock_time.h"
#include "core/running/split_plan.h"
#include "core/running/world_records.h"
#include "core/toolbox/entry_reading.h"
#include "core/tools/common.h"

namespace quorran {
namespace {

using namespace tool_parts;

constexpr std::array<Choice, 2> FORMATS{{{"csv", "CSV"}, {"svg", "SVG"}}};
constexpr std::array<Param, 6> PARAMS{
    Param{.name = "file", .label = "Run file", .metavar = "FILE", .kind = ParamKind::File, .positional = true,
          .required = true, .example = "run.gpx",
          .forms = "a GPX, TCX or FIT file a watch recorded (- reads standard input); its format is found from "
                   "what it holds, not its name"},
    Param{.name = "every", .label = "Split every", .metavar = "DISTANCE", .kind = ParamKind::Distance,
          .example = "1km", .forms = "a distance such as 1km or 1mi; every mile, or every km, unless given",
          .low = 100, .high = LONGEST_RACE_METRES, .bare_km_flag = KM_FLAG},
    Param{.name = "plan", .label = "Goal time", .metavar = "TIME", .kind = ParamKind::Time, .example = "3:30:00",
          .forms = "a goal for the run's distance, as [[H:]M:]S: the splits beside the plan for it",
          .low = 0, .high = LONGEST_TIME_SECONDS, .open = true},
    Param{.name = "negative", .label = "Negative split (%)", .metavar = "PCT", .kind = ParamKind::Number,
          .fallback = "0", .example = "2",
          .forms = "the plan's second half this many per cent faster per metre, between -50 and 50; with {plan}",
          .low = NEGATIVE_PERCENT_MIN, .high = NEGATIVE_PERCENT_MAX, .open = true, .unit = Unit::Percent},
    Param{.name = "format", .label = "Print the splits as", .metavar = "FORMAT", .kind = ParamKind::Choice,
          .forms = "print the splits alone: csv, or the chart: svg (100 mm wide, to print at true size)", .choices = FORMATS, .chooses_document = true},
    Param{.name = KM_FLAG, .label = "Splits in km", .kind = ParamKind::Flag,
          .forms = "splits every km, not every mile, and paces per km"}};
constexpr Entry FILE_ENTRY = entry(PARAMS, "file"), EVERY_ENTRY = entry(PARAMS, "every"),
                PLAN_ENTRY = entry(PARAMS, "plan"), NEGATIVE_ENTRY = entry(PARAMS, "negative"),
                KM_ENTRY = entry(PARAMS, "km");
constexpr std::array<std::string_view, 4> EXAMPLES{"run.gpx", "--km run.fit", "run.tcx --every 5km",
                                                   "race.gpx --plan 3:30:00 --negative 2"};

// A distance, pace or time as the report shows it, in the run's unit.
struct Shown {
    bool km;
    double unit() const { return km ? METRES_PER_KM : METRES_PER_MILE; }
    Cell distance(double metres) const {
        return {format_text("%.2f", {metres / unit()}) + (km ? " km" : " mi"), metres};
    }
    Cell at(double metres) const { return {format_text("%.2f", {metres / unit()}), metres}; }
    Cell pace(double seconds_per_km) const {
        Cell cell = pace_alone(seconds_per_km);
        if (!std::isnan(seconds_per_km)) cell.text += km ? " /km" : " /mi";
        return cell;
    }
    // In a table, whose header names the unit.
    Cell pace_alone(double seconds_per_km) const {
        if (std::isnan(seconds_per_km)) return {"-"};
        return {clock_text(seconds_per_km * unit() / METRES_PER_KM, 0), seconds_per_km};
    }
    std::string per() const { return km ? " /km" : " /mi"; }
};

Cell metres_cell(double metres) { return {format_text("%.0f m", {metres}), metres}; }
Cell number_cell(double value, std::string_view unit) {
    if (std::isnan(value)) return {"-"};
    return {format_text("%.0f", {value}) + std::string(unit), value};
}

// The pauses, each with the rules that found it.
Table pauses_table(const RunAnalysis& a) {
    Table t{"pauses", "Pauses", {time_column("from", "from"), time_column("to", "to"), time_column("length", "length"),
                                 {"rule", "found by", Unit::None, true}}, {}, {}};
    for (const Pause& p : a.pauses) {
        std::string rules;
        for (const auto& [on, words] : {std::pair{p.timer_stopped, "the timer stopped"},
                                        std::pair{p.between_parts, "a gap between parts"},
                                        std::pair{p.slow, "standing still"}})
            if (on) rules += (rules.empty() ? "" : ", ") + std::string(words);
        t.rows.push_back({time_cell(p.from), time_cell(p.to), time_cell(p.to - p.from), {rules}});
    }
    return t;
}

// The splits as the report's table and as CSV, which --format csv prints alone.
std::string splits_csv(const RunAnalysis& a) {
    std::string csv = "at_m,time_s,cumulative_s,pace_s_per_km,gap_s_per_km,elevation_change_m,heart_rate_bpm\r\n";
    const auto field = [](double v) { return std::isnan(v) ? std::string() : decimal_text(v, 3); };
    for (const Split& s : a.splits) {
        csv += field(s.at) + "," + field(s.time) + "," + field(s.cumulative) + "," + field(s.pace) + "," + field(s.gap) +
               "," + field(s.elevation_change) + "," + field(s.heart_rate) + "\r\n";
    }
    return csv;
}

Outcome run(const Inputs& in) {
    if (in[NEGATIVE_ENTRY].given && !in[PLAN_ENTRY].present)
        return refuse(in, NEGATIVE_ENTRY, "goes with {plan}: it is the plan's split");
    RunFiles* files = run_files();
    std::string why_not = "cannot be read here";
    FileBytes bytes = files ? files->read(in[FILE_ENTRY].text, why_not) : nullptr;
    if (!bytes) return refuse(in, FILE_ENTRY, escaped(why_not));
    const RunReading& reading = last_reading().read(std::move(bytes), files->xml());
    if (!reading.run) return refuse(in, FILE_ENTRY, "cannot be read: " + escaped(reading.refusal.message()));

    const Shown shown{in[EVERY_ENTRY].present ? in[EVERY_ENTRY].in_km : in[KM_ENTRY].on};
    const double every = in[EVERY_ENTRY].present ? in[EVERY_ENTRY].number : shown.unit();
    const RunAnalysis a = analyse_run(*reading.run, every);

    Report r;
    // A run faster than anyone has run is a file to doubt, not a feat: said first, as the
    // note that flags every time too fast.
    std::string_view too_fast;
    if (!std::isnan(a.distance) && !std::isnan(a.moving) && faster_than_world_record(a.distance, a.moving)) {
        r.notes.push_back({FASTER_THAN_RECORD, NoteKind::Flag,
                           "the run is faster than the world record over its distance (" +
                               clock_text(world_record_seconds(a.distance), 0) +
                               "): a position or a time in the file must be wrong, or it is not a run on foot",
                           "!"});
        too_fast = FASTER_THAN_RECORD;
    }
    // The main answer: how far. The rest only where the file holds what it needs.
    if (!std::isnan(a.distance)) {
        Cell distance = shown.distance(a.distance);
        distance.flag = too_fast;
        r.headlines.push_back({"distance", "distance", Unit::Metres, distance, false, true});
    }
    const auto timed = [&r](std::string_view key, std::string label, double seconds) {
        if (!std::isnan(seconds)) r.headlines.push_back({key, std::move(label), Unit::Seconds, time_cell(seconds)});
    };
    timed("elapsed", "elapsed", a.elapsed);
    timed("moving", "moving", a.moving);
    if (!std::isnan(a.pace)) {
        Cell pace = shown.pace(a.pace);
        pace.flag = too_fast;
        r.headlines.push_back({"pace", "pace", Unit::SecondsPerKm, pace});
    }
    if (!std::isnan(a.gap)) r.headlines.push_back({"gap", "grade-adjusted pace", Unit::SecondsPerKm, shown.pace(a.gap)});
    if (!std::isnan(a.ascent)) r.headlines.push_back({"ascent", "ascent", Unit::Metres, metres_cell(a.ascent)});
    if (!std::isnan(a.descent)) r.headlines.push_back({"descent", "descent", Unit::Metres, metres_cell(a.descent)});
    const auto per_minute = [&r](std::string_view key, std::string label, Unit unit, double value, std::string_view words) {
        if (!std::isnan(value)) r.headlines.push_back({key, std::move(label), unit, number_cell(value, words)});
    };
    per_minute("average_heart_rate", "average heart rate", Unit::BeatsPerMinute, a.average_heart_rate, " bpm");
    per_minute("max_heart_rate", "highest heart rate", Unit::BeatsPerMinute, a.max_heart_rate, " bpm");
    per_minute("cadence", "cadence", Unit::StepsPerMinute, a.cadence, " spm");

    Table splits{"splits", "Splits", {{"at", shown.km ? "km" : "miles", Unit::Metres}, time_column("time", "time"),
                                      time_column("cumulative", "clock"), {"pace", "pace" + shown.per(), Unit::SecondsPerKm},
                                      {"gap", "grade-adjusted" + shown.per(), Unit::SecondsPerKm},
                                      {"elevation_change", "climb", Unit::Metres},
                                      {"heart_rate", "heart rate", Unit::BeatsPerMinute}}, {}, {}};
    for (const Split& s : a.splits) {
        const double metres = s.at - (splits.rows.empty() ? 0 : splits.rows.back()[0].value);
        Cell pace = shown.pace_alone(s.pace);
        pace.flag = judge_time(r, metres, s.time);
        splits.rows.push_back({shown.at(s.at), time_cell(s.time, 0, pace.flag), time_cell(s.cumulative), pace, shown.pace_alone(s.gap),
                               std::isnan(s.elevation_change) ? Cell{"-"} : Cell{format_text("%.0f", {s.elevation_change}), s.elevation_change},
                               number_cell(s.heart_rate, "")});
    }
    r.tables.push_back(std::move(splits));
    Table best{"best_efforts", "Best efforts", {{"distance", "distance", Unit::Metres, true}, time_column(),
                                                {"start", shown.km ? "from km" : "from mile", Unit::Metres}, time_column("start_clock", "at clock")}, {}, {}};
    for (const BestEffort& e : a.best_efforts)
        best.rows.push_back({race_cell(e.distance), time_cell(e.time, 0, judge_time(r, e.distance.metres, e.time)), shown.at(e.start),
                             time_cell(e.start_clock)});
    r.tables.push_back(std::move(best));
    if (!a.pauses.empty()) r.tables.push_back(pauses_table(a));

    // Beside the plan for the same race, ahead (below zero) or behind at each marker.
    std::vector<PlanMarker> markers;
    if (in[PLAN_ENTRY].present) {
        markers = compare_with_plan(a, in[PLAN_ENTRY].number, in[NEGATIVE_ENTRY].number);
        Table plan{"plan", "Against the plan", {{"at", shown.km ? "km" : "miles", Unit::Metres}, time_column("cumulative", "clock"),
                                                time_column("planned_cumulative", "planned"), {"behind", "behind", Unit::Seconds}}, {}, {}};
        for (const PlanMarker& m : markers) {
            const std::string ahead = m.behind < 0 ? "-" + clock_text(-m.behind, 0) : "+" + clock_text(m.behind, 0);
            plan.rows.push_back({shown.at(m.at), time_cell(m.cumulative), time_cell(m.planned_cumulative), {ahead, m.behind}});
        }
        r.tables.push_back(std::move(plan));
    }
    for (const std::string& note : reading.run->reading_notes) r.notes.push_back({"reading", NoteKind::Reading, escaped(note)});
    for (const std::string& note : a.notes) r.notes.push_back({"analysis", NoteKind::Credit, escaped(note)});
    r.documents.push_back({"csv", "splits.csv", "text/csv", splits_csv(a)});
    if (std::optional<Drawing> chart = run_chart(a, shown.km, markers)) {
        r.documents.push_back({"svg", "run-chart.svg", "image/svg+xml", svg_document(*chart), true});
        r.drawings.push_back(std::move(*chart));
    }
    return {.report = std::move(r)};
}

}  // namespace

extern const Tool RUN_TOOL;
constinit const Tool RUN_TOOL{
    .name = "run",
    .title = "Recorded run",
    .menu_place = 100,
    .purpose = "What a run a watch recorded tells: distance, time moving, splits, climb, best efforts.",
    .details = "Reads GPX, TCX or FIT on this device, offline. The distance is the watch's own when every point "
               "has one, else measured along the WGS84 ellipsoid; moving time leaves out the pauses (the timer "
               "stopped, a gap between parts, standing still 10 s or more); splits every mile or km to the "
               "finish, with grade-adjusted pace by Minetti's cost of running; the climb counts rises of 3 m or "
               "more; best efforts from 400 m to the marathon.",
    .params = PARAMS,
    .examples = EXAMPLES,
    .run = run,
};

}  // namespace quorran
