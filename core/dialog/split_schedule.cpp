#include "core/dialog/split_schedule.h"

#include <array>

#include "core/dialog/finish_time_calculator.h"
#include "core/numbers/number_text.h"
#include "core/dialog/result_formats.h"

namespace quorran {

namespace {

constexpr double km(double k) { return k * KM_TO_MILES; }

// Every mile and 5 km mark, in increasing distance, the labels with their trailing
// blanks. The kilometre marks are k x KM_TO_MILES miles, as typed kilometres become.
constexpr std::array<SplitMark, 36> SPLIT_MARKS{{
    {1.0, " 1 m   "},  {2.0, " 2 m   "},  {3.0, " 3 m   "},  {km(5), " 5 km "},
    {4.0, " 4 m   "},  {5.0, " 5 m   "},  {6.0, " 6 m   "},  {km(10), "10 km"},
    {7.0, " 7 m   "},  {8.0, " 8 m   "},  {9.0, " 9 m   "},  {km(15), "15 km"},
    {10.0, "10 m  "},  {11.0, "11 m  "},  {12.0, "12 m  "},  {km(20), "20 km"},
    {13.0, "13 m  "},  {MILES_PER_HALF, "H Mar"},            {14.0, "14 m  "},
    {15.0, "15 m  "},  {km(25), "25 km"}, {16.0, "16 m  "},  {17.0, "17 m  "},
    {18.0, "18 m  "},  {km(30), "30 km"}, {19.0, "19 m  "},  {20.0, "20 m  "},
    {21.0, "21 m  "},  {km(35), "35 km"}, {22.0, "22 m  "},  {23.0, "23 m  "},
    {24.0, "24 m  "},  {km(40), "40 km"}, {25.0, "25 m  "},  {26.0, "26 m  "},
    {MILES_PER_MARATHON, "Mar  "},
}};

// Races of this many miles or less get no splits.
constexpr double SHORTEST_SPLIT_RACE = 2.0;

}  // namespace

std::span<const SplitMark> split_marks() { return SPLIT_MARKS; }

std::string_view first_split_label() { return SPLIT_MARKS.front().label; }

std::vector<SplitRow> split_rows(double pace_minutes, double pace_seconds, double distance_miles) {
    std::vector<SplitRow> rows;
    // Not "distance <= 2": a race whose distance is no number gets no splits either.
    if (!(distance_miles > SHORTEST_SPLIT_RACE)) return rows;
    std::size_t i = 0;
    double mark = SPLIT_MARKS[0].miles;
    std::string_view label = SPLIT_MARKS[0].label;
    for (;;) {
        ClockTime time;
        compute_finish_time(pace_minutes, pace_seconds, mark, time);
        rows.push_back({std::string(label), mark, time});
        if (!(distance_miles > mark) || mark >= MILES_PER_MARATHON) break;
        ++i;
        mark = SPLIT_MARKS[i].miles;
        label = SPLIT_MARKS[i].label;
        // A mark at or beyond the finish gives way to the Finish row.
        if (!(mark < distance_miles)) {
            mark = distance_miles;
            label = FINISH_LABEL;
        }
    }
    return rows;
}

std::vector<std::string> build_splits(double pace_minutes, double pace_seconds, double distance_miles) {
    std::vector<std::string> texts;
    for (const SplitRow& row : split_rows(pace_minutes, pace_seconds, distance_miles))
        texts.push_back(split_row_text(row.label, row.time));
    return texts;
}

std::string split_time_text(const ClockTime& time) {
    // The row's format after its label and blanks.
    const auto time_part = [](std::string_view row) { return row.substr(row.rfind(' ') + 1); };
    if (time.hours != 0.0) {
        return format_text(time_part(result_format::SPLIT_WITH_HOURS), {time.hours, time.minutes, time.seconds});
    }
    return format_text(time_part(result_format::SPLIT_MINUTES), {time.minutes, time.seconds});
}

std::string split_row_text(std::string_view label, const ClockTime& time) {
    if (time.hours != 0.0) {
        return format_text(result_format::SPLIT_WITH_HOURS, {label, time.hours, time.minutes, time.seconds});
    }
    if (time.minutes >= 10.0) {
        return format_text(result_format::SPLIT_TEN_MINUTES, {label, time.minutes, time.seconds});
    }
    return format_text(result_format::SPLIT_MINUTES, {label, time.minutes, time.seconds});
}

}  // namespace quorran
