#pragma once

#include <string>

#include "core/toolbox/tool.h"

// One JSON shape for every tool's answer, refusal or warning: what was read, then the
// report with every number unrounded and its unit named. docs/quorran-cli.schema.json
// describes it.
namespace quorran {

// The JSON object of a tool's outcome.
std::string outcome_json(const Tool& tool, const Outcome& outcome);

// The JSON object of a report alone, as the outcome's gives it: what the page draws.
std::string report_json(const Report& report);

// The JSON object of a command line that names no tool it can run, or reads wrongly.
std::string usage_error_json(std::string_view tool, std::string_view message);

}  // namespace quorran
