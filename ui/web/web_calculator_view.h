#pragma once

#include "core/dialog/calculator_view.h"

namespace quorran {

// The view operations on the page's controls, each addressed by its control
// identifier. The page script (page.js) draws the controls and carries out each
// operation; a message box shows without waiting, which is enough because every
// command ends with its message.
class WebCalculatorView final : public CalculatorView {
public:
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
    // A tab is closed by the browser; the page never ends itself.
    void close(int result) override;
};

}  // namespace quorran
