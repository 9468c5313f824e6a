#include "core/toolbox/tool_list.h"

#include <algorithm>
#include <vector>

namespace quorran {

std::span<const Tool> tools() {
    // A handful of tools, put in place one by one (a sort of the library's would weigh
    // more in the page's WebAssembly than all of this).
    static const std::vector<Tool> in_menu_order = [] {
        std::vector<Tool> all;
        for (const Tool* tool : listed_tools()) {
            std::size_t at = all.size();
            while (at > 0 && all[at - 1].menu_place > tool->menu_place) --at;
            all.insert(all.begin() + static_cast<std::ptrdiff_t>(at), *tool);
        }
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
