#pragma once

#include <string>
#include <string_view>

#include "core/toolbox/tool_list.h"

// Everything quorran-cli says about itself, made from the tool table: the help of the
// program and of each subcommand, and at build time the manual page's synopsis and
// subcommands and the bash completion, so no copy can drift from the table.
namespace quorran::cli {

// "predict [--km] DISTANCE TIME [--model riegel|cameron] [--exponent E]"
std::string synopsis(const Tool& tool);

std::string program_help();
std::string tool_help(const Tool& tool);

// "--model riegel|cameron", "--km"
std::string option_usage(const Param& p);
// What a param accepts, and its default: "a number from 1.0 to 1.2 (default 1.06)".
std::string param_description(const Param& p);
// The tool's purpose and its details, as one text.
std::string purpose_and_details(const Tool& tool);

std::string bash_completion();

}  // namespace quorran::cli
