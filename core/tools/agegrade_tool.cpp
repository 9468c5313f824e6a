// agegrade: a race's age grade, against the best for the runner's age and sex.
#include <cmath>

#include "core/numbers/number_text.h"
#include "core/running/age_grade.h"
#include "core/running/clock_time.h"
#include "core/running/race_distances.h"
#include "core/toolbox/entry_forms.h"
#include "core/toolbox/entry_reading.h"
#include "core/tools/common.h"

namespace quorran {
namespace {

using namespace tool_parts;

constexpr std::array<Choice, 2> SEXES{{{"m", "Man", "male man men"}, {"f", "Woman", "w female woman women"}}};
constexpr std::array<Choice, 4> AGE_GRADE_RACES{
    {{"5k", "5 km"}, {"10k", "10 km"}, {"half", "Half marathon"}, {"marathon", "Marathon"}}};
constexpr std::array<Param, 5> PARAMS{
    Param{.name = "sex", .label = "Sex", .metavar = "SEX", .kind = ParamKind::Choice, .positional = true,
          .required = true, .forms = "m or f (man or woman, male or female), in either case: the men's or the women's tables", .choices = SEXES},
    Param{.name = "age", .label = "Age", .metavar = "AGE", .kind = ParamKind::Number, .positional = true,
          .required = true, .example = "50", .forms = "the age on race day in whole years, 5 to 99",
          .low = AGE_GRADE_YOUNGEST, .high = AGE_GRADE_OLDEST, .whole = true},
    Param{.name = "distance", .label = "Event", .metavar = "EVENT", .kind = ParamKind::Distance, .positional = true,
          .required = true, .example = "10k",
          .forms = "a distance that is an event of the tables, such as 1 mile, 5k, 8k, 5 mi, 10k, 10 mi, half, "
                   "marathon, 50k or 100 mi; 26.2 mi reads as the marathon, 13.1 mi as the half",
          .low = SHORTEST_RACE_METRES, .high = LONGEST_RACE_METRES, .choices = AGE_GRADE_RACES},
    Param{.name = "time", .label = "Time", .metavar = "TIME", .kind = ParamKind::Time, .positional = true,
          .example = "40:00", .forms = "[[H:]M:]S such as 3:30:00, 42:30 or 59.5; left out with {target}",
          .low = 0, .high = LONGEST_TIME_SECONDS, .open = true},
    Param{.name = "target", .label = "Target grade (%)", .metavar = "PCT", .kind = ParamKind::Number,
          .example = "70", .forms = "an age grade in per cent, 1 to 100: the time it takes, instead of {time}",
          .low = 1, .high = 100, .unit = Unit::Percent}};
constexpr Entry SEX_ENTRY = entry(PARAMS, "sex"), AGE_ENTRY = entry(PARAMS, "age"), EVENT_ENTRY = entry(PARAMS, "distance"),
                TIME_ENTRY = entry(PARAMS, "time"), TARGET_ENTRY = entry(PARAMS, "target");
constexpr std::array<std::string_view, 3> EXAMPLES{"M 50 10k 40:00", "f 50 10k 45:00", "F 45 marathon --target 70"};
constexpr std::string_view AGE_GRADE_CREDIT =
    "Tables: USATF Masters Long Distance Running council 2025, by Alan Jones (CC0).";
constexpr std::string_view ABOVE_STANDARD = "above_age_standard";

std::string event_list() {
    std::string names;
    for (const AgeGradeEvent* e : age_grade_events_by_distance()) names.append(names.empty() ? "" : ", ").append(e->name);
    return names;
}

// Runners call a marathon 42 km and a half 21 km, 0.46 % short: so near, the race is
// meant, where a distance between the tables' events is not (8 km and 5 miles lie 0.58 %
// apart).
constexpr double ROUNDED_RACE_TOLERANCE = 0.005;

// The marathon or the half for a distance a runner rounded, with a note saying so.
const AgeGradeEvent* rounded_race(double metres, Report& report, const Value& typed) {
    for (const double race : {MARATHON_METRES, HALF_MARATHON_METRES}) {
        if (std::fabs(metres / race - 1) > ROUNDED_RACE_TOLERANCE) continue;
        const AgeGradeEvent* event = find_age_grade_event(race);
        report.notes.push_back({"read_as_race", NoteKind::Reading,
                                "{distance} '" + escaped(trimmed(typed.text)) + "' was read as the " + std::string(event->name) +
                                    " (" + decimal_text(race / METRES_PER_KM) + " km)"});
        return event;
    }
    return nullptr;
}

Outcome run(const Inputs& in) {
    Report r;
    const AgeGradeEvent* event = find_age_grade_event(in[EVENT_ENTRY].number);
    if (!event) event = rounded_race(in[EVENT_ENTRY].number, r, in[EVENT_ENTRY]);
    if (!event) return refuse(in, EVENT_ENTRY, "is not an event of the age-grading tables: give one of " + event_list());
    const bool target = in[TARGET_ENTRY].present, timed = in[TIME_ENTRY].present;
    if (target && timed) return refuse(in, TARGET_ENTRY, "goes without {time}: it gives the time for that grade");
    if (!target && !timed) return refuse(in, TIME_ENTRY, "is missing: give {time}, or {target} for the time a grade takes");
    const Sex sex = in[SEX_ENTRY].choice == "m" ? Sex::Male : Sex::Female;
    const int age = static_cast<int>(in[AGE_ENTRY].number);
    const double factor = age_factor(*event, sex, age);

    const std::string runner =
        format_text("%s of %.0f, %s", {sex == Sex::Male ? "man" : "woman", in[AGE_ENTRY].number, event->name});
    if (timed) {
        const double seconds = in[TIME_ENTRY].number;
        const AgeGrade grade = age_grade(*event, sex, age, seconds);
        const std::string_view flag = grade.percent > 100 ? ABOVE_STANDARD : "";
        r.headlines.push_back({"race", "race", Unit::Seconds, {runner + " in " + describe(in[TIME_ENTRY]), seconds}});
        r.headlines.push_back({"grade", "age grade", Unit::Percent, {format_text("%.2f %%", {grade.percent}), grade.percent, flag}, false, true});
        r.headlines.push_back({"graded_time", "age-graded time", Unit::Seconds, time_cell(grade.graded_seconds, 1)});
        if (!flag.empty())
            r.notes.push_back({ABOVE_STANDARD, NoteKind::Flag, "above 100 %: faster than the best for this age and sex", "!"});
    } else {
        const double percent = in[TARGET_ENTRY].number;
        const double seconds = seconds_for_grade(*event, sex, age, percent);
        // Shown cut to the tenth below, so that running the time shown reaches the grade;
        // but a grade of 100 % is the age standard itself, shown as it is.
        const Cell needed = percent == 100 ? time_cell(age_standard(*event, sex, age), 1)
                                           : Cell{clock_text(std::floor(seconds * 10 + 1e-6) / 10, 1), seconds};
        r.headlines.push_back({"race", "race", Unit::None, {runner}});
        r.headlines.push_back({"grade", "age grade", Unit::Percent, {format_text("%.2f %%", {percent}), percent}});
        r.headlines.push_back({"time_needed", "time needed", Unit::Seconds, needed, false, true});
    }
    r.headlines.push_back({"age_standard", "age standard", Unit::Seconds, time_cell(age_standard(*event, sex, age), 1)});
    r.headlines.push_back({"open_standard", "open standard", Unit::Seconds, time_cell(open_standard(*event, sex))});
    r.headlines.push_back({"factor", "age factor", Unit::Count, {format_text("%.4f", {factor}), factor}});
    r.notes.push_back({"age_grade_tables", NoteKind::Credit, std::string(AGE_GRADE_CREDIT)});
    return {.report = std::move(r)};
}

}  // namespace

extern const Tool AGEGRADE_TOOL;
constinit const Tool AGEGRADE_TOOL{
    .name = "agegrade",
    .title = "Age grading",
    .menu_place = 80,
    .purpose = "A race's age grade: the time against the best for the runner's age and sex, in per cent.",
    .details = "By the 2025 road tables of the USATF Masters Long Distance Running council, compiled by Alan "
               "Jones. Gives the age-graded time (as if run at the peak age), the age standard (the best for "
               "that age and sex) and the open standard (the best at any age). --target PCT gives the time "
               "that grade takes instead.",
    .params = PARAMS,
    .examples = EXAMPLES,
    .run = run,
};

}  // namespace quorran
