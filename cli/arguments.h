#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/toolbox/tool_list.h"
#include "core/toolbox/tool_runner.h"

// One reader of quorran-cli's arguments for every subcommand, by the tool table: options
// before or after the subcommand, --opt=value, -- ending the options, -h, --help, -v,
// --version and help [SUBCOMMAND]; subcommands in any letter case. Entries are read as
// runners write them, a number and its unit in two words allowed (10 km); pace and
// finish also take the dialog's own fields.
namespace quorran::cli {

enum class Action { Run, Help, Version, Usage };

// Which of a tool's forms the entries are for: its params, or the dialog's fields.
enum class Form { Entries, DialogFields };

struct CommandLine {
    Action action = Action::Usage;
    const Tool* tool = nullptr;  // the subcommand, or the subject of help (none: the program)
    bool json = false;
    Form form = Form::Entries;
    Entries entries{};      // the tool's entries (or fields), by param name; a flag's text is empty
    std::string error{};    // what is wrong with a command line that cannot run
    // A field the dialog would read only in part, refused before anything runs, saying how
    // the dialog reads it and what to type instead (without --dialog).
    std::optional<Refusal> refusal{};
};

// units: QUORRAN_UNITS as the environment gives it: "km" reads every bare value in km (as
// --km and --per-km do), "mi" or nothing in miles.
CommandLine read_command_line(std::span<const std::string_view> args, std::string_view units = {});

}  // namespace quorran::cli
