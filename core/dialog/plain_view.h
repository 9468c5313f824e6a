#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/dialog/calculator_view.h"

namespace quorran {

// The dialog's controls as plain values, with no window: what a command reads is typed
// beforehand, what it writes is kept to be read back. The tools that run the dialog's
// own commands (pace and finish) run them on this.
class PlainView final : public CalculatorView {
public:
    void type(int control, std::string_view text) { texts_[control] = std::string(text); }

    std::string text(int control) const;
    const std::vector<std::string>& items(int control) const;
    const std::optional<std::string>& warning() const { return warning_; }

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
    std::set<int> checked_;
    std::map<int, std::string> texts_;
    std::map<int, std::vector<std::string>> lists_;
    std::optional<std::string> warning_;
};

}  // namespace quorran
