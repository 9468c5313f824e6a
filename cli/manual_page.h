#pragma once

#include <string>
#include <string_view>

// quorran-cli's manual page, made whole from its tool table at build time: the name line,
// the synopsis, every subcommand with its entries and options, the entries' forms and the
// examples all come from the table, so none can drift from the program.
namespace quorran::cli {

// The page in troff (man macros), for version.
std::string manual_page(std::string_view version);

}  // namespace quorran::cli
