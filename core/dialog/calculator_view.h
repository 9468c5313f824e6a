#pragma once

#include <string>
#include <string_view>

#include "core/numbers/text_limit.h"

namespace quorran {

// The window operations every command flow needs. The dialog of each front end
// implements it; tests and the command-line companion implement it without a window.
class CalculatorView {
public:
    virtual ~CalculatorView() = default;
    virtual bool is_checked(int control) const = 0;
    // Checks the radio button `checked` of the group first..last and clears the others.
    virtual void check_radio(int first, int last, int checked) = 0;
    // The first TEXT_LIMIT characters of the control's text.
    virtual std::string get_text(int control) const = 0;
    virtual void set_text(int control, std::string_view text) = 0;
    // Removes every item of a drop-down list and empties its edit field.
    virtual void list_clear(int control) = 0;
    // Appends an item at the end; the lists are not sorted.
    virtual void list_add(int control, std::string_view text) = 0;
    // Selects the first item that begins with prefix (letter case ignored), searching
    // from the item after after_index to the end, then from the first item round;
    // shows it in the edit field. Changes nothing when no item matches.
    virtual void list_select_prefix(int control, int after_index, std::string_view prefix) = 0;
    virtual void set_focus(int control) = 0;
    // Message boxes captioned "Quorix"; each returns when the user dismisses it.
    virtual void warn(std::string_view text) = 0;
    virtual void inform(std::string_view text) = 0;
    virtual void close(int result) = 0;
};

}  // namespace quorran
