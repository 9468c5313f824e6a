// The table of tools. Each entry is a tool's whole description: its params and how its
// report is made from the value API of its own module.
#include "core/toolbox/tool_table.h"

#include <array>
#include <cmath>

#include "core/numbers/number_text.h"
#include "core/toolbox/age_grade.h"
#include "core/toolbox/clock_time.h"
#include "core/toolbox/dialog_tools.h"
#include "core/toolbox/pace_band.h"
#include "core/toolbox/race_distances.h"
#include "core/toolbox/race_prediction.h"
#include "core/toolbox/split_plan.h"
#include "core/toolbox/track_lanes.h"
#include "core/toolbox/vdot.h"
#include "core/toolbox/world_records.h"

namespace quorran {
namespace {

// ---- Params several tools share ----------------------------------------------------

constexpr std::string_view DISTANCE_FORMS =
    "a number with km, k, mi, mile or m (metres), or marathon or half; a bare number is in miles, or in km "
    "with --km";
constexpr std::string_view TIME_FORMS = "[[H:]M:]S such as 3:30:00, 42:30 or 59.5, each part after a colon below 60";
constexpr std::string_view PACE_FORMS =
    "M:SS or M:SS.s, with /km or /mi; a bare pace is per mile, or per km with --per-km";

constexpr double SHORTEST_RACE_METRES = 100;
constexpr double LONGEST_RACE_METRES = 1000 * METRES_PER_KM;
constexpr double LONGEST_TIME_SECONDS = 1000.0 * 3600;
constexpr double FASTEST_PACE = 60;    // seconds per km
constexpr double SLOWEST_PACE = 3600;  // seconds per km

constexpr std::array<Choice, 2> COMMON_RACES{{{"marathon", "Marathon"}, {"half", "Half marathon"}}};

constexpr Param RACE{.name = "distance", .label = "Distance", .metavar = "DISTANCE", .kind = ParamKind::Distance,
                     .positional = true, .required = true, .example = "10k", .forms = DISTANCE_FORMS,
                     .low = SHORTEST_RACE_METRES, .high = LONGEST_RACE_METRES, .choices = COMMON_RACES};
constexpr Param RACE_TIME{.name = "time", .label = "Time", .metavar = "TIME", .kind = ParamKind::Time,
                          .positional = true, .required = true, .example = "45:00", .forms = TIME_FORMS,
                          .low = 0, .high = LONGEST_TIME_SECONDS, .open = true};
constexpr Param PACE{.name = "pace", .label = "Pace", .metavar = "PACE", .kind = ParamKind::Pace, .positional = true,
                     .required = true, .example = "4:30/km", .forms = PACE_FORMS, .low = FASTEST_PACE,
                     .high = SLOWEST_PACE};
constexpr Param KM{.name = "km", .label = "Bare distances in km", .kind = ParamKind::Flag,
                   .forms = "a bare distance is in km, not miles"};
constexpr Param PER_KM{.name = "per-km", .label = "Bare paces per km", .kind = ParamKind::Flag,
                       .forms = "a bare pace is per km, not per mile"};

// ---- Cells --------------------------------------------------------------------------

double per_mile(double seconds_per_km) { return seconds_per_km * (METRES_PER_MILE / METRES_PER_KM); }

Cell time_cell(double seconds, int decimals = 0, std::string_view flag = {}) {
    return {clock_text(seconds, decimals), seconds, flag};
}
Cell race_cell(const NamedDistance& d) { return {std::string(d.name), d.metres}; }
Cell per_mile_cell(double seconds_per_km) { return time_cell(per_mile(seconds_per_km)); }
Cell per_km_cell(double seconds_per_km) { return time_cell(seconds_per_km); }

Column race_column() { return {"race", "race", Unit::Metres, true}; }
Column time_column(std::string_view key = "time", std::string label = "time") { return {key, std::move(label), Unit::Seconds}; }
Column per_mile_column() { return {"per_mile", "per mile", Unit::SecondsPerMile}; }
Column per_km_column() { return {"per_km", "per km", Unit::SecondsPerKm}; }

// A race entered: "5 km in 20:00".
std::string race_text(const Inputs& in) { return describe(in["distance"]) + " in " + describe(in["time"]); }

Outcome refusal(const Value& value, std::string reason) {
    return {.refusal = Refusal{value.param->name, argument_name(*value.param), value.text, std::move(reason)}};
}

constexpr std::string_view OUTSIDE_FITTED = "outside_fitted_range";
constexpr std::string_view FASTER_THAN_RECORD = "faster_than_world_record";

// Flags a race entered faster than the world record over its distance.
void flag_record(Report& report, double metres, double seconds) {
    if (!faster_than_world_record(metres, seconds)) return;
    report.notes.push_back({FASTER_THAN_RECORD, NoteKind::Flag,
                            "faster than the world record over this distance (" +
                                clock_text(world_record_seconds(metres), 0) + ")",
                            "!"});
}

// ---- distance -----------------------------------------------------------------------

constexpr std::array<Param, 3> DISTANCE_PARAMS{
    Param{.name = "time", .label = "Time", .metavar = "TIME", .kind = ParamKind::Time, .positional = true,
          .required = true, .example = "1:30:00", .forms = TIME_FORMS, .low = 0, .high = LONGEST_TIME_SECONDS,
          .open = true},
    PACE, PER_KM};
constexpr std::array<std::string_view, 2> DISTANCE_EXAMPLES{"1:30:00 4:15/km", "--per-km 45:00 5:00"};

Outcome distance_tool(const Inputs& in) {
    const double seconds = in["time"].number;
    const double metres = metres_in(seconds, in["pace"].number);
    Report r;
    const bool flagged = faster_than_world_record(metres, seconds);
    r.headlines.push_back({"miles", "miles", Unit::Miles,
                           {format_text("%.2f", {metres / METRES_PER_MILE}), metres / METRES_PER_MILE,
                            flagged ? FASTER_THAN_RECORD : ""}});
    r.headlines.push_back({"km", "km", Unit::Kilometres,
                           {format_text("%.2f", {metres / METRES_PER_KM}), metres / METRES_PER_KM,
                            flagged ? FASTER_THAN_RECORD : ""}});
    flag_record(r, metres, seconds);
    return {.report = std::move(r)};
}

// ---- predict ------------------------------------------------------------------------

constexpr std::array<Choice, 2> MODELS{{{"riegel", "Riegel"}, {"cameron", "Cameron"}}};
constexpr std::array<Param, 5> PREDICT_PARAMS{
    RACE, RACE_TIME,
    Param{.name = "model", .label = "Model", .metavar = "MODEL", .kind = ParamKind::Choice, .fallback = "riegel",
          .forms = "riegel (Riegel's power law) or cameron (Cameron's curve)", .choices = MODELS},
    Param{.name = "exponent", .label = "Riegel exponent", .metavar = "E", .kind = ParamKind::Number,
          .fallback = "1.06", .example = "1.06", .forms = "a number from 1.0 to 1.2, with --model riegel only",
          .low = RIEGEL_EXPONENT_MIN, .high = RIEGEL_EXPONENT_MAX},
    KM};
constexpr std::array<std::string_view, 3> PREDICT_EXAMPLES{"5k 20:00", "10km 45:00 --model cameron",
                                                           "half 1:45:00 --exponent 1.08"};

std::string fitted_range_text() {
    return format_text("outside the %.1f to %.0f minutes the model was fitted to",
                       {FITTED_SECONDS_MIN / 60, FITTED_SECONDS_MAX / 60});
}

Outcome predict_tool(const Inputs& in) {
    const double from = in["distance"].number, seconds = in["time"].number;
    const bool riegel = in["model"].choice == "riegel";
    if (!riegel && in["exponent"].given) return refusal(in["exponent"], "is for Riegel's model only");
    const double exponent = in["exponent"].number;

    Report r;
    const std::string_view entered_flag = faster_than_world_record(from, seconds) ? FASTER_THAN_RECORD
                                          : outside_fitted_range(seconds)        ? OUTSIDE_FITTED
                                                                                 : "";
    r.headlines.push_back({"race", "race", Unit::Seconds, {race_text(in), seconds, entered_flag}});
    r.headlines.push_back({"model", "model", Unit::None,
                           {riegel ? format_text("Riegel, exponent %.2f", {exponent}) : "Cameron"}});
    Table t{"predictions", "", {race_column(), time_column(), per_mile_column(), per_km_column()}, {}, {}};
    bool outside = entered_flag == OUTSIDE_FITTED;
    for (const NamedDistance& d : RACE_DISTANCES) {
        const double s = riegel ? riegel_seconds(from, seconds, d.metres, exponent) : cameron_seconds(from, seconds, d.metres);
        if (!std::isfinite(s) || s <= 0)
            return refusal(in["distance"], "is beyond what the model can predict from (Cameron's up to about 400 km)");
        const std::string_view flag = outside_fitted_range(s) ? OUTSIDE_FITTED : "";
        outside = outside || !flag.empty();
        const double per_km = s / (d.metres / METRES_PER_KM);
        t.rows.push_back({race_cell(d), time_cell(s, 0, flag), per_mile_cell(per_km), per_km_cell(per_km)});
    }
    r.tables.push_back(std::move(t));
    if (outside) r.notes.push_back({OUTSIDE_FITTED, NoteKind::Flag, fitted_range_text(), "*"});
    flag_record(r, from, seconds);
    return {.report = std::move(r)};
}

// ---- vdot ---------------------------------------------------------------------------

constexpr double VDOT_SENSIBLE_MIN = 20;
constexpr double VDOT_SENSIBLE_MAX = 85;
constexpr std::array<Param, 3> VDOT_PARAMS{RACE, RACE_TIME, KM};
constexpr std::array<std::string_view, 2> VDOT_EXAMPLES{"5k 20:00", "--km 10 45:00"};

Outcome vdot_tool(const Inputs& in) {
    const double metres = in["distance"].number, seconds = in["time"].number;
    if (faster_than_world_record(metres, seconds)) {
        return refusal(in["time"], "is faster than the world record over " + describe(in["distance"]) + " (" +
                                       clock_text(world_record_seconds(metres), 0) + "): it gives no VDOT");
    }
    const double v = vdot(metres, seconds);
    if (!(v > 0) || !std::isfinite(v)) return refusal(in["time"], "is too slow: the equations give no VDOT for it");
    const bool sensible = v >= VDOT_SENSIBLE_MIN && v <= VDOT_SENSIBLE_MAX;

    Report r;
    r.headlines.push_back({"race", "race", Unit::Seconds, {race_text(in), seconds}});
    r.headlines.push_back({"vdot", "VDOT", Unit::Vdot, {format_text("%.1f", {v}), v, sensible ? "" : "outside_sensible_range"}});
    Table equivalents{"equivalents", "Equivalent race times", {race_column(), time_column(), per_mile_column(), per_km_column()}, {}, {}};
    for (const NamedDistance& d : RACE_DISTANCES) {
        const double s = equivalent_seconds(v, d.metres);
        const double per_km = s / (d.metres / METRES_PER_KM);
        equivalents.rows.push_back({race_cell(d), time_cell(s), per_mile_cell(per_km), per_km_cell(per_km)});
    }
    const TrainingPaces p = training_paces(v);
    const std::pair<std::string_view, double> paces[] = {
        {"easy, slowest", p.easy_slow}, {"easy, fastest", p.easy_fast}, {"marathon", p.marathon},
        {"threshold", p.threshold},     {"interval", p.interval},       {"repetition", p.repetition}};
    Table training{"paces", "Training paces", {{"pace", "pace", Unit::None, true}, per_mile_column(), per_km_column()}, {}, {}};
    for (const auto& [name, pace] : paces)
        training.rows.push_back({{std::string(name)}, per_mile_cell(pace), per_km_cell(pace)});
    r.tables.push_back(std::move(equivalents));
    r.tables.push_back(std::move(training));
    if (!sensible) {
        r.notes.push_back({"outside_sensible_range", NoteKind::Flag,
                           format_text("outside the %.0f to %.0f the equations are sensible for",
                                       {VDOT_SENSIBLE_MIN, VDOT_SENSIBLE_MAX}),
                           "*"});
    }
    r.notes.push_back({"daniels_gilbert", NoteKind::Credit,
                       "Derived from the published Daniels-Gilbert equations, not from any book's tables."});
    return {.report = std::move(r)};
}

// ---- plan ---------------------------------------------------------------------------

constexpr std::array<Choice, 3> BAND_FORMATS{{{"text", "Text"}, {"csv", "CSV"}, {"svg", "SVG"}}};
constexpr std::array<Param, 7> PLAN_PARAMS{
    RACE, RACE_TIME,
    Param{.name = "every", .label = "Split every", .metavar = "DISTANCE", .kind = ParamKind::Distance,
          .example = "1km", .forms = "a distance, as DISTANCE; every mile or every km as the race was given, unless given",
          .low = 10, .high = LONGEST_RACE_METRES},
    Param{.name = "negative", .label = "Negative split (%)", .metavar = "PCT", .kind = ParamKind::Number,
          .fallback = "0", .example = "2",
          .forms = "per cent the second half runs faster per metre than the first, between -50 and 50; below zero "
                   "it runs slower (a positive split)",
          .low = NEGATIVE_PERCENT_MIN, .high = NEGATIVE_PERCENT_MAX, .open = true},
    Param{.name = "title", .label = "Band title", .metavar = "TEXT", .kind = ParamKind::Text, .example = "Berlin 2026",
          .forms = "the pace band's heading (the race's distance unless given)"},
    Param{.name = "band", .label = "Print the band as", .metavar = "FORMAT", .kind = ParamKind::Choice,
          .forms = "print the pace band alone: text, csv, or svg (strips 25 mm wide, to print at true size)",
          .choices = BAND_FORMATS, .chooses_document = true},
    KM};
constexpr std::array<std::string_view, 4> PLAN_EXAMPLES{"marathon 3:30:00", "half 1:45:00 --every 5km --negative 2",
                                                        "10k 45:00",
                                                        "marathon 3:30:00 --negative -2 --title Berlin --band svg"};

// The band's heading when none is given: the race, as a title.
std::string race_title(const Value& race) {
    std::string text = describe(race);
    if (!text.empty() && text.front() >= 'a' && text.front() <= 'z') text.front() = static_cast<char>(text.front() - 'a' + 'A');
    return text;
}

// The pace band's three documents, when it has rows enough for a page.
bool add_band(Report& r, const PaceBand& band) {
    if (band.rows.size() > MAX_BAND_ROWS) return false;
    r.documents.push_back({"text", "pace-band.txt", "text/plain", band_text(band)});
    r.documents.push_back({"csv", "pace-band.csv", "text/csv", band_csv(band)});
    r.documents.push_back({"svg", "pace-band.svg", "image/svg+xml", band_svg(band), true});
    return true;
}

Outcome plan_tool(const Inputs& in) {
    const Value& race = in["distance"];
    const double metres = race.number, seconds = in["time"].number, negative = in["negative"].number;
    const Value& every_value = in["every"];
    // Splits follow the race's unit unless --every says otherwise.
    const bool by_km = every_value.present ? every_value.in_km : race.in_km;
    const double every = every_value.present ? every_value.number : (by_km ? METRES_PER_KM : METRES_PER_MILE);
    if (metres / every > MAX_SPLITS)
        return refusal(every_value, format_text("is too short: at most %.0f splits", {MAX_SPLITS}));

    Report r;
    const auto plan = split_plan(metres, seconds, every, negative);
    const double halfway = planned_seconds_at(metres, seconds, negative, metres / 2);
    r.headlines.push_back({"race", "race", Unit::Seconds, {race_text(in), seconds}});
    r.headlines.push_back({"strategy", "strategy", Unit::None, {strategy_text(negative)}});
    r.headlines.push_back({"halfway", "halfway", Unit::Seconds, time_cell(halfway)});
    const double unit = by_km ? METRES_PER_KM : METRES_PER_MILE;
    Table t{"splits", "", {{"at", by_km ? "km" : "miles", Unit::Metres}, time_column("split", "split"),
                           time_column("cumulative", "cumulative")}, {}, {}};
    for (const PlannedSplit& s : plan) {
        t.rows.push_back({{format_text("%.2f", {s.metres / unit}), s.metres}, time_cell(s.split_seconds),
                          time_cell(s.cumulative_seconds)});
    }
    r.tables.push_back(std::move(t));
    const std::string title = in["title"].present ? in["title"].text : race_title(race);
    if (!add_band(r, {title, seconds, negative, by_km, band_rows(plan, metres, halfway, unit)})) {
        const std::string too_many = format_text("more than %.0f markers", {static_cast<double>(MAX_BAND_ROWS)});
        if (in["band"].present) return refusal(in["band"], "cannot be made: " + too_many + ", give a longer --every");
        r.notes.push_back({"no_band", NoteKind::Flag, "no pace band: " + too_many});
    }
    flag_record(r, metres, seconds);
    return {.report = std::move(r)};
}

// ---- laps ---------------------------------------------------------------------------

constexpr std::array<Param, 2> LAPS_PARAMS{PACE, PER_KM};
constexpr std::array<std::string_view, 2> LAPS_EXAMPLES{"4:00/km", "6:30"};

Outcome laps_tool(const Inputs& in) {
    const double pace = in["pace"].number;
    Report r;
    Table lanes{"lanes", "Lanes", {{"lane", "lane", Unit::Count}, {"metres", "metres", Unit::Metres}, time_column("lap", "lap")}, {}, {}};
    for (int lane = 1; lane <= TRACK_LANES; ++lane) {
        const double metres = lane_metres(lane);
        lanes.rows.push_back({{std::to_string(lane), static_cast<double>(lane)},
                              {format_text("%.2f", {metres}), metres},
                              time_cell(seconds_over(metres, pace), 1)});
    }
    Table distances{"distances", "Track distances", {race_column(), time_column()}, {}, {}};
    for (const NamedDistance& d : TRACK_DISTANCES)
        distances.rows.push_back({race_cell(d), time_cell(seconds_over(d.metres, pace), 1)});
    r.tables.push_back(std::move(lanes));
    r.tables.push_back(std::move(distances));
    return {.report = std::move(r)};
}

// ---- agegrade ---------------------------------------------------------------------

constexpr std::array<Choice, 2> SEXES{{{"m", "Man"}, {"f", "Woman"}}};
constexpr std::array<Choice, 4> AGE_GRADE_RACES{
    {{"5k", "5 km"}, {"10k", "10 km"}, {"half", "Half marathon"}, {"marathon", "Marathon"}}};
constexpr std::array<Param, 5> AGEGRADE_PARAMS{
    Param{.name = "sex", .label = "Sex", .metavar = "SEX", .kind = ParamKind::Choice, .positional = true,
          .required = true, .forms = "m or f, in either case: the men's or the women's tables", .choices = SEXES},
    Param{.name = "age", .label = "Age", .metavar = "AGE", .kind = ParamKind::Number, .positional = true,
          .required = true, .example = "50", .forms = "the age on race day in whole years, 5 to 99",
          .low = AGE_GRADE_YOUNGEST, .high = AGE_GRADE_OLDEST, .whole = true},
    Param{.name = "event", .label = "Event", .metavar = "EVENT", .kind = ParamKind::Distance, .positional = true,
          .required = true, .example = "10k",
          .forms = "a distance that is an event of the tables, such as 1 mile, 5k, 8k, 5 mi, 10k, 10 mi, half, "
                   "marathon, 50k or 100 mi; 26.2 mi reads as the marathon, 13.1 mi as the half",
          .low = SHORTEST_RACE_METRES, .high = LONGEST_RACE_METRES, .choices = AGE_GRADE_RACES},
    Param{.name = "time", .label = "Time", .metavar = "TIME", .kind = ParamKind::Time, .positional = true,
          .example = "40:00", .forms = "[[H:]M:]S such as 3:30:00, 42:30 or 59.5; left out with --target",
          .low = 0, .high = LONGEST_TIME_SECONDS, .open = true},
    Param{.name = "target", .label = "Target grade (%)", .metavar = "PCT", .kind = ParamKind::Number,
          .example = "70", .forms = "an age grade in per cent, 1 to 100: the time it takes, instead of TIME",
          .low = 1, .high = 100}};
constexpr std::array<std::string_view, 3> AGEGRADE_EXAMPLES{"M 50 10k 40:00", "f 50 10k 45:00",
                                                            "F 45 marathon --target 70"};
constexpr std::string_view AGE_GRADE_CREDIT =
    "Tables: USATF Masters Long Distance Running council 2025, by Alan Jones (CC0).";
constexpr std::string_view ABOVE_STANDARD = "above_age_standard";

std::string event_list() {
    std::string names;
    for (const AgeGradeEvent* e : age_grade_events_by_distance()) names.append(names.empty() ? "" : ", ").append(e->name);
    return names;
}

Outcome agegrade_tool(const Inputs& in) {
    const AgeGradeEvent* event = find_age_grade_event(in["event"].number);
    if (!event) return refusal(in["event"], "is not an event of the age-grading tables: give one of " + event_list());
    const bool target = in["target"].present, timed = in["time"].present;
    if (target && timed) return refusal(in["target"], "goes without TIME: it gives the time for that grade");
    if (!target && !timed) return refusal(in["time"], "is missing: give a TIME, or --target PCT for the time a grade takes");
    const Sex sex = in["sex"].choice == "m" ? Sex::Male : Sex::Female;
    const int age = static_cast<int>(in["age"].number);
    const double factor = age_factor(*event, sex, age);

    Report r;
    const std::string runner = format_text("%s of %.0f, %s", {sex == Sex::Male ? "man" : "woman", in["age"].number, event->name});
    if (timed) {
        const double seconds = in["time"].number;
        const AgeGrade grade = age_grade(*event, sex, age, seconds);
        const std::string_view flag = grade.percent > 100 ? ABOVE_STANDARD : "";
        r.headlines.push_back({"race", "race", Unit::Seconds, {runner + " in " + describe(in["time"]), seconds}});
        r.headlines.push_back({"grade", "age grade", Unit::Percent, {format_text("%.2f %%", {grade.percent}), grade.percent, flag}});
        r.headlines.push_back({"graded_time", "age-graded time", Unit::Seconds, time_cell(grade.graded_seconds, 1)});
        if (!flag.empty())
            r.notes.push_back({ABOVE_STANDARD, NoteKind::Flag, "above 100 %: faster than the best for this age and sex", "!"});
    } else {
        const double percent = in["target"].number;
        const double seconds = seconds_for_grade(*event, sex, age, percent);
        // Shown cut to the tenth below, so that running the time shown reaches the grade.
        const double shown = std::floor(seconds * 10 + 1e-6) / 10;
        r.headlines.push_back({"race", "race", Unit::None, {runner}});
        r.headlines.push_back({"grade", "age grade", Unit::Percent, {format_text("%.2f %%", {percent}), percent}});
        r.headlines.push_back({"time_needed", "time needed", Unit::Seconds, {clock_text(shown, 1), seconds}});
    }
    r.headlines.push_back({"age_standard", "age standard", Unit::Seconds, time_cell(age_standard(*event, sex, age), 1)});
    r.headlines.push_back({"open_standard", "open standard", Unit::Seconds, time_cell(open_standard(*event, sex))});
    r.headlines.push_back({"factor", "age factor", Unit::Count, {format_text("%.4f", {factor}), factor}});
    r.notes.push_back({"age_grade_tables", NoteKind::Credit, std::string(AGE_GRADE_CREDIT)});
    return {.report = std::move(r)};
}

// ---- The table ----------------------------------------------------------------------

const std::array<Tool, 8> TOOLS{{
    {.name = "pace",
     .title = "Pace",
     .purpose = "The pace of a race, per mile and in nine other forms, as the pace dialog shows it.",
     .details = PACE_DETAILS,
     .params = PACE_PARAMS,
     .examples = PACE_EXAMPLES,
     .run = pace_tool},
    {.name = "finish",
     .title = "Finish time",
     .purpose = "The finishing time at a pace, and the splits, as the pace dialog shows them.",
     .details = FINISH_DETAILS,
     .params = FINISH_PARAMS,
     .examples = FINISH_EXAMPLES,
     .run = finish_tool},
    {.name = "distance",
     .title = "Distance",
     .purpose = "How far a time at a pace takes you, in miles and km.",
     .details = "",
     .params = DISTANCE_PARAMS,
     .examples = DISTANCE_EXAMPLES,
     .run = distance_tool},
    {.name = "predict",
     .title = "Race prediction",
     .purpose = "Times over the standard distances predicted from one race.",
     .details = "Riegel's power law T2 = T1 (D2/D1)^E (E = 1.06 unless given, from 1.0 to 1.2) or Cameron's "
                "curve. Times outside the 3.5 to 230 minutes the models were fitted to are marked, the race "
                "entered too.",
     .params = PREDICT_PARAMS,
     .examples = PREDICT_EXAMPLES,
     .run = predict_tool},
    {.name = "vdot",
     .title = "VDOT and training paces",
     .purpose = "VDOT, equivalent race times and training paces from one race.",
     .details = "Derived from the published Daniels-Gilbert equations, not from any book's tables. A VDOT "
                "outside 20 to 85 is marked; a race faster than the world record is refused.",
     .params = VDOT_PARAMS,
     .examples = VDOT_EXAMPLES,
     .run = vdot_tool},
    {.name = "plan",
     .title = "Split plan",
     .purpose = "Even, negative or positive splits for a race, every mile or km, and a pace band to print.",
     .details = "Splits come every mile, or every km for a race given in km, unless --every says otherwise. "
                "--negative PCT runs the second half PCT per cent faster per metre than the first; a PCT below "
                "zero runs it slower, a positive split. The pace band gives the clock time at every marker, "
                "halfway marked, as text, CSV or an SVG of one strip 25 mm wide (two for a long race) that "
                "prints at its true size; --band prints one of them alone.",
     .params = PLAN_PARAMS,
     .examples = PLAN_EXAMPLES,
     .run = plan_tool},
    {.name = "laps",
     .title = "Track laps",
     .purpose = "Lap times in lanes 1 to 8 of a 400 m track, and times over track distances.",
     .details = "Lane 1 is measured 0.30 m from the kerb, the others 0.20 m from their inner line.",
     .params = LAPS_PARAMS,
     .examples = LAPS_EXAMPLES,
     .run = laps_tool},
    {.name = "agegrade",
     .title = "Age grading",
     .purpose = "A race's age grade: the time against the best for the runner's age and sex, in per cent.",
     .details = "By the 2025 road tables of the USATF Masters Long Distance Running council, compiled by Alan "
                "Jones. Gives the age-graded time (as if run at the peak age), the age standard (the best for "
                "that age and sex) and the open standard (the best at any age). --target PCT gives the time "
                "that grade takes instead.",
     .params = AGEGRADE_PARAMS,
     .examples = AGEGRADE_EXAMPLES,
     .run = agegrade_tool},
}};

}  // namespace

std::span<const Tool> tools() { return TOOLS; }

}  // namespace quorran
