#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// Age grading by the 2025 road tables of the USATF Masters Long Distance Running council
// (data/age-grade-2025/, read into the program by the build): a time compared with the
// best for the runner's age and sex, in per cent.
namespace quorran {

inline constexpr int AGE_GRADE_YOUNGEST = 5;
inline constexpr int AGE_GRADE_OLDEST = 99;
inline constexpr std::size_t AGE_GRADE_AGES = AGE_GRADE_OLDEST - AGE_GRADE_YOUNGEST + 1;
// The tables give each factor to four decimals; the program keeps them as whole
// ten-thousandths.
inline constexpr double AGE_FACTOR_SCALE = 10000.0;

enum class Sex { Male, Female };

struct AgeGradeEvent {
    std::string_view name;  // "10 km", "half marathon"
    std::string_view file;  // the table's file suffix: "10k", "hm"
    double metres;
    std::array<int, 2> open_seconds;  // the open standard, men's and women's
    // The age factors in ten-thousandths, men's and women's, from age 5 to 99.
    std::array<std::array<std::uint16_t, AGE_GRADE_AGES>, 2> factors;
};

// The tables' events, one each (the two marathon files are one event), in the order
// of their files; made at build time by cmake/age_grade_table.cmake.
std::span<const AgeGradeEvent> age_grade_events();

// The events shortest first.
std::vector<const AgeGradeEvent*> age_grade_events_by_distance();

// How far a distance may lie from an event and still name it: as runners round it
// (26.2 mi, 13.1 mi, 21.1 km, 6.2 mi are 0.07 % to 0.22 % off), no further. The closest
// two events, 8 km and 5 miles, lie 0.58 % apart: a distance names one at most.
inline constexpr double EVENT_TOLERANCE = 0.0025;

// The event of that distance, within EVENT_TOLERANCE; or none.
const AgeGradeEvent* find_age_grade_event(double metres);

// The factor of the tables for that sex and age (5 to 99).
double age_factor(const AgeGradeEvent& event, Sex sex, int age);
// The best time at the peak age, in seconds.
double open_standard(const AgeGradeEvent& event, Sex sex);
// The best time for that sex and age: the open standard over the factor.
double age_standard(const AgeGradeEvent& event, Sex sex, int age);

struct AgeGrade {
    double percent;         // the open standard over the age-graded time, in per cent
    double graded_seconds;  // the time times the factor: as if run at the peak age
};

// The grade of a time of `seconds` over the event.
AgeGrade age_grade(const AgeGradeEvent& event, Sex sex, int age, double seconds);

// The time that grades at `percent` over the event.
double seconds_for_grade(const AgeGradeEvent& event, Sex sex, int age, double percent);

}  // namespace quorran
