#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/dialog/calc_types.h"

namespace quorran {

struct SplitMark {
    double miles;
    std::string_view label;
};

// Every mile and 5 km mark up to the marathon, in increasing distance.
std::span<const SplitMark> split_marks();
inline constexpr std::string_view FINISH_LABEL = "Finish ";

struct SplitRow {
    std::string label;
    double miles;
    ClockTime time;
};

// The splits of a race of distance_miles (with its sign) at the given pace per mile:
// none for races of 2 miles or less, ending at the finish or at the marathon mark.
std::vector<SplitRow> split_rows(double pace_minutes, double pace_seconds, double distance_miles);
// The same rows as the Splits list's texts.
std::vector<std::string> build_splits(double pace_minutes, double pace_seconds, double distance_miles);

std::string split_row_text(std::string_view label, const ClockTime& time);
// The time of a split row alone: "8:00.0", "1:04:00.0".
std::string split_time_text(const ClockTime& time);

// The prefix by which the Splits list shows its 1-mile row.
std::string_view first_split_label();

}  // namespace quorran
