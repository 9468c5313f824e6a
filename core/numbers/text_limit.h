#pragma once

#include <cstddef>

namespace quorran {

// Characters of the text buffer every command reads an entry into and builds a result
// in, its terminator aside; also the longest text a list's edit field takes.
inline constexpr std::size_t TEXT_LIMIT = 79;

}  // namespace quorran
