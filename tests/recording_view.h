#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/calculator_view.h"

namespace quorran::testing {

// A view that answers reads from preset values and records every call it receives,
// in order, as one line of text each ("set_text 1013 | 8:00.6 per mile").
class RecordingView final : public CalculatorView {
public:
    std::map<int, std::string> texts;  // what get_text answers, before the 79-character cut
    std::set<int> checked;
    mutable std::vector<std::string> calls;  // reads are recorded too

    // The calls that change something or talk to the user: everything but the reads.
    std::vector<std::string> effects() const;

    bool is_checked(int control) const override;
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
    void record(std::string call) const;
};

}  // namespace quorran::testing
