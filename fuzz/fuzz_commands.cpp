// Fuzzes both Calculate commands through the recording view, fed arbitrary field
// texts and radio states.
//
// Input: byte 0 holds the radio buttons (bit 0 Find Pace Miles, bit 1 Find Finish
// Time Miles, bit 2 per mile); byte 1 the command (value % 4: 0 Find Pace, 1 Find
// Finish Time, 2 both, 3 another control, 990 + value / 4 % 50); the rest the seven
// entry texts separated by '|': pace distance, hours, minutes, seconds, finish
// distance, pace minutes, pace seconds.
//
// Whatever the entries, a command either warns with one of the two fixed messages
// and changes nothing else, or writes its whole result: every text at most 79
// characters of printable ASCII, the selection prefix at most 11 and a prefix of the
// per-400 m line, the split rows in the order of their marks.
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/calc_types.h"
#include "core/calculator_commands.h"
#include "core/control_ids.h"
#include "core/messages.h"
#include "fuzz/fuzz_check.h"
#include "tests/exact_decimal.h"
#include "tests/recording_view.h"

namespace {

using quorran::fuzz::escaped;
using quorran::testing::RecordingView;

constexpr std::size_t TEXT_LIMIT = 79;
constexpr std::size_t PREFIX_LIMIT = 11;
constexpr double KM_PER_MILE = 1.609344;
constexpr double KM_TO_MILES = 0.621371192237334;

// The split marks in list order: distance in miles and the label that starts the row.
struct Mark {
    double miles;
    std::string_view label;
};
constexpr std::array<Mark, 36> MARKS{{
    {1.0, " 1 m   "},  {2.0, " 2 m   "},  {3.0, " 3 m   "},  {5 * KM_TO_MILES, " 5 km "},
    {4.0, " 4 m   "},  {5.0, " 5 m   "},  {6.0, " 6 m   "},  {10 * KM_TO_MILES, "10 km"},
    {7.0, " 7 m   "},  {8.0, " 8 m   "},  {9.0, " 9 m   "},  {15 * KM_TO_MILES, "15 km"},
    {10.0, "10 m  "},  {11.0, "11 m  "},  {12.0, "12 m  "},  {20 * KM_TO_MILES, "20 km"},
    {13.0, "13 m  "},  {13.109375, "H Mar"},                 {14.0, "14 m  "},
    {15.0, "15 m  "},  {25 * KM_TO_MILES, "25 km"},          {16.0, "16 m  "},
    {17.0, "17 m  "},  {18.0, "18 m  "},  {30 * KM_TO_MILES, "30 km"},
    {19.0, "19 m  "},  {20.0, "20 m  "},  {21.0, "21 m  "},  {35 * KM_TO_MILES, "35 km"},
    {22.0, "22 m  "},  {23.0, "23 m  "},  {24.0, "24 m  "},  {40 * KM_TO_MILES, "40 km"},
    {25.0, "25 m  "},  {26.0, "26 m  "},  {26.21875, "Mar  "},
}};
constexpr std::string_view FINISH_LABEL = "Finish ";

constexpr std::array<std::string_view, 9> OTHER_FORMAT_ENDINGS{
    " per km", " per 400m", " mins/mile", " km/h", " MPH", " meters/sec", " meters/min", " feet/sec", " feet/min"};

// One recorded call: "set_text 1013 | 8:00.6 per mile" is {set_text, 1013, "8:00.6 per mile"}.
struct Call {
    std::string op;
    int control = -1;
    std::string text;
};

Call parse_call(const std::string& line) {
    Call call;
    const std::size_t bar = line.find(" | ");
    const std::string head = line.substr(0, bar);
    if (bar != std::string::npos) call.text = line.substr(bar + 3);
    const std::size_t space = head.find(' ');
    call.op = head.substr(0, space);
    if (space != std::string::npos) call.control = std::stoi(head.substr(space + 1));
    return call;
}

struct Case {
    bool pace_miles = false;
    bool finish_miles = false;
    bool per_mile = false;
    std::array<std::string, 7> fields;  // texts of the seven entry fields
};

std::string describe(const Case& c, const std::vector<std::string>& effects) {
    std::string out = "radios: pace " + std::string(c.pace_miles ? "Miles" : "km") + ", finish " +
                      (c.finish_miles ? "Miles" : "km") + ", " + (c.per_mile ? "per mile" : "per km") + "\nfields:";
    for (const auto& f : c.fields) out += " \"" + escaped(f) + "\"";
    out += "\neffects:";
    for (const auto& e : effects) out += "\n  " + escaped(e);
    return out;
}

bool printable(std::string_view text) {
    for (const unsigned char c : text) {
        if (c < 0x20 || c > 0x7e) return false;
    }
    return true;
}

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

// What an entry field gives: its first 79 characters read as a number.
double entry_value(const std::string& text) { return quorran::exact::scan(text.substr(0, TEXT_LIMIT)); }

// A distance entry in miles, with the race shortcuts of its first character.
double entry_distance(const std::string& text, bool miles) {
    const double f = miles ? 1.0 : KM_PER_MILE;
    double d = entry_value(text);
    const char first = text.empty() ? '\0' : text.front();
    if (first == 'm' || first == 'M') d = f * 26.21875;
    if (first == 'h' || first == 'H') d = f * 13.109375;
    if (!miles) d = d * KM_TO_MILES;
    return d;
}

RecordingView view_of(const Case& c) {
    RecordingView view;
    const std::array<int, 7> ids{quorran::IDC_PACE_DISTANCE,   quorran::IDC_PACE_HOURS,
                                 quorran::IDC_PACE_MINUTES,    quorran::IDC_PACE_SECONDS,
                                 quorran::IDC_FINISH_DISTANCE, quorran::IDC_FINISH_PACE_MINUTES,
                                 quorran::IDC_FINISH_PACE_SECONDS};
    for (std::size_t i = 0; i < ids.size(); ++i) view.texts[ids[i]] = c.fields[i];
    if (c.pace_miles) view.checked.insert(quorran::IDC_PACE_MILES);
    if (c.finish_miles) view.checked.insert(quorran::IDC_FINISH_MILES);
    if (c.per_mile) view.checked.insert(quorran::IDC_PER_MILE);
    return view;
}

// Checks a warning, if there is one; true when the command warned.
bool check_warning(const Case& c, const std::vector<std::string>& effects, bool zero_distance, bool zero_time,
                   bool may_be_zero_time) {
    bool warned = false;
    for (const auto& e : effects) warned = warned || e.starts_with("warn");
    if (zero_distance) FUZZ_CHECK(warned, describe(c, effects) + "\n(the distance is zero)");
    if (zero_time) FUZZ_CHECK(warned, describe(c, effects) + "\n(the time is zero)");
    if (!warned) return false;
    // After a warning nothing else changed: no text, no list, no focus.
    FUZZ_CHECK(effects.size() == 1, describe(c, effects));
    const Call call = parse_call(effects[0]);
    const std::string expected(zero_distance ? quorran::DISTANCE_ZERO_WARNING : quorran::TIME_ZERO_WARNING);
    FUZZ_CHECK(call.op == "warn" && call.text == expected, describe(c, effects));
    if (!zero_distance) FUZZ_CHECK(may_be_zero_time, describe(c, effects) + "\n(the time is not zero)");
    return true;
}

void check_find_pace(const Case& c) {
    RecordingView view = view_of(c);
    quorran::CalculatorCommands(view).on_command(quorran::IDC_PACE_CALCULATE);
    const auto effects = view.effects();

    const double distance = entry_distance(c.fields[0], c.pace_miles);
    const double hours = std::fabs(entry_value(c.fields[1]));
    const double minutes = std::fabs(entry_value(c.fields[2]));
    const double seconds = std::fabs(entry_value(c.fields[3]));
    // The running time is zero only when every part is, but seconds far below the
    // smallest double times 60 vanish when turned into minutes.
    const bool zero_time = hours == 0.0 && minutes == 0.0 && seconds == 0.0;
    const bool may_be_zero_time = hours == 0.0 && minutes == 0.0 && seconds < 1e-320;
    if (check_warning(c, effects, distance == 0.0, zero_time, may_be_zero_time)) return;

    // set_text, list_clear, nine list_add, list_select_prefix, set_focus.
    FUZZ_CHECK(effects.size() == 13, describe(c, effects));
    std::vector<Call> calls;
    for (const auto& e : effects) calls.push_back(parse_call(e));
    FUZZ_CHECK(calls[0].op == "set_text" && calls[0].control == quorran::IDC_PACE_RESULT, describe(c, effects));
    FUZZ_CHECK(calls[1].op == "list_clear" && calls[1].control == quorran::IDC_OTHER_FORMATS, describe(c, effects));
    for (std::size_t i = 0; i < 9; ++i) {
        const Call& add = calls[2 + i];
        FUZZ_CHECK(add.op == "list_add" && add.control == quorran::IDC_OTHER_FORMATS, describe(c, effects));
        FUZZ_CHECK(add.text.size() <= TEXT_LIMIT && printable(add.text), describe(c, effects));
        FUZZ_CHECK(add.text.starts_with(" "), describe(c, effects));
        // Each line ends with its unit, unless the number filled the whole line.
        FUZZ_CHECK(add.text.size() == TEXT_LIMIT || add.text.ends_with(OTHER_FORMAT_ENDINGS[i]),
                   describe(c, effects));
    }
    const Call& select = calls[11];
    FUZZ_CHECK(select.op == "list_select_prefix" && select.control == quorran::IDC_OTHER_FORMATS &&
                   select.text.starts_with("0 | "),
               describe(c, effects));
    const std::string prefix = select.text.substr(4);
    FUZZ_CHECK(!prefix.empty() && prefix.size() <= PREFIX_LIMIT && printable(prefix), describe(c, effects));
    // Searching from the second line on, the first match must be the per-400 m line.
    FUZZ_CHECK(starts_with_ignoring_case(calls[3].text, prefix), describe(c, effects));
    FUZZ_CHECK(calls[12].op == "set_focus" && calls[12].control == quorran::IDC_PACE_DISTANCE, describe(c, effects));

    const std::string& result = calls[0].text;
    FUZZ_CHECK(result.size() <= TEXT_LIMIT && printable(result), describe(c, effects));
    FUZZ_CHECK(result.size() == TEXT_LIMIT || result.ends_with(" per mile"), describe(c, effects));
}

void check_find_finish_time(const Case& c) {
    RecordingView view = view_of(c);
    quorran::CalculatorCommands(view).on_command(quorran::IDC_FINISH_CALCULATE);
    const auto effects = view.effects();

    const double distance = entry_distance(c.fields[4], c.finish_miles);
    const double g = c.per_mile ? 1.0 : KM_PER_MILE;
    const double pace_minutes = std::fabs(entry_value(c.fields[5]) * g);
    const double pace_seconds = std::fabs(entry_value(c.fields[6]) * g);
    const bool zero_pace = pace_minutes == 0.0 && pace_seconds == 0.0;
    // A tiny pace over a tiny distance is a zero time too, and a pace of a few
    // subnormal seconds vanishes when turned into minutes, even over an infinite
    // distance (where zero times infinity has no value, which counts as no time).
    const bool tiny_pace = pace_minutes < 1e-290 && pace_seconds < 1e-290;
    const bool may_be_zero_time = tiny_pace || (pace_minutes + pace_seconds) * std::fabs(distance) < 1e-290;
    if (check_warning(c, effects, distance == 0.0, zero_pace, may_be_zero_time)) return;

    std::vector<Call> calls;
    for (const auto& e : effects) calls.push_back(parse_call(e));
    FUZZ_CHECK(calls.size() >= 3, describe(c, effects));
    FUZZ_CHECK(calls[0].op == "set_text" && calls[0].control == quorran::IDC_FINISH_RESULT, describe(c, effects));
    FUZZ_CHECK(calls[0].text.size() <= TEXT_LIMIT && printable(calls[0].text), describe(c, effects));
    FUZZ_CHECK(calls[1].op == "list_clear" && calls[1].control == quorran::IDC_SPLITS, describe(c, effects));

    // The labels the rows must carry: every mark short of the finish, then the finish
    // itself; a race beyond the marathon stops at the marathon mark.
    std::vector<std::string_view> labels;
    if (distance > 2.0) {
        for (const auto& mark : MARKS) {
            if (mark.miles < distance) labels.push_back(mark.label);
        }
        if (!(distance > MARKS.back().miles)) labels.push_back(FINISH_LABEL);
    }
    const std::size_t rows = labels.size();
    const std::size_t select = rows == 0 ? 0 : 1;
    FUZZ_CHECK(calls.size() == 2 + rows + select + 1, describe(c, effects));
    for (std::size_t i = 0; i < rows; ++i) {
        const Call& add = calls[2 + i];
        FUZZ_CHECK(add.op == "list_add" && add.control == quorran::IDC_SPLITS, describe(c, effects));
        FUZZ_CHECK(add.text.size() <= TEXT_LIMIT && printable(add.text), describe(c, effects));
        FUZZ_CHECK(add.text.starts_with(labels[i]), describe(c, effects) + "\nrow " + std::to_string(i) +
                                                        " should begin with \"" + std::string(labels[i]) + "\"");
    }
    if (rows > 0) {
        const Call& sel = calls[2 + rows];
        FUZZ_CHECK(sel.op == "list_select_prefix" && sel.control == quorran::IDC_SPLITS &&
                       sel.text == "0 | " + std::string(MARKS[0].label),
                   describe(c, effects));
    }
    const Call& focus = calls.back();
    FUZZ_CHECK(focus.op == "set_focus" && focus.control == quorran::IDC_FINISH_DISTANCE, describe(c, effects));
}

// Any control but the four buttons does nothing at all.
void check_other_control(const Case& c, int control) {
    RecordingView view = view_of(c);
    quorran::CalculatorCommands(view).on_command(control);
    std::vector<std::string> expected;
    if (control == quorran::IDC_ABOUT) expected.push_back("inform | " + std::string(quorran::ABOUT_TEXT));
    if (control == quorran::IDC_CLOSE) expected.push_back("close 0");
    if (control == quorran::IDC_PACE_CALCULATE || control == quorran::IDC_FINISH_CALCULATE) return;
    FUZZ_CHECK(view.calls == expected, describe(c, view.calls) + "\ncontrol " + std::to_string(control));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    Case c;
    c.pace_miles = (data[0] & 1) != 0;
    c.finish_miles = (data[0] & 2) != 0;
    c.per_mile = (data[0] & 4) != 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    std::size_t field = 0;
    for (const char ch : rest) {
        if (ch == '|' && field + 1 < c.fields.size()) {
            ++field;
        } else {
            c.fields[field] += ch;
        }
    }

    switch (data[1] % 4) {
        case 0: check_find_pace(c); break;
        case 1: check_find_finish_time(c); break;
        case 2:
            check_find_pace(c);
            check_find_finish_time(c);
            break;
        default: check_other_control(c, 990 + data[1] / 4 % 50); break;
    }
    return 0;
}
