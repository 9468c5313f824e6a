#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/dialog/calculator_view.h"

namespace quorran::testing {

// A front end's dialog as the view-behaviour suite drives and reads it.
class DialogProbe {
public:
    virtual ~DialogProbe() = default;
    // The CalculatorView the dialog's commands run on.
    virtual CalculatorView& view() = 0;
    // The control's command, as the dialog receives it; any message box is answered OK.
    virtual void command(int control) = 0;
    virtual void type(int control, std::string_view text) = 0;
    virtual bool checked(int control) = 0;
    // The text the control shows; for a list, its edit field from where it is shown.
    virtual std::string shown(int control) = 0;
    virtual std::vector<std::string> items(int list) = 0;
    virtual int focus() = 0;
    // The message boxes shown since the last call, each "caption | warning or information | text".
    virtual std::vector<std::string> boxes() = 0;
    virtual bool open() = 0;
};

// What every front end's view must do: set-up, texts, lists and selection, focus,
// message boxes, Close. Returns the checks that failed (none when all passed).
std::vector<std::string> check_view_behaviour(DialogProbe& dialog);

}  // namespace quorran::testing
