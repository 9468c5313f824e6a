#include "tests/memory_view.h"

#include <algorithm>
#include <cctype>

#include "core/dialog/calculator_commands.h"
#include "core/dialog/messages.h"

namespace quorran::testing {

MemoryView::MemoryView() { on_open(*this); }

std::vector<std::string> MemoryView::state() const {
    std::vector<std::string> all{"focus = " + std::to_string(focus), "closed = " + std::to_string(closed)};
    for (const auto& [id, text] : texts) all.push_back(std::to_string(id) + " = " + text);
    for (const auto& [id, items] : lists) {
        all.push_back(std::to_string(id) + " rows = " + std::to_string(items.size()));
        for (std::size_t i = 0; i < items.size(); ++i) all.push_back(std::to_string(id) + "[" + std::to_string(i) + "] = " + items[i]);
    }
    for (const int id : checked) all.push_back("checked " + std::to_string(id));
    for (const auto& box : boxes) all.push_back("box = " + box);
    return all;
}

bool MemoryView::is_checked(int control) const { return checked.contains(control); }

void MemoryView::check_radio(int first, int last, int control) {
    for (int id = first; id <= last; ++id) checked.erase(id);
    checked.insert(control);
}

std::string MemoryView::get_text(int control) const {
    const auto it = texts.find(control);
    return it == texts.end() ? std::string() : it->second.substr(0, TEXT_LIMIT);
}

void MemoryView::set_text(int control, std::string_view text) { texts[control] = text; }

void MemoryView::list_clear(int control) {
    lists[control].clear();
    texts[control].clear();
}

void MemoryView::list_add(int control, std::string_view text) { lists[control].emplace_back(text); }

void MemoryView::list_select_prefix(int control, int after_index, std::string_view prefix) {
    const auto& items = lists[control];
    const int count = static_cast<int>(items.size());
    for (int step = 1; step <= count; ++step) {
        const auto& item = items[static_cast<std::size_t>(((after_index + step) % count + count) % count)];
        const auto same = [](char a, char b) { return std::tolower(a) == std::tolower(b); };
        if (item.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), item.begin(), same)) {
            texts[control] = item;
            return;
        }
    }
}

void MemoryView::set_focus(int control) { focus = control; }
void MemoryView::warn(std::string_view text) { boxes.push_back(message_box("warning", text)); }
void MemoryView::inform(std::string_view text) { boxes.push_back(message_box("information", text)); }

std::string message_box(std::string_view kind, std::string_view text) {
    return std::string(MESSAGE_CAPTION) + " | " + std::string(kind) + " | " + std::string(text);
}
void MemoryView::close(int result) { closed = result; }

}  // namespace quorran::testing
