#include "tests/recording_view.h"

#include <algorithm>

namespace quorran::testing {

namespace {
std::string line(std::string_view op, int control, std::string_view text = {}) {
    std::string s(op);
    s += ' ';
    s += std::to_string(control);
    if (!text.empty()) {
        s += " | ";
        s += text;
    }
    return s;
}
bool is_read(const std::string& call) { return call.starts_with("is_checked") || call.starts_with("get_text"); }
}  // namespace

void RecordingView::record(std::string call) const {
    calls.push_back(std::move(call));
}

std::vector<std::string> RecordingView::effects() const {
    std::vector<std::string> out;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(out), [](const auto& c) { return !is_read(c); });
    return out;
}

bool RecordingView::is_checked(int control) const {
    record(line("is_checked", control));
    return checked.contains(control);
}

std::string RecordingView::get_text(int control) const {
    record(line("get_text", control));
    const auto it = texts.find(control);
    return it == texts.end() ? std::string() : it->second.substr(0, TEXT_LIMIT);
}

void RecordingView::set_text(int control, std::string_view text) { record(line("set_text", control, text)); }
void RecordingView::list_clear(int control) { record(line("list_clear", control)); }
void RecordingView::list_add(int control, std::string_view text) { record(line("list_add", control, text)); }
void RecordingView::list_select_prefix(int control, int after_index, std::string_view prefix) {
    record(line("list_select_prefix", control, std::to_string(after_index) + " | " + std::string(prefix)));
}
void RecordingView::set_focus(int control) { record(line("set_focus", control)); }
void RecordingView::warn(std::string_view text) { record("warn | " + std::string(text)); }
void RecordingView::inform(std::string_view text) { record("inform | " + std::string(text)); }
void RecordingView::close(int result) { record("close " + std::to_string(result)); }

}  // namespace quorran::testing
