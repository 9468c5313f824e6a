#pragma once

#include <cstdint>
#include <string>

#include "core/numbers/number_text.h"

// The exact reference for the number scanner and formatter, shared by the tests and
// the fuzzers: slow, simple arithmetic on decimal digit strings that plainly follows
// the rules.
namespace quorran::exact {

// 0.d1d2d3... x 10^point, digits without leading or trailing zeros; zero has none.
// Positive values compare by value.
struct Decimal {
    long point = 0;
    std::string digits;
    // Written out, as not every C++ library compares strings with <=> yet.
    friend bool operator==(const Decimal&, const Decimal&) = default;
    friend bool operator<(const Decimal& a, const Decimal& b) {
        return a.point != b.point ? a.point < b.point : a.digits < b.digits;
    }
};

// The exact value of m x 2^e.
Decimal from_binary(std::uint64_t m, int e);

// What scan_number must read: the longest leading decimal number of text, its first
// 24 significant digits rounded to the nearest double, ties to the even one.
double scan(std::string_view text);

// What format_text must build from a format made of text, %%, %s and %[0]W[.P]f:
// numbers rounded in two stages, 17 significant digits half up, then P decimals half
// up; the whole text cut to limit characters.
std::string format_text(std::string_view format, std::initializer_list<FormatArg> args,
                        std::size_t limit = TEXT_LIMIT);

}  // namespace quorran::exact
