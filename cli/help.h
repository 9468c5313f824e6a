#pragma once

#include <string>
#include <string_view>

#include "core/toolbox/tool_table.h"

// Everything quorran-cli says about itself, made from the tool table: the help of the
// program and of each subcommand, and at build time the manual page's synopsis and
// subcommands and the bash completion, so no copy can drift from the table.
namespace quorran::cli {

// "predict [--km] DISTANCE TIME [--model riegel|cameron] [--exponent E]"
std::string synopsis(const Tool& tool);

std::string program_help();
std::string tool_help(const Tool& tool);

// The manual page: template_text with its synopsis and subcommands, each marked by a
// comment line "(synopsis: made from the tool table)", filled in as troff.
std::string manual_page(std::string_view template_text);

std::string bash_completion();

}  // namespace quorran::cli
