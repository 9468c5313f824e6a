#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorran {

// One line per toolbox subcommand (distance, predict, vdot, plan, laps) for --help.
std::string toolbox_synopses();

// Runs the toolbox subcommand `name` with its arguments and returns its exit status:
// 0 with its text (or JSON) on standard output, 2 with one line on standard error for a
// bad entry. Empty when name is no toolbox subcommand.
std::optional<int> run_toolbox(std::string_view name, std::span<char* const> args);

}  // namespace quorran
