// Age grading: the council's worked values through the tool, and the tables as the build
// read them held to the council's own interpolation between distances.
#include <gtest/gtest.h>

#include <cmath>

#include "core/running/age_grade.h"
#include "core/running/race_distances.h"
#include "core/toolbox/tool_list.h"
#include "core/toolbox/tool_runner.h"

namespace quorran {
namespace {

std::string headline(const Outcome& o, std::string_view key) {
    for (const Headline& h : o.report.headlines)
        if (h.key == key) return h.cell.text;
    return o.refusal ? "refused: " + o.refusal->line() : "no " + std::string(key);
}

Outcome agegrade(const Entries& entries) { return run_tool(*find_tool("agegrade"), entries); }

// SOURCE.md's worked values, and the entries beside each limit.
TEST(AgeGrade, WorkedValuesAndLimits) {
    const struct { const char* sex; const char* age; const char* event; const char* time; const char* grade; const char* graded; } cases[] = {
        {"M", "50", "10k", "40:00", "74.27 %", "35:32.6"},
        {"f", "50", "10 km", "45:00", "72.46 %", "39:41.9"},
        {"F", "45", "marathon", "4:00:00", "57.68 %", "3:45:15.8"},
        {"m", "50", "1 mile", "6:00", "73.36 %", "5:09.4"},
        // 26.2 mi lies 0.07 % short of the marathon, 1.01 mi 0.99 % beyond the mile.
        {"F", "45", "26.2", "4:00:00", "57.68 %", "3:45:15.8"},
        {"m", "50", "1.01", "6:00", "refused: EVENT '1.01' is not an event of the age-grading tables: give one of 1 mile, "
                                    "5 km, 6 km, 4 miles, 8 km, 5 miles, 10 km, 7 miles, 12 km, 15 km, 10 miles, 20 km, "
                                    "half marathon, 25 km, 30 km, marathon, 50 km, 50 miles, 100 km, 150 km, 100 miles, 200 km", ""},
        {"m", "5", "5k", "30:00", "70.27 %", "18:14.4"},
        {"m", "4", "5k", "30:00", "refused: AGE '4' must be a whole number from 5 to 99", ""},
        {"f", "99", "5k", "1:30:00", "78.76 %", "17:38.9"},
        {"f", "100", "5k", "1:30:00", "refused: AGE '100' must be a whole number from 5 to 99", ""},
        {"f", "50.5", "5k", "30:00", "refused: AGE '50.5' must be a whole number from 5 to 99", ""},
    };
    for (const auto& c : cases) {
        const Outcome o = agegrade({{"sex", c.sex}, {"age", c.age}, {"distance", c.event}, {"time", c.time}});
        EXPECT_EQ(headline(o, "grade"), c.grade) << c.sex << c.age << " " << c.event;
        if (*c.graded) {
            EXPECT_EQ(headline(o, "graded_time"), c.graded) << c.sex << c.age << " " << c.event;
        }
    }
    const Outcome men = agegrade({{"sex", "M"}, {"age", "50"}, {"distance", "10k"}, {"time", "40:00"}});
    EXPECT_EQ(headline(men, "open_standard"), "26:24");
    EXPECT_EQ(headline(men, "age_standard"), "29:42.6");
    EXPECT_TRUE(men.report.has_note("age_grade_tables"));
}

// The reverse question: the time shown for a grade, cut to the tenth, reaches it; a
// tenth more does not. Either TIME or --target, not both and not neither.
TEST(AgeGrade, TimeForATargetGrade) {
    const Outcome o = agegrade({{"sex", "F"}, {"age", "45"}, {"distance", "marathon"}, {"target", "70"}});
    EXPECT_EQ(headline(o, "time_needed"), "3:17:45.6");  // 11865.696 s
    const AgeGradeEvent& marathon = *find_age_grade_event(MARATHON_METRES);
    EXPECT_GE(age_grade(marathon, Sex::Female, 45, 11865.6).percent, 70);
    EXPECT_LT(age_grade(marathon, Sex::Female, 45, 11865.7).percent, 70);
    EXPECT_EQ(headline(agegrade({{"sex", "F"}, {"age", "45"}, {"distance", "marathon"}}), "grade"),
              "refused: TIME is missing: give TIME, or --target for the time a grade takes");
    EXPECT_EQ(headline(agegrade({{"sex", "F"}, {"age", "45"}, {"distance", "half"}, {"time", "2:00:00"}, {"target", "70"}}), "grade"),
              "refused: --target '70' goes without TIME: it gives the time for that grade");
}

// The tables' factors at 6, 8, 15 and 30 km are their 5 km, 10 km, half and marathon
// factors interpolated in the logarithm of the distance, to four decimals: for every
// age and both sexes. A factor misread, misplaced or shifted by an age breaks it.
TEST(AgeGrade, FactorsFollowTheTablesLogDistanceInterpolation) {
    const struct { double metres, shorter, longer; } between[] = {
        {6000, 5000, 10000}, {8000, 5000, 10000}, {15000, 10000, HALF_MARATHON_METRES},
        {30000, HALF_MARATHON_METRES, MARATHON_METRES},
    };
    ASSERT_EQ(age_grade_events().size(), 22u);
    for (const auto& b : between) {
        const AgeGradeEvent &e = *find_age_grade_event(b.metres), &lo = *find_age_grade_event(b.shorter),
                            &hi = *find_age_grade_event(b.longer);
        const double w = std::log(b.metres / b.shorter) / std::log(b.longer / b.shorter);
        for (const Sex sex : {Sex::Male, Sex::Female}) {
            for (int age = AGE_GRADE_YOUNGEST; age <= AGE_GRADE_OLDEST; ++age) {
                const double f = age_factor(lo, sex, age) + w * (age_factor(hi, sex, age) - age_factor(lo, sex, age));
                EXPECT_EQ(std::round(f * AGE_FACTOR_SCALE), std::round(age_factor(e, sex, age) * AGE_FACTOR_SCALE))
                    << e.name << " " << (sex == Sex::Male ? "M" : "F") << age;
            }
        }
    }
}

}  // namespace
}  // namespace quorran
