#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "core/toolbox/tool.h"

// The table of tools: every tool of core/tools/, which the build lists, in the order
// menus show them (each tool's menu_place).
namespace quorran {

std::span<const Tool> tools();
const Tool* find_tool(std::string_view name);
// The tool's place in tools(): the index a window's list gives it.
std::size_t tool_index(const Tool& tool);
const Param* find_param(const Tool& tool, std::string_view name);

// The tools as the build lists them, in no particular order (core/tools/, made by CMake).
std::span<const Tool* const> listed_tools();

}  // namespace quorran
