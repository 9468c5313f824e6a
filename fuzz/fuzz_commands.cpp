// Fuzzes both Calculate commands through the in-memory dialog, fed arbitrary field
// texts and radio states.
//
// Input: byte 0 holds the radio buttons (bit 0 Find Pace Miles, bit 1 Find Finish
// Time Miles, bit 2 per mile); byte 1 the command (value % 4: 0 Find Pace, 1 Find
// Finish Time, 2 or 3 both); the rest the seven entry texts separated by '|': pace
// distance, hours, minutes, seconds, finish distance, pace minutes, pace seconds.
//
// Whatever the entries, a command either warns with the message the exact reference
// expects and changes nothing else, or shows its whole result: every text at most 79
// printable characters ending with its unit, the per-400 m line or the 1-mile row shown,
// the split rows labelled by the core's marks in order, the focus back in the distance.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/dialog/calc_types.h"
#include "core/dialog/calculator_commands.h"
#include "core/dialog/control_ids.h"
#include "core/dialog/messages.h"
#include "core/dialog/result_formats.h"
#include "core/dialog/split_schedule.h"
#include "fuzz/fuzz_check.h"
#include "tests/exact_decimal.h"
#include "tests/memory_view.h"

namespace {

using quorran::testing::MemoryView;
using namespace quorran;

constexpr int FIELDS[] = {IDC_PACE_DISTANCE,   IDC_PACE_HOURS,          IDC_PACE_MINUTES,        IDC_PACE_SECONDS,
                          IDC_FINISH_DISTANCE, IDC_FINISH_PACE_MINUTES, IDC_FINISH_PACE_SECONDS};

std::string describe(const MemoryView& before, const MemoryView& after) {
    std::string out;
    for (const auto* view : {&before, &after})
        for (const auto& line : view->state())
            out += (view == &before ? "\nbefore: " : "\nafter: ") + fuzz::escaped(line);
    return out;
}

// At most 79 printable characters, ending with tail unless the number filled them all.
bool fits(std::string_view text, std::string_view tail) {
    return fuzz::escaped(text) == text && (text.size() == TEXT_LIMIT || (text.size() < TEXT_LIMIT && text.ends_with(tail)));
}

// The text of a format after its last conversion: " per km" of " %2.0f:%04.1f per km".
std::string_view tail_of(std::string_view format) { return format.substr(format.rfind('f') + 1); }

// What an entry field gives, by the exact reference: its first 79 characters as a number.
double entry(const MemoryView& view, int id) { return exact::scan(view.get_text(id)); }

// A distance entry in miles, with the race shortcuts of its first character.
double distance(const MemoryView& view, int id, bool miles) {
    const std::string text = view.get_text(id);
    double d = entry(view, id);
    if (!text.empty() && (text[0] == 'm' || text[0] == 'M')) d = (miles ? 1.0 : KM_PER_MILE) * MILES_PER_MARATHON;
    if (!text.empty() && (text[0] == 'h' || text[0] == 'H')) d = (miles ? 1.0 : KM_PER_MILE) * MILES_PER_HALF;
    return miles ? d : d * KM_TO_MILES;
}

// Runs a command; true when it warned, after checking the warning and that nothing else changed.
bool run(MemoryView& view, int command, bool zero_distance, bool zero_time, bool may_be_zero_time) {
    const MemoryView before = view;
    CalculatorCommands(view).on_command(command);
    MemoryView rest = view;
    rest.boxes.clear();
    if (zero_distance || zero_time) FUZZ_CHECK(!view.boxes.empty(), describe(before, view));
    if (view.boxes.empty()) return false;
    const std::string_view warning = zero_distance ? DISTANCE_ZERO_WARNING : TIME_ZERO_WARNING;
    FUZZ_CHECK(view.boxes.size() == 1 && view.boxes[0] == testing::message_box("warning", warning),
               describe(before, view));
    FUZZ_CHECK(zero_distance || may_be_zero_time, describe(before, view) + "\n(the time is not zero)");
    FUZZ_CHECK(rest.state() == before.state(), describe(before, view) + "\n(something else changed)");
    return true;
}

void check_find_pace(MemoryView view) {
    const double miles = distance(view, IDC_PACE_DISTANCE, view.is_checked(IDC_PACE_MILES));
    const double h = std::fabs(entry(view, IDC_PACE_HOURS)), m = std::fabs(entry(view, IDC_PACE_MINUTES)),
                 s = std::fabs(entry(view, IDC_PACE_SECONDS));
    // Seconds far below the smallest double times 60 vanish when turned into minutes.
    const MemoryView before = view;
    if (run(view, IDC_PACE_CALCULATE, miles == 0.0, h + m + s == 0.0, h + m == 0.0 && s < 1e-320)) return;
    const auto& lines = view.lists[IDC_OTHER_FORMATS];
    bool ok = fits(view.texts[IDC_PACE_RESULT], tail_of(result_format::PACE)) && lines.size() == 9;
    for (std::size_t i = 0; ok && i < lines.size(); ++i) ok = fits(lines[i], tail_of(result_format::OTHER[i]));
    FUZZ_CHECK(ok && view.texts[IDC_OTHER_FORMATS] == lines[1] && view.focus == IDC_PACE_DISTANCE, describe(before, view));
}

void check_find_finish_time(MemoryView view) {
    const double miles = distance(view, IDC_FINISH_DISTANCE, view.is_checked(IDC_FINISH_MILES));
    const double g = view.is_checked(IDC_PER_MILE) ? 1.0 : KM_PER_MILE;
    const double m = std::fabs(entry(view, IDC_FINISH_PACE_MINUTES) * g), s = std::fabs(entry(view, IDC_FINISH_PACE_SECONDS) * g);
    // A tiny pace, or a tiny pace over a tiny distance, is a zero time too (and zero
    // times an infinite distance has no value, which counts as no time).
    const bool may_be_zero_time = (m < 1e-290 && s < 1e-290) || (m + s) * std::fabs(miles) < 1e-290;
    const MemoryView before = view;
    if (run(view, IDC_FINISH_CALCULATE, miles == 0.0, m + s == 0.0, may_be_zero_time)) return;
    // Every mark short of the finish, then the finish; a race beyond the marathon stops at its mark.
    std::vector<std::string_view> labels;
    for (const auto& mark : split_marks())
        if (miles > 2.0 && mark.miles < miles) labels.push_back(mark.label);
    if (miles > 2.0 && !(miles > split_marks().back().miles)) labels.push_back(FINISH_LABEL);
    const auto& rows = view.lists[IDC_SPLITS];
    const std::string& time = view.texts[IDC_FINISH_RESULT];
    bool ok = fits(time, time.ends_with(" sec") ? " sec" : " secs") && rows.size() == labels.size();
    for (std::size_t i = 0; ok && i < rows.size(); ++i) ok = fits(rows[i], "") && rows[i].starts_with(labels[i]);
    FUZZ_CHECK(ok && view.texts[IDC_SPLITS] == (rows.empty() ? "" : rows[0]) && view.focus == IDC_FINISH_DISTANCE,
               describe(before, view));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    MemoryView view;
    view.checked.clear();
    for (const auto& [bit, id] : {std::pair{1, IDC_PACE_MILES}, {2, IDC_FINISH_MILES}, {4, IDC_PER_MILE}})
        if (data[0] & bit) view.checked.insert(id);
    std::size_t field = 0;
    for (const char ch : std::string_view(reinterpret_cast<const char*>(data + 2), size - 2)) {
        if (ch == '|' && field + 1 < std::size(FIELDS)) ++field;
        else view.texts[FIELDS[field]] += ch;
    }
    if (data[1] % 4 != 1) check_find_pace(view);
    if (data[1] % 4 != 0) check_find_finish_time(view);
    return 0;
}
