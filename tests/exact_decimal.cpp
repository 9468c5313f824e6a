#include "exact_decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace quorran::exact {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The value digits x 10^exponent.
Decimal decimal(std::string digits, long exponent) {
    digits.erase(0, digits.find_first_not_of('0'));
    const long point = static_cast<long>(digits.size()) + exponent;
    digits.erase(digits.find_last_not_of('0') + 1);
    return digits.empty() ? Decimal{} : Decimal{point, digits};
}

// A finite non-negative double as m x 2^e, where 2^e is the gap to the next double up.
std::pair<std::uint64_t, int> binary(double d) {
    const int e = std::max(std::ilogb(d), -1022) - 52;
    return {static_cast<std::uint64_t>(std::ldexp(d, -e)), e};
}

// Whether v (positive) rounds to the double d or to a lower one: v lies below the
// midpoint between d and the next double up (infinity after the largest), or on it
// when d's mantissa is even.
bool rounds_at_or_below(const Decimal& v, double d) {
    if (std::isinf(d)) return true;
    const auto [m, e] = binary(d);
    const Decimal midpoint = from_binary(2 * m + 1, e - 1);
    return v < midpoint || (v == midpoint && m % 2 == 0);
}

// |value| with P decimals by the two-stage rounding.
std::string two_stage(double value, int precision) {
    const auto [m, e] = binary(std::fabs(value));
    const Decimal exact = from_binary(m, e);
    // Stage one: the first 18 significant digits rounded half up to 17 give d, and
    // |value| is taken as d x 10^(point - 17).
    std::uint64_t d = (std::stoull((exact.digits + std::string(18, '0')).substr(0, 18)) + 5) / 10;
    // Stage two: |value| x 10^P = d x 10^shift rounded half up to a whole number, on the
    // first dropped digit.
    long shift = exact.point - 17 + precision;
    for (; shift < -1; ++shift) d /= 10;
    if (shift == -1) d = (d + 5) / 10;
    std::string digits = std::to_string(d) + std::string(static_cast<std::size_t>(std::max(shift, 0L)), '0');
    // The point goes P digits from the right, with at least one digit before it.
    const auto p = static_cast<std::size_t>(precision);
    if (digits.size() <= p) digits.insert(0, p + 1 - digits.size(), '0');
    if (p > 0) digits.insert(digits.size() - p, 1, '.');
    return digits;
}

// value printed by a %[0]W[.P]f conversion, spec being the text between % and f.
std::string fixed(std::string_view spec, double value) {
    const char* const end = spec.data() + spec.size();
    int width = 0;
    int precision = 6;
    const char* const dot = std::from_chars(spec.data(), end, width).ptr;
    if (dot != end) std::from_chars(dot + 1, end, precision);
    std::string body = std::isnan(value) ? "nan" : std::isinf(value) ? "inf" : two_stage(value, precision);
    if (value < 0) body.insert(0, 1, '-');
    // Zeros go after the sign, blanks before it; infinities and NaNs get blanks.
    const auto pad = static_cast<std::size_t>(std::max(width - static_cast<int>(body.size()), 0));
    const bool zeros = spec.starts_with('0') && std::isfinite(value);
    return body.insert(zeros && value < 0 ? 1 : 0, pad, zeros ? '0' : ' ');
}

}  // namespace

Decimal from_binary(std::uint64_t m, int e) {
    // m x 2^e, or for e < 0 the same as m x 5^-e x 10^e, in base 10^9 limbs (least
    // significant first), multiplied by up to twelve factors 2 or 5 at a time.
    constexpr std::uint64_t BASE = 1'000'000'000;
    std::vector<std::uint64_t> n{m % BASE, m / BASE % BASE, m / BASE / BASE};
    for (int left = std::abs(e); left > 0; left -= 12) {
        std::uint64_t factor = 1;
        for (int i = 0; i < std::min(left, 12); ++i) factor *= e > 0 ? 2 : 5;
        std::uint64_t carry = 0;  // always below factor, so below BASE
        for (auto& limb : n) {
            carry += limb * factor;
            limb = carry % BASE;
            carry /= BASE;
        }
        if (carry != 0) n.push_back(carry);
    }
    std::string digits;
    for (auto i = n.size(); i-- > 0;) digits += std::to_string(BASE + n[i]).substr(1);  // 9 digits
    return decimal(digits, e < 0 ? e : 0);
}

double scan(std::string_view text) {
    std::size_t i = std::min(text.find_first_not_of(" \t\n\v\f\r"), text.size());
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || negative)) ++i;
    // Digits with at most one point; the exponent falls by one for each digit after it.
    std::string digits;
    long exponent = 0;
    for (bool point = false; i < text.size() && (is_digit(text[i]) || (text[i] == '.' && !point)); ++i) {
        if (text[i] == '.') {
            point = true;
        } else {
            digits += text[i];
            exponent -= point ? 1 : 0;
        }
    }
    if (digits.empty()) return 0.0;
    // An exponent letter and sign count only with digits after them, here saturated
    // far beyond the range of doubles.
    if (i < text.size() && std::string_view("eEdD").find(text[i]) != std::string_view::npos) {
        const bool minus = ++i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '+' || minus)) ++i;
        long n = 0;
        for (; i < text.size() && is_digit(text[i]); ++i) n = std::min(n * 10 + (text[i] - '0'), 100'000'000L);
        exponent += minus ? -n : n;
    }
    // Digits after the first 24 significant ones read as zeros.
    digits.erase(0, digits.find_first_not_of('0'));
    if (digits.size() > 24) digits.replace(24, std::string::npos, digits.size() - 24, '0');
    const Decimal v = decimal(digits, exponent);
    if (v.digits.empty()) return negative ? -0.0 : 0.0;

    // The result is the lowest double that v rounds to at or below; the search starts
    // from any double near v, here the C library's reading of the same value.
    const std::string near = v.digits + "e" + std::to_string(v.point - static_cast<long>(v.digits.size()));
    double d = std::strtod(near.c_str(), nullptr);
    while (d > 0 && rounds_at_or_below(v, std::nextafter(d, 0.0))) d = std::nextafter(d, 0.0);
    while (!rounds_at_or_below(v, d)) d = std::nextafter(d, HUGE_VAL);
    return negative ? -d : d;
}

std::string format_text(std::string_view format, std::initializer_list<FormatArg> args,
                        std::size_t limit) {
    std::string out;
    const FormatArg* arg = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        // %% for "%", %s for a text, or a conversion of a number ending in f.
        const std::size_t letter = format.find_first_of("%sf", i + 1);
        if (format[letter] == '%') out += '%';
        if (format[letter] == 's') out += (arg++)->text();
        if (format[letter] == 'f') out += fixed(format.substr(i + 1, letter - i - 1), (arg++)->number());
        i = letter;
    }
    return out.substr(0, limit);
}

}  // namespace quorran::exact
