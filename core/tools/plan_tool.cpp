// plan: even, negative or positive splits for a race, and a pace band to print.
#include "core/numbers/number_text.h"
#include "core/running/clock_time.h"
#include "core/drawing/svg.h"
#include "core/running/pace_band.h"
#include "core/running/split_plan.h"
#include "core/toolbox/entry_reading.h"
#include "core/tools/common.h"

namespace quorran {
namespace {

using namespace tool_parts;

constexpr std::array<Choice, 3> BAND_FORMATS{{{"text", "Text"}, {"csv", "CSV"}, {"svg", "SVG"}}};
constexpr std::array<Param, 7> PARAMS{
    RACE, RACE_TIME,
    Param{.name = "every", .label = "Split every", .metavar = "DISTANCE", .kind = ParamKind::Distance,
          .example = "1km",
          .forms = "a distance such as 5km or 1mi; every mile or every km as the race was given, unless given",
          .low = 10, .high = LONGEST_RACE_METRES, .bare_km_flag = KM_FLAG},
    Param{.name = "negative", .label = "Negative split (%)", .metavar = "PCT", .kind = ParamKind::Number,
          .fallback = "0", .example = "2",
          .forms = "per cent the second half runs faster per metre than the first, between -50 and 50; below zero "
                   "it runs slower (a positive split)",
          .low = NEGATIVE_PERCENT_MIN, .high = NEGATIVE_PERCENT_MAX, .open = true, .unit = Unit::Percent},
    Param{.name = "title", .label = "Band title", .metavar = "TEXT", .kind = ParamKind::Text, .example = "Berlin 2026",
          .forms = "the pace band's heading (the race's distance unless given)"},
    Param{.name = "band", .label = "Print the band as", .metavar = "FORMAT", .kind = ParamKind::Choice,
          .forms = "print the pace band alone: text, csv, or svg (strips 25 mm wide, to print at true size)",
          .choices = BAND_FORMATS, .chooses_document = true},
    KM};
constexpr Entry DISTANCE_ENTRY = entry(PARAMS, "distance"), TIME_ENTRY = entry(PARAMS, "time"),
                EVERY_ENTRY = entry(PARAMS, "every"), NEGATIVE_ENTRY = entry(PARAMS, "negative"),
                TITLE_ENTRY = entry(PARAMS, "title"), BAND_ENTRY = entry(PARAMS, "band");
constexpr std::array<std::string_view, 4> EXAMPLES{"marathon 3:30:00", "half 1:45:00 --every 5km --negative 2",
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
    Drawing drawing = band_drawing(band);
    r.documents.push_back({"svg", "pace-band.svg", "image/svg+xml", svg_document(drawing), true});
    r.drawings.push_back(std::move(drawing));
    return true;
}

Outcome run(const Inputs& in) {
    const Value& race = in[DISTANCE_ENTRY];
    const double metres = race.number, seconds = in[TIME_ENTRY].number, negative = in[NEGATIVE_ENTRY].number;
    const Value& every_value = in[EVERY_ENTRY];
    // Splits follow the race's unit unless --every says otherwise.
    const bool by_km = every_value.present ? every_value.in_km : race.in_km;
    const double every = every_value.present ? every_value.number : (by_km ? METRES_PER_KM : METRES_PER_MILE);
    if (metres / every > MAX_SPLITS)
        return refuse(in, EVERY_ENTRY, format_text("is too short: at most %.0f splits", {MAX_SPLITS}));

    Report r;
    const auto plan = split_plan(metres, seconds, every, negative);
    const double halfway = planned_seconds_at(metres, seconds, negative, metres / 2);
    const std::string_view judged = judge_race(r, metres, seconds, how_read(race, in[TIME_ENTRY]));
    r.headlines.push_back({"race", "race", Unit::Seconds, {race_text(race, in[TIME_ENTRY]), seconds, judged}});
    r.headlines.push_back({"strategy", "strategy", Unit::None, {strategy_text(negative)}});
    r.headlines.push_back({"halfway", "halfway", Unit::Seconds, time_cell(halfway)});
    // The main answer: the goal's pace, per km or per mile as the splits are.
    const double unit = by_km ? METRES_PER_KM : METRES_PER_MILE;
    const double goal_pace = seconds / (metres / unit);
    r.headlines.push_back({"goal_pace", "goal pace", by_km ? Unit::SecondsPerKm : Unit::SecondsPerMile,
                           {clock_text(goal_pace, 0) + (by_km ? " /km" : " /mi"), goal_pace}, false, true});
    Table t{"splits", "", {{"at", by_km ? "km" : "miles", Unit::Metres}, time_column("split", "split"),
                           time_column("cumulative", "cumulative")}, {}, {}};
    for (const PlannedSplit& s : plan) {
        t.rows.push_back({{format_text("%.2f", {s.metres / unit}), s.metres}, time_cell(s.split_seconds),
                          time_cell(s.cumulative_seconds, 0, judge_time(r, s.metres, s.cumulative_seconds))});
    }
    r.tables.push_back(std::move(t));
    const std::string title = in[TITLE_ENTRY].present ? in[TITLE_ENTRY].text : race_title(race);
    if (!add_band(r, {title, seconds, negative, by_km, band_rows(plan, metres, halfway, unit)})) {
        const std::string too_many = format_text("more than %.0f markers", {static_cast<double>(MAX_BAND_ROWS)});
        if (in[BAND_ENTRY].present) return refuse(in, BAND_ENTRY, "cannot be made: " + too_many + ", give a longer {every}");
        r.notes.push_back({"no_band", NoteKind::Flag, "no pace band: " + too_many});
    }
    return {.report = std::move(r)};
}

}  // namespace

extern const Tool PLAN_TOOL;
constinit const Tool PLAN_TOOL{
    .name = "plan",
    .title = "Split plan",
    .menu_place = 60,
    .purpose = "Even, negative or positive splits for a race, every mile or km, and a pace band to print.",
    .details = "Splits come every mile, or every km for a race given in km, unless --every says otherwise. "
               "--negative PCT runs the second half PCT per cent faster per metre than the first; a PCT below "
               "zero runs it slower, a positive split. The pace band gives the clock time at every marker, "
               "halfway marked, as text, CSV or an SVG of one strip 25 mm wide (two for a long race) that "
               "prints at its true size; --band prints one of them alone.",
    .params = PARAMS,
    .examples = EXAMPLES,
    .run = run,
};

}  // namespace quorran
