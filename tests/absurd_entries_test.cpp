// What the calculator shows for absurd entries: numbers beyond the range of a double
// (1e999 reads as infinity), results that overflow or underflow, texts longer than
// their buffers. The answers are defined: infinity prints "inf", a value with no
// meaning (infinity minus infinity, the remainder of infinity) prints "nan", both
// padded with blanks and never with zeros; every text is cut to 79 characters and the
// selection prefix to 11, and the cut prefix still begins the per-400 m line.
//
// The expected texts were worked out apart from the code, by following the
// calculators' steps in IEEE double arithmetic and rounding the exact decimal values
// in two stages.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/calculator_commands.h"
#include "core/control_ids.h"
#include "tests/recording_view.h"

namespace quorran {
namespace {

using testing::RecordingView;

RecordingView pace_view(const std::array<const char*, 4>& fields) {
    RecordingView view;
    view.checked = {IDC_PACE_MILES, IDC_FINISH_MILES, IDC_PER_MILE};
    view.texts[IDC_PACE_DISTANCE] = fields[0];
    view.texts[IDC_PACE_HOURS] = fields[1];
    view.texts[IDC_PACE_MINUTES] = fields[2];
    view.texts[IDC_PACE_SECONDS] = fields[3];
    return view;
}

RecordingView finish_view(const std::array<const char*, 3>& fields) {
    RecordingView view;
    view.checked = {IDC_PACE_MILES, IDC_FINISH_MILES, IDC_PER_MILE};
    view.texts[IDC_FINISH_DISTANCE] = fields[0];
    view.texts[IDC_FINISH_PACE_MINUTES] = fields[1];
    view.texts[IDC_FINISH_PACE_SECONDS] = fields[2];
    return view;
}

// The nine Other Formats lines as recorded list_add calls.
std::vector<std::string> other_formats(const std::array<const char*, 9>& lines) {
    std::vector<std::string> calls;
    for (const char* line : lines) calls.push_back(std::string("list_add 1031 | ") + line);
    return calls;
}

std::vector<std::string> find_pace_effects(const std::string& result, const std::array<const char*, 9>& lines,
                                           const std::string& prefix) {
    std::vector<std::string> effects{"set_text 1013 | " + result, "list_clear 1031"};
    for (auto& call : other_formats(lines)) effects.push_back(call);
    effects.push_back("list_select_prefix 1031 | 0 | " + prefix);
    effects.push_back("set_focus 1002");
    return effects;
}

struct PaceCase {
    const char* name;
    std::array<const char*, 4> fields;  // distance (miles), hours, minutes, seconds
    std::vector<std::string> effects;
};

const PaceCase PACE_CASES[] = {
    {"1e999 hours over a mile: an infinite pace, whose whole minutes (infinity less the "
     "remainder of infinity) and seconds have no value",
     {"1", "1e999", "", ""},
     find_pace_effects("nan: nan per mile",
                       {" nan: nan per km", " nan secs or nan: nan per 400m", "  nan mins/mile", "  nan km/h",
                        "  nan MPH", "  nan meters/sec", "  nan meters/min", "  nan feet/sec", "  nan feet/min"},
                       " nan")},
    {"an hour over 1e-300 miles: a pace of 6e301 minutes fills whole lines with digits",
     {"1e-300", "1", "", ""},
     find_pace_effects("6000000000000000100000000000000000000000000000000000000000000000000000000000000",
                       {" 372822715342400370000000000000000000000000000000000000000000000000000000000000",
                        " 894774516821760900000000000000000000000000000000000000000000000000000000000000",
                        " 600000000000000010000000000000000000000000000000000000000000000000000000000000",
                        " 0.00 km/h", " 0.00 MPH", " 0.00 meters/sec", "  0.0 meters/min", " 0.00 feet/sec",
                        "  0.0 feet/min"},
                       " 8947745168")},
    {"1e300 minutes over a mile",
     {"1", "", "1e300", ""},
     find_pace_effects("1000000000000000100000000000000000000000000000000000000000000000000000000000000",
                       {" 621371192237333960000000000000000000000000000000000000000000000000000000000000",
                        " 149129086136960150000000000000000000000000000000000000000000000000000000000000",
                        " 100000000000000010000000000000000000000000000000000000000000000000000000000000",
                        " 0.00 km/h", " 0.00 MPH", " 0.00 meters/sec", "  0.0 meters/min", " 0.00 feet/sec",
                        "  0.0 feet/min"},
                       " 1491290861")},
    {"150000 hours over a mile: the 400 m time needs 12 characters, the prefix keeps 11",
     {"1", "150000", "", ""},
     find_pace_effects("9000000:00.0 per mile",
                       {" 5592340:43.8 per km", " 134216177.5 secs or 2236936:17.5 per 400m", " 9000000.00 mins/mile",
                        " 0.00 km/h", " 0.00 MPH", " 0.00 meters/sec", "  0.0 meters/min", " 0.00 feet/sec",
                        "  0.0 feet/min"},
                       " 134216177.")},
    {"an hour over 1e999 miles: a zero pace, infinite speeds",
     {"1e999", "1", "", ""},
     find_pace_effects(" 0:00.0 per mile",
                       {"  0:00.0 per km", " 0.0 secs or  0:00.0 per 400m", " 0.00 mins/mile", "  inf km/h",
                        "  inf MPH", "  inf meters/sec", "  inf meters/min", "  inf feet/sec", "  inf feet/min"},
                       " 0.0")},
    {"1e999 hours over 1e999 miles: infinity over infinity has no value",
     {"1e999", "1e999", "", ""},
     find_pace_effects("nan: nan per mile",
                       {" nan: nan per km", " nan secs or nan: nan per 400m", "  nan mins/mile", "  nan km/h",
                        "  nan MPH", "  nan meters/sec", "  nan meters/min", "  nan feet/sec", "  nan feet/min"},
                       " nan")},
    {"1e-308 hours over 1e308 miles: the pace underflows to zero",
     {"1e308", "1e-308", "", ""},
     find_pace_effects(" 0:00.0 per mile",
                       {"  0:00.0 per km", " 0.0 secs or  0:00.0 per 400m", " 0.00 mins/mile", "  inf km/h",
                        "  inf MPH", "  inf meters/sec", "  inf meters/min", "  inf feet/sec", "  inf feet/min"},
                       " 0.0")},
    {"1e-320 seconds over a mile: a subnormal running time",
     {"1", "", "", "1e-320"},
     find_pace_effects(" 0:00.0 per mile",
                       {"  0:00.0 per km", " 0.0 secs or  0:00.0 per 400m", " 0.00 mins/mile", "  inf km/h",
                        "  inf MPH", "  inf meters/sec", "  inf meters/min", "  inf feet/sec", "  inf feet/min"},
                       " 0.0")},
};

TEST(AbsurdEntries, FindPaceShowsDefinedTexts) {
    for (const auto& c : PACE_CASES) {
        SCOPED_TRACE(c.name);
        RecordingView view = pace_view(c.fields);
        CalculatorCommands(view).on_command(IDC_PACE_CALCULATE);
        EXPECT_EQ(view.effects(), c.effects);
    }
}

struct FinishCase {
    const char* name;
    std::array<const char*, 3> fields;  // distance (miles), pace minutes, pace seconds
    std::string result;
    std::size_t rows;
    std::vector<std::pair<std::size_t, std::string>> some_rows;  // row index and text
};

const FinishCase FINISH_CASES[] = {
    {"a mile at 1e300 minutes per mile: the hours fill the whole text",
     {"1", "1e300", ""},
     "1666666666666666800000000000000000000000000000000000000000000000000000000000000",
     0,
     {}},
    {"1e10 miles at 1e300 minutes per mile: an infinite time; finite split times fill their rows",
     {"1e10", "1e300", ""},
     "nan hours, nan mins, nan secs",
     36,
     {{0, " 1 m         166666666666666680000000000000000000000000000000000000000000000000"},
      {3, " 5 km       5178093268644449600000000000000000000000000000000000000000000000000"},
      {35, "Mar        43697916666666669000000000000000000000000000000000000000000000000000"}}},
    {"1e999 miles at 1:00 per mile: an infinite time, splits up to the marathon mark",
     {"1e999", "1", ""},
     "nan hours, nan mins, nan secs",
     36,
     {{0, " 1 m                 1:00.0"},
      {3, " 5 km               3:06.4"},
      {17, "H Mar           13:06.6"},
      {35, "Mar             26:13.1"}}},
    {"a marathon at 1e308 minutes 1e308 seconds: every split after the first overflows",
     {"26.21875", "1e308", "1e308"},
     "nan hours, nan mins, nan secs",
     36,
     {{0, " 1 m         169444444444444460000000000000000000000000000000000000000000000000"},
      {1, " 2 m         nan:nan: nan"},
      {35, "Finish       nan:nan: nan"}}},
};

TEST(AbsurdEntries, FindFinishTimeShowsDefinedTexts) {
    for (const auto& c : FINISH_CASES) {
        SCOPED_TRACE(c.name);
        RecordingView view = finish_view(c.fields);
        CalculatorCommands(view).on_command(IDC_FINISH_CALCULATE);
        const auto effects = view.effects();
        // set_text, list_clear, the rows, the selection when there are rows, set_focus.
        const std::size_t select = c.rows > 0 ? 1 : 0;
        ASSERT_EQ(effects.size(), 3 + c.rows + select);
        EXPECT_EQ(effects.front(), "set_text 1025 | " + c.result);
        EXPECT_EQ(effects[1], "list_clear 1027");
        for (const auto& [index, row] : c.some_rows) {
            EXPECT_EQ(effects[2 + index], "list_add 1027 | " + row);
        }
        for (std::size_t i = 0; i < c.rows; ++i) {
            EXPECT_TRUE(effects[2 + i].starts_with("list_add 1027 | ")) << effects[2 + i];
            EXPECT_LE(effects[2 + i].size(), std::string("list_add 1027 | ").size() + 79) << effects[2 + i];
        }
        if (select) {
            EXPECT_EQ(effects[2 + c.rows], "list_select_prefix 1027 | 0 |  1 m   ");
        }
        EXPECT_EQ(effects.back(), "set_focus 1014");
    }
}

struct RefusalCase {
    const char* name;
    std::array<const char*, 3> fields;  // distance (miles), pace minutes, pace seconds
    const char* warning;
};

// A zero pace over an infinite distance has no time at all, and a tiny pace over a
// tiny distance a time that underflows to zero: both are refused like a zero pace.
const RefusalCase REFUSALS[] = {
    {"a zero pace over 1e999 miles", {"1e999", "0", ""}, "warn | Time cannot be zero."},
    {"zero seconds and no minutes over 1e999 miles", {"1e999", "", "0"}, "warn | Time cannot be zero."},
    {"1e-200 miles at 1e-200 minutes per mile", {"1e-200", "1e-200", ""}, "warn | Time cannot be zero."},
    {"1e-999 miles reads as zero", {"1e-999", "8", "0"}, "warn | Distance cannot be zero."},
};

TEST(AbsurdEntries, NoTimeIsRefusedWithTheFixedWarning) {
    for (const auto& c : REFUSALS) {
        SCOPED_TRACE(c.name);
        RecordingView view = finish_view(c.fields);
        CalculatorCommands(view).on_command(IDC_FINISH_CALCULATE);
        EXPECT_EQ(view.effects(), std::vector<std::string>{c.warning});
    }
}

}  // namespace
}  // namespace quorran
