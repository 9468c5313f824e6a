#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace quorran::cli {

inline constexpr int ANSWERED = 0;
inline constexpr int NO_ANSWER = 1;  // a calculation warning, or standard output unwritable
inline constexpr int REFUSED = 2;    // a usage error or an entry that cannot be taken

// quorran-cli with these arguments (the program's name left out): writes what it prints
// to out and err and returns its exit status.
// units: QUORRAN_UNITS from the environment, "km" or "mi"; empty when unset.
int run_program(std::span<const std::string_view> args, std::ostream& out, std::ostream& err, std::string_view units = {});

}  // namespace quorran::cli
