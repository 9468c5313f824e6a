#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// What every harness does on a broken invariant: say what broke and on which input,
// then abort, so that libFuzzer keeps the input as a finding.
namespace quorran::fuzz {

// The text with every byte outside printable ASCII written as \xHH.
inline std::string escaped(std::string_view text) {
    std::string out;
    for (const unsigned char c : text) {
        char hex[8];
        std::snprintf(hex, sizeof hex, c >= 0x20 && c < 0x7f && c != '\\' ? "%c" : "\\x%02x", c);
        out += hex;
    }
    return out;
}

}  // namespace quorran::fuzz

// Checks condition; detail (a std::string expression) is built only on failure.
#define FUZZ_CHECK(condition, detail)                                                                      \
    do {                                                                                                   \
        if (!(condition))                                                                                  \
            std::fprintf(stderr, "\n%s:%d: broken invariant: %s\n%s\n", __FILE__, __LINE__, #condition,    \
                         std::string(detail).c_str()),                                                     \
                std::abort();                                                                              \
    } while (false)
