#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/toolbox/tool.h"

// Running a tool on the texts of its entries, as the command line, the windows and the
// page give them.
namespace quorran {

// The texts given for some of a tool's params, by name; the others take their fallback.
using Entries = std::vector<std::pair<std::string_view, std::string>>;

// Reads every entry and runs the tool: the first refusal, or its outcome.
Outcome run_tool(const Tool& tool, const Entries& entries);

// The same for the pace dialog's own fields of a tool that has them (Tool::dialog).
Outcome run_dialog_fields(const Tool& tool, const Entries& fields);

// Whether the param's bare values are read in km (or per km) with these entries: its
// bare_km_flag is among them.
bool bare_in_km(const Param& param, const Entries& entries);

}  // namespace quorran
