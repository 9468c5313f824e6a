#pragma once

#include "core/dialog/calculator_view.h"

namespace quorran {

// Carries out the command of each control the dialog reports: About, Close,
// Find Pace and Find Finish Time. Keeps no state between commands.
class CalculatorCommands {
public:
    explicit CalculatorCommands(CalculatorView& view);
    // What the dialog does when it opens.
    void open();
    void on_command(int control);

private:
    CalculatorView& view_;
};

// The Find Pace group's entries as its Calculate reads them.
struct PaceEntries {
    double distance_miles, hours, minutes, seconds;
};
PaceEntries read_pace_entries(const CalculatorView& view);

// The Find Finish Time group's entries as its Calculate reads them: the pace per mile,
// a per-km pace scaled part by part.
struct FinishEntries {
    double distance_miles, pace_minutes, pace_seconds;
};
FinishEntries read_finish_entries(const CalculatorView& view);

void on_open(CalculatorView& view);
void on_about(CalculatorView& view);
void on_close(CalculatorView& view);
void on_find_pace(CalculatorView& view);
void on_find_finish_time(CalculatorView& view);

}  // namespace quorran
