#include "core/toolbox/tool_list.h"

#include <algorithm>
#include <vector>

namespace quorran {

std::span<const Tool> tools() {
    static const std::vector<Tool> in_menu_order = [] {
        std::vector<Tool> all;
        for (const Tool* tool : listed_tools()) all.push_back(*tool);
        std::stable_sort(all.begin(), all.end(), [](const Tool& a, const Tool& b) { return a.menu_place < b.menu_place; });
        return all;
    }();
    return in_menu_order;
}

const Tool* find_tool(std::string_view name) {
    const auto all = tools();
    const auto at = std::find_if(all.begin(), all.end(), [name](const Tool& tool) { return tool.name == name; });
    return at == all.end() ? nullptr : &*at;
}

std::size_t tool_index(const Tool& tool) { return static_cast<std::size_t>(&tool - tools().data()); }

const Param* find_param(const Tool& tool, std::string_view name) {
    const auto at = std::find_if(tool.params.begin(), tool.params.end(), [name](const Param& p) { return p.name == name; });
    return at == tool.params.end() ? nullptr : &*at;
}

}  // namespace quorran
