#include "exact_decimal.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <vector>

namespace quorran::exact {
namespace {

// Base 10^9 limbs, least significant first.
using Limbs = std::vector<std::uint64_t>;
constexpr std::uint64_t BASE = 1'000'000'000;

void multiply(Limbs& n, std::uint64_t factor) {
    std::uint64_t carry = 0;
    for (auto& limb : n) {
        const std::uint64_t t = limb * factor + carry;
        limb = t % BASE;
        carry = t / BASE;
    }
    for (; carry != 0; carry /= BASE) n.push_back(carry % BASE);
}

Decimal normalized(std::string digits, long exponent) {
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) return {};
    const auto last = digits.find_last_not_of('0');
    exponent += static_cast<long>(digits.size() - 1 - last);
    return {digits.substr(first, last + 1 - first), exponent};
}

// Adds one to a digit string: "129" -> "130", "99" -> "100", "" -> "1".
std::string increment(std::string s) {
    for (auto i = s.size(); i-- > 0;) {
        if (s[i] != '9') {
            ++s[i];
            return s;
        }
        s[i] = '0';
    }
    return "1" + s;
}

// |x| as m x 2^e with odd m, or m = 0.
struct Binary {
    std::uint64_t m;
    int e;
};

Binary split(double x) {
    int e = 0;
    const double fraction = std::frexp(std::fabs(x), &e);
    const auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    if (m == 0) return {0, 0};
    const int zeros = std::countr_zero(m);
    return {m >> zeros, e - 53 + zeros};
}

// The exact midpoint of two neighbouring non-negative doubles.
Decimal midpoint(double a, double b) {
    Binary x = split(a);
    Binary y = split(b);
    if (x.m == 0) x.e = y.e;
    const int e = std::min(x.e, y.e);
    return from_binary((x.m << (x.e - e)) + (y.m << (y.e - e)), e - 1);
}

// The two-stage rounding of a non-negative value to `precision` decimals.
std::string two_stage(const Decimal& value, long precision) {
    std::string s = value.digits;  // the value is s x 10^x
    long x = value.exponent;
    // Stage one: the first 17 significant digits, plus one when the 18th is 5 or more.
    if (s.size() < 18) {
        x -= static_cast<long>(18 - s.size());
        s.append(18 - s.size(), '0');
    }
    x += static_cast<long>(s.size()) - 17;
    const bool up = s[17] >= '5';
    s.resize(17);
    if (up) s = increment(s);
    // Stage two: cut to `precision` decimals, half up on the first dropped digit.
    if (x >= -precision) {
        s.append(static_cast<std::size_t>(x + precision), '0');
    } else {
        const auto drop = static_cast<std::size_t>(-precision - x);
        const bool round_up = drop <= s.size() && s[s.size() - drop] >= '5';
        s.resize(drop < s.size() ? s.size() - drop : 0);
        if (round_up) s = increment(s);
    }
    // s x 10^-precision, with at least one digit before the point.
    s.erase(0, std::min(s.find_first_not_of('0'), s.size()));
    const auto p = static_cast<std::size_t>(precision);
    if (s.size() <= p) s.insert(0, p + 1 - s.size(), '0');
    if (p > 0) s.insert(s.size() - p, 1, '.');
    return s;
}

}  // namespace

Decimal from_binary(std::uint64_t m, int e) {
    Limbs n{m % BASE, m / BASE % BASE, m / BASE / BASE};
    // m x 2^e, and for e < 0 the same as m x 5^-e / 10^-e; 13 factors at a time.
    for (int left = std::abs(e); left > 0; left -= 13) {
        std::uint64_t factor = 1;
        for (int i = 0; i < std::min(left, 13); ++i) factor *= e > 0 ? 2 : 5;
        multiply(n, factor);
    }
    std::string digits;
    for (auto i = n.size(); i-- > 0;) {
        const std::string part = std::to_string(n[i]);
        digits += std::string(9 - part.size(), '0') + part;
    }
    return normalized(digits, e < 0 ? e : 0);
}

Decimal expand(double value) {
    const Binary b = split(value);
    return from_binary(b.m, b.e);
}

Decimal from_text(std::string_view mantissa, long exponent, std::size_t significant) {
    std::string digits;
    bool after_point = false;
    for (const char c : mantissa) {
        if (c == '.') {
            after_point = true;
            continue;
        }
        digits += c;
        if (after_point) --exponent;
    }
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.size() > significant) {
        exponent += static_cast<long>(digits.size() - significant);
        digits.resize(significant);
    }
    return normalized(digits, exponent);
}

int compare(const Decimal& a, const Decimal& b) {
    if (a.digits.empty() || b.digits.empty()) return int{!a.digits.empty()} - int{!b.digits.empty()};
    // Each value lies in [10^(m-1), 10^m).
    const long ma = static_cast<long>(a.digits.size()) + a.exponent;
    const long mb = static_cast<long>(b.digits.size()) + b.exponent;
    if (ma != mb) return ma < mb ? -1 : 1;
    const auto n = std::max(a.digits.size(), b.digits.size());
    std::string x = a.digits;
    std::string y = b.digits;
    x.resize(n, '0');
    y.resize(n, '0');
    return x.compare(y);
}

bool is_nearest(const Decimal& value, double result) {
    // Halfway between the largest double, (2^53 - 1) x 2^971, and 2^1024.
    const Decimal overflow = from_binary((std::uint64_t{1} << 54) - 1, 970);
    if (std::isinf(result)) return compare(value, overflow) >= 0;
    const double up = std::nextafter(result, std::numeric_limits<double>::infinity());
    const int below = result == 0.0 ? 1 : compare(value, midpoint(std::nextafter(result, 0.0), result));
    const int above = compare(value, std::isinf(up) ? overflow : midpoint(result, up));
    const bool even = (std::bit_cast<std::uint64_t>(result) & 1) == 0;
    return (below > 0 || (below == 0 && even)) && (above < 0 || (above == 0 && even));
}

std::string format_fixed(double value, int width, int precision, bool zero_pad) {
    const auto padding = [width](std::size_t length) {
        return static_cast<std::size_t>(std::max<long>(width - static_cast<long>(length), 0));
    };
    if (!std::isfinite(value)) {
        const std::string text = std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
        return std::string(padding(text.size()), ' ') + text;
    }
    const std::string sign = value < 0 ? "-" : "";
    const std::string body = two_stage(expand(value), precision);
    const std::size_t pad = padding(sign.size() + body.size());
    return zero_pad ? sign + std::string(pad, '0') + body : std::string(pad, ' ') + sign + body;
}

}  // namespace quorran::exact
