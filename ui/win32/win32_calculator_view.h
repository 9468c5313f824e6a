#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "core/dialog/calculator_view.h"

namespace quorran {

// CalculatorView on a dialog window: each operation is one user32 call on the
// control of that identifier.
class Win32CalculatorView final : public CalculatorView {
public:
    explicit Win32CalculatorView(HWND dialog) : dialog_(dialog) {}

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

private:
    void message_box(std::string_view text, UINT icon);

    HWND dialog_;
};

}  // namespace quorran
