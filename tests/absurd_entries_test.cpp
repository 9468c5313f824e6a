// What the calculator shows for absurd entries: numbers beyond the range of a double
// (1e999 reads as infinity), results that overflow or underflow, texts longer than
// their buffers. Infinity prints "inf", a value with no meaning (the remainder of
// infinity) prints "nan"; every text is cut to 79 characters and the selection prefix
// to 11, and the cut prefix still begins the per-400 m line. The expected texts follow
// the calculators' steps in double arithmetic, rounded in two stages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/calculator_commands.h"
#include "core/control_ids.h"
#include "tests/recording_view.h"

namespace quorran {
namespace {

using testing::RecordingView;

struct Case {
    const char* name;
    int command;
    std::vector<std::pair<int, const char*>> fields;
    // Expected effects by position: 0 is the result text, 1 the list_clear, then the rows.
    std::vector<std::pair<std::size_t, std::string>> effects;
};

const Case CASES[] = {
    {"1e999 hours over a mile: an infinite pace has no minutes or seconds", IDC_PACE_CALCULATE,
     {{IDC_PACE_DISTANCE, "1"}, {IDC_PACE_HOURS, "1e999"}},
     {{0, "set_text 1013 | nan: nan per mile"}, {3, "list_add 1031 |  nan secs or nan: nan per 400m"},
      {11, "list_select_prefix 1031 | 0 |  nan"}}},
    {"an hour over 1e999 miles: a zero pace, infinite speeds", IDC_PACE_CALCULATE,
     {{IDC_PACE_DISTANCE, "1e999"}, {IDC_PACE_HOURS, "1"}},
     {{0, "set_text 1013 |  0:00.0 per mile"}, {5, "list_add 1031 |   inf km/h"}}},
    {"an hour over 1e-300 miles: a pace of 6e301 minutes is cut to 79 characters", IDC_PACE_CALCULATE,
     {{IDC_PACE_DISTANCE, "1e-300"}, {IDC_PACE_HOURS, "1"}},
     {{0, "set_text 1013 | 6000000000000000100000000000000000000000000000000000000000000000000000000000000"},
      {11, "list_select_prefix 1031 | 0 |  8947745168"}}},
    {"150000 hours over a mile: the 400 m time needs 12 characters, the prefix keeps 11", IDC_PACE_CALCULATE,
     {{IDC_PACE_DISTANCE, "1"}, {IDC_PACE_HOURS, "150000"}},
     {{3, "list_add 1031 |  134216177.5 secs or 2236936:17.5 per 400m"},
      {11, "list_select_prefix 1031 | 0 |  134216177."}}},
    {"1e999 miles at 1:00: an infinite time, splits up to the marathon mark", IDC_FINISH_CALCULATE,
     {{IDC_FINISH_DISTANCE, "1e999"}, {IDC_FINISH_PACE_MINUTES, "1"}},
     {{0, "set_text 1025 | nan hours, nan mins, nan secs"}, {2, "list_add 1027 |  1 m                 1:00.0"},
      {37, "list_add 1027 | Mar             26:13.1"}}},
    {"a mile at 1e300 minutes: the hours fill the text", IDC_FINISH_CALCULATE,
     {{IDC_FINISH_DISTANCE, "1"}, {IDC_FINISH_PACE_MINUTES, "1e300"}},
     {{0, "set_text 1025 | 1666666666666666800000000000000000000000000000000000000000000000000000000000000"}}},
    {"a zero pace over 1e999 miles has no time at all", IDC_FINISH_CALCULATE,
     {{IDC_FINISH_DISTANCE, "1e999"}, {IDC_FINISH_PACE_MINUTES, "0"}},
     {{0, "warn | Time cannot be zero."}}},
    {"a running time that underflows to zero is no time either", IDC_FINISH_CALCULATE,
     {{IDC_FINISH_DISTANCE, "1e-200"}, {IDC_FINISH_PACE_MINUTES, "1e-200"}},
     {{0, "warn | Time cannot be zero."}}},
};

TEST(AbsurdEntries, ShowDefinedTextsWithinTheirBuffers) {
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.name);
        RecordingView view;
        view.checked = {IDC_PACE_MILES, IDC_FINISH_MILES, IDC_PER_MILE};
        for (const auto& [control, text] : c.fields) view.texts[control] = text;
        CalculatorCommands(view).on_command(c.command);
        const auto effects = view.effects();
        for (const auto& [index, effect] : c.effects) {
            ASSERT_LT(index, effects.size());
            EXPECT_EQ(effects[index], effect);
        }
        for (const auto& effect : effects) {
            const std::size_t text_at = effect.rfind(" | ");
            EXPECT_LE(effect.size() - (text_at + 3), 79u) << effect;
        }
    }
}

}  // namespace
}  // namespace quorran
