#include "core/dialog/calculator_commands.h"

#include <array>
#include <string>

#include "core/dialog/control_ids.h"
#include "core/dialog/entry_parser.h"
#include "core/dialog/finish_time_calculator.h"
#include "core/dialog/messages.h"
#include "core/dialog/pace_calculator.h"
#include "core/dialog/split_schedule.h"

namespace quorran {

namespace {

struct CommandEntry {
    int control;
    void (*handler)(CalculatorView&);
};

constexpr std::array<CommandEntry, 4> COMMANDS{{
    {IDC_ABOUT, on_about},
    {IDC_CLOSE, on_close},
    {IDC_PACE_CALCULATE, on_find_pace},
    {IDC_FINISH_CALCULATE, on_find_finish_time},
}};

// The lists and the placeholder each holds until the first result.
struct Placeholder {
    int list;
    std::string_view text;
};
constexpr std::array<Placeholder, 2> PLACEHOLDERS{{
    {IDC_SPLITS, SPLITS_PLACEHOLDER},
    {IDC_OTHER_FORMATS, OTHER_FORMATS_PLACEHOLDER},
}};

double number_of(const CalculatorView& view, int control) { return parse_number(view.get_text(control)); }

// Shows the warning for a failed calculation; false when there is none.
bool warned(CalculatorView& view, CalcStatus status) {
    switch (status) {
        case CalcStatus::ZeroDistance: view.warn(DISTANCE_ZERO_WARNING); return true;
        case CalcStatus::ZeroTime: view.warn(TIME_ZERO_WARNING); return true;
        case CalcStatus::Ok: break;
    }
    return false;
}

}  // namespace

CalculatorCommands::CalculatorCommands(CalculatorView& view) : view_(view) {}

void CalculatorCommands::open() { on_open(view_); }

void CalculatorCommands::on_command(int control) {
    for (const auto& command : COMMANDS) {
        if (command.control == control) {
            command.handler(view_);
            return;
        }
    }
}

// Miles, Miles and per mile checked, each list showing its placeholder as its one
// item, the focus in the Find Pace distance; in this order.
void on_open(CalculatorView& view) {
    view.check_radio(IDC_PACE_MILES, IDC_PACE_KM, IDC_PACE_MILES);
    view.check_radio(IDC_FINISH_MILES, IDC_FINISH_KM, IDC_FINISH_MILES);
    view.check_radio(IDC_PER_MILE, IDC_PER_KM, IDC_PER_MILE);
    for (const auto& [list, text] : PLACEHOLDERS) {
        view.list_clear(list);
        view.list_add(list, text);
        view.list_select_prefix(list, 0, text.substr(0, 1));
    }
    view.set_focus(IDC_PACE_DISTANCE);
}

void on_about(CalculatorView& view) { view.inform(ABOUT_TEXT); }

void on_close(CalculatorView& view) { view.close(0); }

PaceEntries read_pace_entries(const CalculatorView& view) {
    const double f = unit_factor(view.is_checked(IDC_PACE_MILES));
    const double distance = distance_in_miles(view.get_text(IDC_PACE_DISTANCE), f);
    const double hours = number_of(view, IDC_PACE_HOURS);
    const double minutes = number_of(view, IDC_PACE_MINUTES);
    const double seconds = number_of(view, IDC_PACE_SECONDS);
    return {distance, hours, minutes, seconds};
}

FinishEntries read_finish_entries(const CalculatorView& view) {
    const double f = unit_factor(view.is_checked(IDC_FINISH_MILES));
    const double g = unit_factor(view.is_checked(IDC_PER_MILE));
    const double distance = distance_in_miles(view.get_text(IDC_FINISH_DISTANCE), f);
    // A per-km pace is scaled part by part, so its seconds may pass 60.
    const double pace_minutes = number_of(view, IDC_FINISH_PACE_MINUTES) * g;
    const double pace_seconds = number_of(view, IDC_FINISH_PACE_SECONDS) * g;
    return {distance, pace_minutes, pace_seconds};
}

void on_find_pace(CalculatorView& view) {
    const auto [distance, hours, minutes, seconds] = read_pace_entries(view);
    PaceTime pace;
    if (warned(view, compute_pace(hours, minutes, seconds, distance, pace))) return;

    view.set_text(IDC_PACE_RESULT, pace_result_text(pace));
    const OtherFormats formats = other_formats(pace);
    view.list_clear(IDC_OTHER_FORMATS);
    for (const auto& line : formats.lines) view.list_add(IDC_OTHER_FORMATS, line);
    view.list_select_prefix(IDC_OTHER_FORMATS, 0, formats.select_prefix);
    view.set_focus(IDC_PACE_DISTANCE);
}

void on_find_finish_time(CalculatorView& view) {
    const auto [distance, pace_minutes, pace_seconds] = read_finish_entries(view);
    ClockTime time;
    if (warned(view, compute_finish_time(pace_minutes, pace_seconds, distance, time))) return;

    view.set_text(IDC_FINISH_RESULT, finish_time_text(time));
    view.list_clear(IDC_SPLITS);
    const auto rows = build_splits(pace_minutes, pace_seconds, distance);
    for (const auto& row : rows) view.list_add(IDC_SPLITS, row);
    if (!rows.empty()) view.list_select_prefix(IDC_SPLITS, 0, first_split_label());
    view.set_focus(IDC_FINISH_DISTANCE);
}

}  // namespace quorran
