// The number scanner for entry texts and the printf-like formatter for result texts.
//
// Scanning cuts the decimal number to 24 significant digits and lets std::from_chars
// (correctly rounded, locale-free) round it, after a fast exact path for short entries.
// Formatting takes the first 18 digits of the exact decimal expansion of a double,
// rounds them half up to 17, then rounds that digit string half up to the decimals asked
// for. The 18 digits come from 128-bit arithmetic for ordinary magnitudes and from a
// small fixed-size big integer for the rest.
#include "core/numbers/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <system_error>
#include <version>

#include "core/numbers/double_bits.h"

namespace quorran {
namespace {

__extension__ typedef unsigned __int128 u128;

constexpr std::array<std::uint64_t, 20> POW10 = [] {
    std::array<std::uint64_t, 20> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
    return p;
}();

// Powers of ten that doubles hold exactly.
constexpr std::array<double, 23> EXACT_POW10 = [] {
    std::array<double, 23> p{};
    p[0] = 1.0;
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10.0;
    return p;
}();

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Exponent digits and widths stop growing here: far beyond any double's range or any
// text's length, and far below where 64-bit sums could overflow.
constexpr long long SATURATION = 1'000'000'000'000'000LL;

void accumulate_saturated(long long& n, char digit) {
    if (n < SATURATION) n = n * 10 + (digit - '0');
}

// ---------------------------------------------------------------------------
// Scanning

constexpr int SIGNIFICANT_DIGITS = 24;

// The double nearest to the text [first, last), digits followed by "e" and a decimal
// exponent; NaN when the value lies beyond the range of a double either way.
// [first, last + 1) must be writable.
double round_decimal(char* first, char* last) {
#if defined(__cpp_lib_to_chars)
    double v = 0.0;
    const auto result = std::from_chars(first, last, v);
    return result.ec == std::errc::result_out_of_range ? std::numeric_limits<double>::quiet_NaN() : v;
#else
    // A C++ library without from_chars for double: strtod rounds as correctly. The text
    // has no decimal point, so the locale cannot change how it reads, and strtod answers
    // an overflow with infinity and an underflow with the nearest subnormal or zero
    // itself, as from_chars' caller would.
    *last = '\0';
    return std::strtod(first, nullptr);
#endif
}

}  // namespace

double scan_number(std::string_view text) {
    std::size_t length = 0;
    return scan_number(text, length);
}

double scan_number(std::string_view text, std::size_t& length) {
    length = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p != end && is_space(*p)) ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }

    // The number is 0.d1d2d3... x 10^(point_shift + exponent); only the first 24
    // significant digits are kept, later ones still count for point_shift.
    char digits[SIGNIFICANT_DIGITS];
    int kept = 0;
    long long point_shift = 0;
    bool any_digit = false;
    bool seen_point = false;
    for (; p != end; ++p) {
        const char c = *p;
        if (is_digit(c)) {
            any_digit = true;
            if (kept == 0 && c == '0') {
                if (seen_point) --point_shift;
                continue;
            }
            if (kept < SIGNIFICANT_DIGITS) digits[kept++] = c;
            if (!seen_point) ++point_shift;
        } else if (c == '.' && !seen_point) {
            seen_point = true;
        } else {
            break;
        }
    }
    if (!any_digit) return 0.0;

    long long exponent = 0;
    if (p != end && (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D')) {
        const char* q = p + 1;
        bool exponent_negative = false;
        if (q != end && (*q == '+' || *q == '-')) {
            exponent_negative = *q == '-';
            ++q;
        }
        const char* const exponent_digits = q;
        for (; q != end && is_digit(*q); ++q) accumulate_saturated(exponent, *q);
        if (exponent_negative) exponent = -exponent;
        if (q != exponent_digits) p = q;  // a letter without digits is not read
    }
    length = static_cast<std::size_t>(p - text.data());

    const double zero = negative ? -0.0 : 0.0;
    if (kept == 0) return zero;
    while (digits[kept - 1] == '0') --kept;  // the first digit is never 0

    // The value lies in [10^(magnitude-1), 10^magnitude).
    const long long magnitude = point_shift + exponent;
    const double infinity = negative ? -std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::infinity();
    if (magnitude > 310) return infinity;  // at least 10^310
    if (magnitude < -324) return zero;     // below half the least subnormal, 2.47e-324

    // From here the value is digits x 10^scale.
    const int scale = static_cast<int>(magnitude - kept);
    if (kept <= 15 && scale >= -22 && scale <= 22) {
        // Both the integer and the power of ten are exact doubles, so one
        // multiplication or division rounds correctly.
        std::uint64_t m = 0;
        for (int i = 0; i < kept; ++i) m = m * 10 + static_cast<unsigned>(digits[i] - '0');
        const double d = static_cast<double>(m);
        const double v = scale < 0 ? d / EXACT_POW10[static_cast<std::size_t>(-scale)]
                                   : d * EXACT_POW10[static_cast<std::size_t>(scale)];
        return negative ? -v : v;
    }

    char buffer[SIGNIFICANT_DIGITS + 8];
    std::memcpy(buffer, digits, static_cast<std::size_t>(kept));
    char* out = buffer + kept;
    *out++ = 'e';
    out = std::to_chars(out, buffer + sizeof buffer - 1, scale).ptr;
    const double v = round_decimal(buffer, out);
    if (std::isnan(v)) return magnitude > 0 ? infinity : zero;
    return negative ? -v : v;
}

namespace {

// ---------------------------------------------------------------------------
// Exact leading digits

// A non-negative integer of fixed capacity in base 2^32 limbs, least significant
// first. The largest number the digit search forms is m x 10^k = q x 2^-e with
// q < 2^64 and -e <= 1074: 36 limbs; 40 leave a margin.
class BigInt {
public:
    // m x 2^shift.
    BigInt(std::uint64_t m, int shift) {
        const auto limb = static_cast<std::size_t>(shift / 32);
        const u128 v = static_cast<u128>(m) << (shift % 32);
        limbs_[limb] = static_cast<std::uint32_t>(v);
        limbs_[limb + 1] = static_cast<std::uint32_t>(v >> 32);
        limbs_[limb + 2] = static_cast<std::uint32_t>(v >> 64);
        size_ = limb + 3;
    }

    void multiply(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < size_; ++i) {
            const std::uint64_t t = std::uint64_t{limbs_[i]} * factor + carry;
            limbs_[i] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        if (carry != 0) limbs_[size_++] = static_cast<std::uint32_t>(carry);
    }

    // Replaces the number by floor(number / divisor).
    void divide(std::uint32_t divisor) {
        std::uint64_t remainder = 0;
        for (std::size_t i = size_; i-- > 0;) {
            const std::uint64_t t = (remainder << 32) | limbs_[i];
            limbs_[i] = static_cast<std::uint32_t>(t / divisor);
            remainder = t % divisor;
        }
    }

    void multiply_pow10(int n) {
        for (; n >= 9; n -= 9) multiply(1'000'000'000);
        if (n > 0) multiply(static_cast<std::uint32_t>(POW10[static_cast<std::size_t>(n)]));
    }

    void divide_pow10(int n) {
        for (; n >= 9; n -= 9) divide(1'000'000'000);
        if (n > 0) divide(static_cast<std::uint32_t>(POW10[static_cast<std::size_t>(n)]));
    }

    // The low 64 bits of floor(number / 2^shift).
    std::uint64_t low64_shifted(int shift) const {
        const auto limb = static_cast<std::size_t>(shift / 32);
        const int bits = shift % 32;
        u128 v = 0;
        for (std::size_t i = 0; i < 3; ++i) v |= static_cast<u128>(limb_at(limb + i)) << (32 * i);
        return static_cast<std::uint64_t>(v >> bits);
    }

private:
    std::uint32_t limb_at(std::size_t i) const { return i < size_ ? limbs_[i] : 0; }

    std::array<std::uint32_t, 40> limbs_{};
    std::size_t size_ = 0;
};

// |value| split as m x 2^e with integer m.
struct Binary {
    std::uint64_t m;
    int e;
};

Binary decompose(double value) {
    const std::uint64_t bits = bits_of(value);
    const auto biased = static_cast<int>((bits >> 52) & 0x7ff);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0) return {fraction, -1074};
    return {fraction | (std::uint64_t{1} << 52), biased - 1075};
}

// floor(log10(2^b)) for |b| < 1100.
int floor_log10_pow2(int b) { return (b * 78913) >> 18; }

// The first 18 significant digits of the exact decimal expansion of a finite non-zero
// |value|, truncated: value = 0.d1..d18... x 10^(exponent+1), digits in [10^17, 10^18).
struct Leading {
    std::uint64_t digits;
    int exponent;  // decimal exponent of the first digit
};

Leading leading_digits(Binary v, int estimate) {
    // estimate <= floor(log10 |value|) <= estimate + 1, so q = floor(|value| x 10^k)
    // lies in [10^17, 10^19).
    const int k = 17 - estimate;
    std::uint64_t q = 0;
    if (k >= 0 && k <= 22) {
        // Below 10^18 the exponent e is at most 7, and from 10^-5 on m x 10^k stays
        // below 2^127: 128 bits are enough.
        u128 p = v.m;
        const u128 pow = static_cast<u128>(POW10[static_cast<std::size_t>(std::min(k, 19))]) *
                         POW10[static_cast<std::size_t>(std::max(k - 19, 0))];
        q = static_cast<std::uint64_t>(v.e >= 0 ? (p << v.e) * pow : (p * pow) >> -v.e);
    } else if (k > 0) {
        // Small values (e < 0): floor(m x 10^k / 2^-e).
        BigInt n(v.m, 0);
        n.multiply_pow10(k);
        q = n.low64_shifted(-v.e);
    } else {
        // Large values (e > 0): floor(m x 2^e / 10^-k).
        BigInt n(v.m, v.e);
        n.divide_pow10(-k);
        q = n.low64_shifted(0);
    }
    if (q >= POW10[18]) return {q / 10, estimate + 1};
    return {q, estimate};
}

// A rounded |value| printed with P decimals is the integer
// `digits` followed by `zeros` zeros, read with the point P places from the right.
struct Rounded {
    std::uint64_t digits;
    long long zeros;
};

Rounded round_two_stage(double value, long long precision) {
    if (value == 0.0) return {0, 0};
    const Binary v = decompose(value);
    const int estimate = floor_log10_pow2(std::bit_width(v.m) - 1 + v.e);
    // The second stage keeps exponent + P + 1 digits, the first one standing at
    // 10^exponent. Here exponent <= estimate + 1, and when it is estimate + 1 the first
    // digit is 1 (the value is below 2^(b+1) < 2 x 10^(estimate+1)). So below this
    // bound the result is zero: no digit kept, and the first dropped one under 5.
    if (estimate + precision + 1 < 0) return {0, 0};

    const Leading lead = leading_digits(v, estimate);
    std::uint64_t d17 = lead.digits / 10 + (lead.digits % 10 >= 5 ? 1 : 0);
    int exponent = lead.exponent;
    if (d17 == POW10[17]) {
        d17 = POW10[16];
        ++exponent;
    }

    const long long kept = exponent + precision + 1;
    if (kept >= 17) return {d17, kept - 17};
    if (kept < 0) return {0, 0};
    const auto dropped = static_cast<std::size_t>(17 - kept);
    const std::uint64_t first_dropped = d17 / POW10[dropped - 1] % 10;
    return {d17 / POW10[dropped] + (first_dropped >= 5 ? 1 : 0), 0};
}

// ---------------------------------------------------------------------------
// Formatting

// The text being built, never longer than its limit.
class Output {
public:
    Output(std::size_t limit, std::size_t expected) : limit_(limit) {
        text_.reserve(std::min(limit, expected));
    }

    bool full() const { return text_.size() >= limit_; }
    void put(char c) {
        if (!full()) text_.push_back(c);
    }
    void put(std::string_view s) { text_.append(s.substr(0, room())); }
    void fill(char c, std::size_t count) { text_.append(std::min(count, room()), c); }
    std::string take() { return std::move(text_); }

private:
    std::size_t room() const { return limit_ - text_.size(); }

    std::string text_;
    std::size_t limit_;
};

struct Conversion {
    bool zero_pad = false;
    std::size_t width = 0;
    std::size_t precision = 6;
    bool has_precision = false;
};

void put_padded_text(Output& out, std::string_view text, std::size_t width) {
    if (width > text.size()) out.fill(' ', width - text.size());
    out.put(text);
}

void put_number(Output& out, double value, const Conversion& field) {
    if (std::isnan(value)) return put_padded_text(out, "nan", field.width);
    if (std::isinf(value)) return put_padded_text(out, value < 0.0 ? "-inf" : "inf", field.width);

    const auto precision = static_cast<long long>(field.precision);
    const Rounded r = round_two_stage(value, precision);
    char buffer[20];
    const char* const digits_end = std::to_chars(buffer, buffer + sizeof buffer, r.digits).ptr;
    const std::string_view digits(buffer, static_cast<std::size_t>(digits_end - buffer));

    // The number reads as `digits`, `zeros` zeros, the point P places from the right
    // end, and at least one digit before the point.
    const auto zeros = static_cast<std::size_t>(r.zeros);
    const std::size_t all = digits.size() + zeros;
    const std::size_t whole = all > field.precision ? all - field.precision : 1;
    const bool negative = value < 0.0;
    const std::size_t length =
        (negative ? 1 : 0) + whole + (field.precision > 0 ? 1 + field.precision : 0);

    const std::size_t pad = field.width > length ? field.width - length : 0;
    if (!field.zero_pad) out.fill(' ', pad);
    if (negative) out.put('-');
    if (field.zero_pad) out.fill('0', pad);

    // Characters [from, to) of digits followed by the zeros.
    const auto put_digits = [&](std::size_t from, std::size_t to) {
        if (from < digits.size()) out.put(digits.substr(from, std::min(to, digits.size()) - from));
        from = std::max(from, digits.size());
        if (to > from) out.fill('0', to - from);
    };
    if (all > field.precision) {
        put_digits(0, whole);
        if (field.precision > 0) out.put('.');
        put_digits(whole, all);
    } else {
        out.put('0');
        if (field.precision > 0) out.put('.');
        out.fill('0', field.precision - all);
        put_digits(0, all);
    }
}

}  // namespace

std::string format_text(std::string_view format, std::initializer_list<FormatArg> args,
                        std::size_t limit) {
    Output out(limit, format.size() + 8 * args.size());
    const FormatArg* arg = args.begin();
    std::size_t i = 0;
    while (i < format.size() && !out.full()) {
        const std::size_t percent = std::min(format.find('%', i), format.size());
        out.put(format.substr(i, percent - i));
        if (percent == format.size()) break;

        // %[0][width][.precision] followed by f, s or %.
        Conversion field;
        std::size_t j = percent + 1;
        if (j < format.size() && format[j] == '0') {
            field.zero_pad = true;
            ++j;
        }
        long long number = 0;
        for (; j < format.size() && is_digit(format[j]); ++j) accumulate_saturated(number, format[j]);
        field.width = static_cast<std::size_t>(number);
        if (j < format.size() && format[j] == '.') {
            number = 0;
            for (++j; j < format.size() && is_digit(format[j]); ++j)
                accumulate_saturated(number, format[j]);
            field.precision = static_cast<std::size_t>(number);
            field.has_precision = true;
        }
        const char conversion = j < format.size() ? format[j] : '\0';
        if (conversion == 'f' || conversion == 's') {
            // A missing argument, or one of the other kind, prints nothing.
            if (arg != args.end()) {
                if (conversion == 'f' && !arg->is_text()) {
                    put_number(out, arg->number(), field);
                } else if (conversion == 's' && arg->is_text()) {
                    std::string_view text = arg->text();
                    if (field.has_precision) text = text.substr(0, field.precision);
                    put_padded_text(out, text, field.width);
                }
                ++arg;
            }
        } else if (conversion == '%') {
            out.put('%');
        } else {
            // Not a conversion this formatter knows: the text stays as written.
            out.put(format.substr(percent, j + 1 - percent));
        }
        i = j + 1;
    }
    return out.take();
}

std::string decimal_text(double value, int max_decimals) {
    std::string text;
    for (int decimals = 0; decimals <= max_decimals; ++decimals) {
        text = format_text("%." + std::to_string(decimals) + "f", {value});
        if (scan_number(text) == value) break;
    }
    return text;
}

}  // namespace quorran
