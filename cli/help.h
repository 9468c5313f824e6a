#pragma once

#include <string>
#include <string_view>

#include "core/toolbox/tool_list.h"

// Everything quorran-cli says about itself, made from the tool table: the help of the
// program and of each subcommand, and at build time the manual page's synopsis and
// subcommands and the bash completion, so no copy can drift from the table.
namespace quorran::cli {

// The option that reads pace's and finish's entries as the dialog's fields, and what it does.
inline constexpr std::string_view DIALOG_OPTION = "--dialog";
inline constexpr std::string_view DIALOG_FIELDS_TEXT =
    "read the entries as the pace dialog's fields, exactly as the dialog reads them (read so anyway when every "
    "field is a plain number, or m or h for the marathon or half, and refused otherwise when the dialog would "
    "read one only in part)";

// "predict [--km] DISTANCE TIME [--model riegel|cameron] [--exponent E]"; with
// dialog_fields, the form of the dialog's fields: "pace --dialog [--km] [DISTANCE [HOURS ...]]".
std::string synopsis(const Tool& tool, bool dialog_fields = false);

std::string program_help();
std::string tool_help(const Tool& tool);

// "--model riegel|cameron", "--km"
std::string option_usage(const Param& p);
// What a param of a tool of these params accepts, and its default: "a number from 1.0
// to 1.2 (default 1.06)".
std::string param_description(const Param& p, std::span<const Param> params);
// The tool's purpose and its details, as one text.
std::string purpose_and_details(const Tool& tool);

std::string bash_completion();

}  // namespace quorran::cli
