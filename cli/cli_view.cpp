#include "cli/cli_view.h"

#include "core/numbers/number_text.h"

namespace quorran {

std::string CliView::text(int control) const {
    const auto it = texts_.find(control);
    return it == texts_.end() ? std::string() : it->second;
}

const std::vector<std::string>& CliView::items(int control) const {
    static const std::vector<std::string> none;
    const auto it = lists_.find(control);
    return it == lists_.end() ? none : it->second;
}

bool CliView::is_checked(int control) const { return checked_.contains(control); }

void CliView::check_radio(int first, int last, int control) {
    for (int id = first; id <= last; ++id) checked_.erase(id);
    checked_.insert(control);
}

std::string CliView::get_text(int control) const { return text(control).substr(0, TEXT_LIMIT); }

void CliView::set_text(int control, std::string_view text) { texts_[control] = std::string(text); }

void CliView::list_clear(int control) { lists_[control].clear(); }

void CliView::list_add(int control, std::string_view text) { lists_[control].emplace_back(text); }

// Every item is printed, so which one a list shows does not matter here.
void CliView::list_select_prefix(int, int, std::string_view) {}

void CliView::set_focus(int) {}

void CliView::warn(std::string_view text) { warning_ = std::string(text); }

void CliView::inform(std::string_view) {}

void CliView::close(int) {}

}  // namespace quorran
