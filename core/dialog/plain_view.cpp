#include "core/dialog/plain_view.h"

#include "core/numbers/number_text.h"

namespace quorran {

std::string PlainView::text(int control) const {
    const auto it = texts_.find(control);
    return it == texts_.end() ? std::string() : it->second;
}

const std::vector<std::string>& PlainView::items(int control) const {
    static const std::vector<std::string> none;
    const auto it = lists_.find(control);
    return it == lists_.end() ? none : it->second;
}

bool PlainView::is_checked(int control) const { return checked_.contains(control); }

void PlainView::check_radio(int first, int last, int control) {
    for (int id = first; id <= last; ++id) checked_.erase(id);
    checked_.insert(control);
}

std::string PlainView::get_text(int control) const { return text(control).substr(0, TEXT_LIMIT); }

void PlainView::set_text(int control, std::string_view text) { texts_[control] = std::string(text); }

void PlainView::list_clear(int control) { lists_[control].clear(); }

void PlainView::list_add(int control, std::string_view text) { lists_[control].emplace_back(text); }

// Every item is read back, so which one a list shows does not matter here.
void PlainView::list_select_prefix(int, int, std::string_view) {}

void PlainView::set_focus(int) {}

void PlainView::warn(std::string_view text) { warning_ = std::string(text); }

void PlainView::inform(std::string_view) {}

void PlainView::close(int) {}

}  // namespace quorran
