#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/calculator_commands.h"
#include "core/control_ids.h"
#include "core/messages.h"
#include "tests/recording_view.h"

namespace quorran {
namespace {

using testing::RecordingView;
using Calls = std::vector<std::string>;

Calls run(RecordingView& view, int control) {
    CalculatorCommands(view).on_command(control);
    return view.calls;
}

RecordingView pace_view(const char* distance, const char* hours, const char* minutes, const char* seconds,
                        bool miles = true) {
    RecordingView view;
    view.texts = {{IDC_PACE_DISTANCE, distance}, {IDC_PACE_HOURS, hours},
                  {IDC_PACE_MINUTES, minutes}, {IDC_PACE_SECONDS, seconds}};
    if (miles) view.checked.insert(IDC_PACE_MILES);
    return view;
}

RecordingView finish_view(const char* distance, const char* minutes, const char* seconds, bool miles = true,
                          bool per_mile = true) {
    RecordingView view;
    view.texts = {{IDC_FINISH_DISTANCE, distance}, {IDC_FINISH_PACE_MINUTES, minutes},
                  {IDC_FINISH_PACE_SECONDS, seconds}};
    if (miles) view.checked.insert(IDC_FINISH_MILES);
    if (per_mile) view.checked.insert(IDC_PER_MILE);
    return view;
}

TEST(CalculatorCommands, FindPaceReadsThenWritesInOrder) {
    RecordingView view = pace_view("26.21875", "3", "30", "0");
    EXPECT_EQ(run(view, IDC_PACE_CALCULATE), (Calls{
        "is_checked 1004", "get_text 1002", "get_text 1006", "get_text 1008", "get_text 1010",
        "set_text 1013 |  8:00.6 per mile",
        "list_clear 1031",
        "list_add 1031 |   4:58.6 per km",
        "list_add 1031 |  119.4 secs or  1:59.4 per 400m",
        "list_add 1031 |  8.01 mins/mile",
        "list_add 1031 |  12.06 km/h",
        "list_add 1031 |  7.49 MPH",
        "list_add 1031 |  3.35 meters/sec",
        "list_add 1031 |  200.9 meters/min",
        "list_add 1031 |  10.99 feet/sec",
        "list_add 1031 |  659.2 feet/min",
        "list_select_prefix 1031 | 0 |  119.4",
        "set_focus 1002",
    }));
}

TEST(CalculatorCommands, FindPaceInKilometres) {
    RecordingView view = pace_view("20", "2", "1", "5", false);
    const Calls effects = (run(view, IDC_PACE_CALCULATE), view.effects());
    EXPECT_EQ(effects[0], "set_text 1013 |  9:44.6 per mile");
    EXPECT_EQ(effects[2], "list_add 1031 |   6:03.3 per km");
    EXPECT_EQ(effects[3], "list_add 1031 |  145.3 secs or  2:25.3 per 400m");
}

TEST(CalculatorCommands, FindFinishTimeReadsThenWritesInOrder) {
    RecordingView view = finish_view("2.5", "6", "");
    EXPECT_EQ(run(view, IDC_FINISH_CALCULATE), (Calls{
        "is_checked 1016", "is_checked 1029", "get_text 1014", "get_text 1020", "get_text 1022",
        "set_text 1025 | 15 mins, 0.0 secs",
        "list_clear 1027",
        "list_add 1027 |  1 m                 6:00.0",
        "list_add 1027 |  2 m              12:00.0",
        "list_add 1027 | Finish            15:00.0",
        "list_select_prefix 1027 | 0 |  1 m   ",
        "set_focus 1014",
    }));
}

// A per-km pace of 4:30 is 6.437376 min and 48.28032 s per mile, scaled part by part.
TEST(CalculatorCommands, FindFinishTimeWithAPacePerKm) {
    RecordingView view = finish_view("1", "4", "30", true, false);
    run(view, IDC_FINISH_CALCULATE);
    EXPECT_EQ(view.effects()[0], "set_text 1025 |  7 mins, 14.5 secs");
}

// Races of 2 miles or less clear the list and add no row, so nothing is selected.
TEST(CalculatorCommands, ShortRaceEmptiesTheSplits) {
    RecordingView view = finish_view("2", "8", "0");
    run(view, IDC_FINISH_CALCULATE);
    EXPECT_EQ(view.effects(), (Calls{"set_text 1025 | 16 mins, 0.0 secs", "list_clear 1027", "set_focus 1014"}));
}

struct WarningCase {
    const char* name;
    RecordingView view;
    int command;
    std::string_view warning;
};

// After a warning nothing changes: no text, no list, no focus.
TEST(CalculatorCommands, WarningsChangeNothingElse) {
    const WarningCase cases[] = {
        {"pace, all empty", pace_view("", "", "", ""), IDC_PACE_CALCULATE, DISTANCE_ZERO_WARNING},
        {"pace, no time", pace_view("10", "", "", ""), IDC_PACE_CALCULATE, TIME_ZERO_WARNING},
        {"pace, blank before m", pace_view(" m", "3", "", ""), IDC_PACE_CALCULATE, DISTANCE_ZERO_WARNING},
        {"pace, unreadable time", pace_view("m", "abc", "0x10", "inf"), IDC_PACE_CALCULATE, TIME_ZERO_WARNING},
        {"finish, all empty", finish_view("", "", ""), IDC_FINISH_CALCULATE, DISTANCE_ZERO_WARNING},
        {"finish, no pace", finish_view("h", "", ""), IDC_FINISH_CALCULATE, TIME_ZERO_WARNING},
        {"finish, zero pace per km", finish_view("5", "0", "-0", false, false), IDC_FINISH_CALCULATE,
         TIME_ZERO_WARNING},
    };
    for (auto c : cases) {
        run(c.view, c.command);
        EXPECT_EQ(c.view.effects(), Calls{"warn | " + std::string(c.warning)}) << c.name;
    }
}

TEST(CalculatorCommands, AboutAndClose) {
    RecordingView view;
    EXPECT_EQ(run(view, IDC_ABOUT), Calls{"inform | " + std::string(ABOUT_TEXT)});
    EXPECT_TRUE(ABOUT_TEXT.starts_with("Quorran Time Calculator, 03 Jan 2003\n"));
    EXPECT_TRUE(ABOUT_TEXT.ends_with("\nEmpty fields are treated as zero"));
    EXPECT_EQ(std::count(ABOUT_TEXT.begin(), ABOUT_TEXT.end(), '\n'), 8);

    RecordingView closing;
    EXPECT_EQ(run(closing, IDC_CLOSE), Calls{"close 0"});
}

TEST(CalculatorCommands, OtherControlsDoNothing) {
    const int others[] = {IDC_PACE_DISTANCE, IDC_PACE_MILES, IDC_PACE_KM, IDC_PER_KM, IDC_SPLITS,
                          IDC_OTHER_FORMATS, IDC_PACE_RESULT, 2, 1, 0, -1, 65535, 102};
    for (int control : others) {
        RecordingView view = pace_view("10", "1", "0", "0");
        EXPECT_EQ(run(view, control), Calls{}) << control;
    }
}

}  // namespace
}  // namespace quorran
