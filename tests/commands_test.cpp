// Every command through the in-memory dialog: what each one changes, and nothing more
// where the table says so. Absurd entries (1e999 reads as infinity) show "inf" or "nan",
// and every text is cut to 79 characters.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/dialog/calculator_commands.h"
#include "core/dialog/control_ids.h"
#include "core/dialog/messages.h"
#include "tests/memory_view.h"
#include "tests/view_behaviour.h"

namespace quorran {
namespace {

using testing::MemoryView;
using Texts = std::vector<std::string>;

// What a user sees now that was not there before.
Texts changes(const MemoryView& before, const MemoryView& after) {
    const Texts old = before.state();
    Texts out;
    for (const auto& line : after.state())
        if (std::find(old.begin(), old.end(), line) == old.end()) out.push_back(line);
    std::sort(out.begin(), out.end());
    return out;
}

struct Case {
    const char* name;
    int command;
    std::vector<std::pair<int, const char*>> entries;
    std::vector<int> unchecked;  // Miles or per mile switched off
    Texts effects;               // among the changes
    bool only = false;           // and no other change
};

const std::string DISTANCE_BOX = "box = " + testing::message_box("warning", DISTANCE_ZERO_WARNING);
const std::string TIME_BOX = "box = " + testing::message_box("warning", TIME_ZERO_WARNING);
const std::string ZEROS(60, '0');  // the rest of a number cut at 79 characters

const Case CASES[] = {
    {"close", IDC_CLOSE, {}, {}, {"closed = 0"}, true},
    // Find Pace, kilometres and shortcuts.
    {"20 km in 2:01:05", IDC_PACE_CALCULATE, {{1002, "20"}, {1006, "2"}, {1008, "1"}, {1010, "5"}}, {IDC_PACE_MILES},
     {"1013 =  9:44.6 per mile", "1031[0] =   6:03.3 per km", "1031 =  145.3 secs or  2:25.3 per 400m"}},
    {"pace, all empty", IDC_PACE_CALCULATE, {}, {}, {DISTANCE_BOX}, true},
    {"pace, no time", IDC_PACE_CALCULATE, {{1002, "10"}}, {}, {TIME_BOX}, true},
    // Find Finish Time.
    {"a mile at 4:30 per km", IDC_FINISH_CALCULATE, {{1014, "1"}, {1020, "4"}, {1022, "30"}}, {IDC_PER_MILE},
     {"1025 =  7 mins, 14.5 secs", "1027 rows = 0", "focus = 1014"}},
    {"finish, zero pace per km", IDC_FINISH_CALCULATE, {{1014, "5"}, {1020, "0"}, {1022, "-0"}}, {IDC_FINISH_MILES, IDC_PER_MILE},
     {TIME_BOX}, true},
    // Absurd entries.
    {"a mile in 1e999 hours", IDC_PACE_CALCULATE, {{1002, "1"}, {1006, "1e999"}}, {},
     {"1013 = nan: nan per mile", "1031 =  nan secs or nan: nan per 400m"}},
    {"an hour over 1e999 miles", IDC_PACE_CALCULATE, {{1002, "1e999"}, {1006, "1"}}, {}, {"1013 =  0:00.0 per mile", "1031[3] =   inf km/h"}},
    {"an hour over 1e-300 miles", IDC_PACE_CALCULATE, {{1002, "1e-300"}, {1006, "1"}}, {}, {"1013 = 6000000000000000100" + ZEROS}},
    {"1e999 miles at 1:00", IDC_FINISH_CALCULATE, {{1014, "1e999"}, {1020, "1"}}, {},
     {"1025 = nan hours, nan mins, nan secs", "1027 rows = 36", "1027[35] = Mar             26:13.1"}},
    {"a mile at 1e300 minutes", IDC_FINISH_CALCULATE, {{1014, "1"}, {1020, "1e300"}}, {}, {"1025 = 1666666666666666800" + ZEROS}},
    {"1e999 miles at 0:00", IDC_FINISH_CALCULATE, {{1014, "1e999"}, {1020, "0"}}, {}, {TIME_BOX}, true},
    {"a time that underflows", IDC_FINISH_CALCULATE, {{1014, "1e-200"}, {1020, "1e-200"}}, {}, {TIME_BOX}, true},
    // Only the four buttons have a command.
    {"an entry field", IDC_PACE_DISTANCE, {{1002, "10"}, {1006, "1"}}, {}, {}, true},
    {"Escape's cancel", 2, {}, {}, {}, true},
};

TEST(Commands, Effects) {
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.name);
        MemoryView view;
        for (const auto& [id, text] : c.entries) view.texts[id] = text;
        for (const int id : c.unchecked) view.checked.erase(id);
        view.focus = c.command;  // a click moves the focus to the button
        const MemoryView before = view;
        CalculatorCommands(view).on_command(c.command);
        const Texts got = changes(before, view);
        for (const auto& effect : c.effects)
            EXPECT_NE(std::find(got.begin(), got.end(), effect), got.end()) << effect;
        Texts want = c.effects;
        std::sort(want.begin(), want.end());
        EXPECT_TRUE(!c.only || got == want) << ::testing::PrintToString(got);
    }
}

// The view-behaviour suite on the in-memory dialog.
class MemoryProbe final : public testing::DialogProbe {
public:
    CalculatorView& view() override { return view_; }
    void command(int control) override { commands_.on_command(control); }
    void type(int control, std::string_view text) override { view_.texts[control] = text; }
    bool checked(int control) override { return view_.is_checked(control); }
    std::string shown(int control) override { return view_.texts[control]; }
    Texts items(int list) override { return view_.lists[list]; }
    int focus() override { return view_.focus; }
    Texts boxes() override { return std::exchange(view_.boxes, {}); }
    bool open() override { return view_.closed == -1; }

private:
    MemoryView view_;
    CalculatorCommands commands_{view_};
};

TEST(Commands, ViewBehaviour) {
    MemoryProbe probe;
    EXPECT_EQ(check_view_behaviour(probe), Texts{});
}

}  // namespace
}  // namespace quorran
