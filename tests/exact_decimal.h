#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// An exact decimal reference for the number scanner and formatter tests: slow,
// simple arithmetic on digit strings that plainly follows the rules.
namespace quorran::exact {

// A non-negative number: digits x 10^exponent, digits without leading or trailing
// zeros ("" is zero).
struct Decimal {
    std::string digits;
    long exponent = 0;
};

// The exact value of m x 2^e.
Decimal from_binary(std::uint64_t m, int e);

// The exact value of |value| for a finite double.
Decimal expand(double value);

// The value of a decimal text (digits with at most one point) times 10^exponent,
// read from its first `significant` significant digits, later digits as zeros.
Decimal from_text(std::string_view mantissa, long exponent, std::size_t significant);

// Negative, zero or positive as a is less than, equal to or greater than b.
int compare(const Decimal& a, const Decimal& b);

// Whether the double result is the nearest to the non-negative value, ties to the
// even mantissa, with infinity beyond half an ulp above the largest double.
bool is_nearest(const Decimal& value, double result);

// value printed as %W.Pf (zero padded with zero_pad) by the two-stage rounding:
// 17 significant digits half up on the 18th, then P decimals half up.
std::string format_fixed(double value, int width, int precision, bool zero_pad);

}  // namespace quorran::exact
