#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/dialog/calculator_view.h"

namespace quorran::testing {

// The dialog held in memory, as a user would see it: what each control shows, which
// buttons are checked, the lists' items, where the focus is, the message boxes shown
// (as message_box writes them) and the result the dialog was closed with.
// It opens as the dialog does.
class MemoryView final : public CalculatorView {
public:
    MemoryView();

    std::map<int, std::string> texts;  // entry fields as typed, results, lists' edit fields
    std::set<int> checked;
    std::map<int, std::vector<std::string>> lists;
    int focus = 0;
    std::vector<std::string> boxes;
    int closed = -1;

    // Everything a user can see, one text each: "1013 = text" for a shown text, "1031[1] = line"
    // for a list item, "focus = 1002", "box = " and the message box, "closed = 0".
    std::vector<std::string> state() const;

    bool is_checked(int control) const override;
    void check_radio(int first, int last, int checked) override;
    std::string get_text(int control) const override;
    void set_text(int control, std::string_view text) override;
    void list_clear(int control) override;
    void list_add(int control, std::string_view text) override;
    void list_select_prefix(int control, int after_index, std::string_view prefix) override;
    void set_focus(int control) override;
    void warn(std::string_view text) override;
    void inform(std::string_view text) override;
    void close(int result) override;
};

// A message box as the dialog suites read it: "caption | warning | text" (or information).
std::string message_box(std::string_view kind, std::string_view text);

}  // namespace quorran::testing
