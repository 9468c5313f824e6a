#pragma once

#include <cstdint>
#include <cstring>
#include <version>

#if defined(__cpp_lib_bit_cast)
#include <bit>
#endif

namespace quorran {

// The 64 bits of a double's IEEE representation, and the double they stand for. The
// C++ libraries of some toolchains (Emscripten's among them) have no std::bit_cast yet.
inline std::uint64_t bits_of(double value) {
#if defined(__cpp_lib_bit_cast)
    return std::bit_cast<std::uint64_t>(value);
#else
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
#endif
}

inline double double_of(std::uint64_t bits) {
#if defined(__cpp_lib_bit_cast)
    return std::bit_cast<double>(bits);
#else
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
#endif
}

}  // namespace quorran
