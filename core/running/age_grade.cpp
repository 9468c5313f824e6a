#include "core/running/age_grade.h"

#include <algorithm>
#include <cmath>

namespace quorran {
namespace {

std::size_t index(Sex sex) { return sex == Sex::Male ? 0 : 1; }

}  // namespace

std::vector<const AgeGradeEvent*> age_grade_events_by_distance() {
    std::vector<const AgeGradeEvent*> events;
    for (const AgeGradeEvent& e : age_grade_events()) events.push_back(&e);
    std::sort(events.begin(), events.end(), [](const auto* a, const auto* b) { return a->metres < b->metres; });
    return events;
}

const AgeGradeEvent* find_age_grade_event(double metres) {
    for (const AgeGradeEvent& e : age_grade_events())
        if (std::fabs(metres / e.metres - 1) <= EVENT_TOLERANCE) return &e;
    return nullptr;
}

double age_factor(const AgeGradeEvent& event, Sex sex, int age) {
    return event.factors[index(sex)][static_cast<std::size_t>(age - AGE_GRADE_YOUNGEST)] / AGE_FACTOR_SCALE;
}

double open_standard(const AgeGradeEvent& event, Sex sex) { return event.open_seconds[index(sex)]; }

double age_standard(const AgeGradeEvent& event, Sex sex, int age) {
    return open_standard(event, sex) / age_factor(event, sex, age);
}

AgeGrade age_grade(const AgeGradeEvent& event, Sex sex, int age, double seconds) {
    const double factor = age_factor(event, sex, age);
    return {100 * open_standard(event, sex) / (factor * seconds), seconds * factor};
}

double seconds_for_grade(const AgeGradeEvent& event, Sex sex, int age, double percent) {
    return 100 * age_standard(event, sex, age) / percent;
}

}  // namespace quorran
