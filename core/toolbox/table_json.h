#pragma once

#include <span>
#include <string>

#include "core/toolbox/tool.h"

// The tool table itself as JSON, for programs that build their own forms: every tool
// with its params (kind, forms, range in the value's unit, default, example, choices).
namespace quorran {

// {"tool": null or the one tool's name, "status": "help", "tools": [...]}
std::string table_json(std::span<const Tool> tools, const Tool* only = nullptr);

}  // namespace quorran
