#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/toolbox/tool_list.h"
#include "core/toolbox/tool_runner.h"

// One reader of quorran-cli's arguments for every subcommand, by the tool table: options
// before or after the subcommand, --opt=value, -- ending the options, -h, --help and
// help [SUBCOMMAND].
namespace quorran::cli {

enum class Action { Run, Help, Version, Usage };

struct CommandLine {
    Action action = Action::Usage;
    const Tool* tool = nullptr;  // the subcommand, or the subject of help (none: the program)
    bool json = false;
    Entries entries{};  // the tool's entries, by param name; a flag's text is empty
    std::string error{};  // what is wrong with a command line that cannot run
};

CommandLine read_command_line(std::span<const std::string_view> args);

}  // namespace quorran::cli
