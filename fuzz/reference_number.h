#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Slow, obviously-correct versions of the number scanner and the two-stage formatter,
// against which the fuzzers check the fast ones. They lean on the C library where the
// C library is exact (strtod rounds correctly; printf with a long precision prints the
// exact decimal expansion of a double) and do the rest on digit strings.
namespace quorran::fuzz {

// The value of the longest leading decimal number of text: leading white space, an
// optional sign, digits with at most one point, an optional e/E/d/D exponent with at
// least one digit. Only the first 24 significant digits count; the rest read as zeros.
// 0.0 when there is no number.
double reference_scan(std::string_view text);

// One argument of reference_format: a number for %W.Pf or a text for %s.
struct ReferenceArg {
    bool is_text = false;
    double number = 0.0;
    std::string text;
};

// The text of format with %W.Pf (optional 0 flag), %s and %% expanded, numbers
// rounded first to 17 significant digits (half up on the 18th) and then to P
// decimals (half up), infinities as "inf"/"-inf" and any NaN as "nan", padded with
// blanks (never zeros) when not finite; cut to limit characters.
std::string reference_format(std::string_view format, const std::vector<ReferenceArg>& args,
                             std::size_t limit);

// One %W.Pf conversion of value, not cut.
std::string reference_number(double value, int width, int precision, bool zero_pad);

// Aborts when the reference itself gets a known answer wrong; call once at start-up.
void check_reference_self();

}  // namespace quorran::fuzz
