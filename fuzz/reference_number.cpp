#include "fuzz/reference_number.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace quorran::fuzz {

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Adds one in the last place of a string of decimal digits; true when it carried
// out of the first digit (the string is then all zeros).
bool increment_digits(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

[[noreturn]] void reference_failure(const char* what, const std::string& got, const std::string& want) {
    std::fprintf(stderr, "reference self-check failed: %s: got \"%s\", want \"%s\"\n", what, got.c_str(),
                 want.c_str());
    std::abort();
}

}  // namespace

double reference_scan(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && is_blank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string digits;        // every mantissa digit, point removed
    std::int64_t point = 0;    // digits before the point
    bool seen_point = false;
    for (; i < text.size(); ++i) {
        if (is_digit(text[i])) {
            digits += text[i];
            if (!seen_point) ++point;
        } else if (text[i] == '.' && !seen_point) {
            seen_point = true;
        } else {
            break;
        }
    }
    if (digits.empty()) return 0.0;

    std::int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        bool exponent_negative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            exponent_negative = text[j] == '-';
            ++j;
        }
        if (j < text.size() && is_digit(text[j])) {
            for (; j < text.size() && is_digit(text[j]); ++j) {
                // Saturates far beyond any double's range; the digits that follow no longer matter.
                if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[j] - '0');
            }
            if (exponent_negative) exponent = -exponent;
        }
    }

    // Leading zeros are not significant: each one moves the point left.
    std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return negative ? -0.0 : 0.0;
    std::string significant = digits.substr(first, 24);
    std::int64_t scale = point - static_cast<std::int64_t>(first) + exponent;
    if (scale > 100'000) scale = 100'000;
    if (scale < -100'000) scale = -100'000;

    // 0.<significant> x 10^scale, which strtod rounds correctly.
    std::string normal = std::string(negative ? "-" : "") + "0." + significant + "e" + std::to_string(scale);
    return std::strtod(normal.c_str(), nullptr);
}

std::string reference_number(double value, int width, int precision, bool zero_pad) {
    std::string body;
    bool finite = std::isfinite(value);
    if (std::isnan(value)) {
        body = "nan";
    } else if (std::isinf(value)) {
        body = value < 0 ? "-inf" : "inf";
    } else {
        const double magnitude = std::fabs(value);
        std::string integer;
        std::string fraction;
        if (magnitude == 0.0) {
            integer = "0";
        } else {
            // Every double's exact decimal expansion has fewer than 800 significant digits.
            char exact[1024];
            std::snprintf(exact, sizeof exact, "%.800e", magnitude);
            std::string all(exact);
            const std::size_t e = all.find('e');
            int exponent = std::atoi(all.c_str() + e + 1);
            std::string mantissa = all.substr(0, 1) + all.substr(2, e - 2);

            // Stage 1: 17 significant digits, half up on the 18th.
            std::string digits = mantissa.substr(0, 17);
            if (mantissa[17] >= '5' && increment_digits(digits)) {
                digits = "1" + std::string(16, '0');
                ++exponent;
            }
            const int point = exponent + 1;  // digits before the decimal point
            if (point <= 0) {
                integer = "0";
                fraction = std::string(static_cast<std::size_t>(-point), '0') + digits;
            } else if (point >= 17) {
                integer = digits + std::string(static_cast<std::size_t>(point - 17), '0');
            } else {
                integer = digits.substr(0, static_cast<std::size_t>(point));
                fraction = digits.substr(static_cast<std::size_t>(point));
            }
        }
        // Stage 2: cut to the precision, half up on the first dropped digit.
        const std::size_t keep = static_cast<std::size_t>(precision);
        const char dropped = fraction.size() > keep ? fraction[keep] : '0';
        fraction.resize(keep, '0');
        std::string kept = integer + fraction;
        if (dropped >= '5' && increment_digits(kept)) kept = "1" + kept;
        integer = kept.substr(0, kept.size() - keep);
        fraction = kept.substr(kept.size() - keep);
        const std::size_t nonzero = integer.find_first_not_of('0');
        integer = nonzero == std::string::npos ? "0" : integer.substr(nonzero);
        body = integer;
        if (precision > 0) body += "." + fraction;
        if (std::signbit(value) && value != 0.0) body = "-" + body;
    }
    const std::size_t w = static_cast<std::size_t>(width);
    if (body.size() < w) {
        if (zero_pad && finite) {
            const std::size_t sign = body[0] == '-' ? 1 : 0;
            body.insert(sign, w - body.size(), '0');
        } else {
            body.insert(0, w - body.size(), ' ');
        }
    }
    return body;
}

std::string reference_format(std::string_view format, const std::vector<ReferenceArg>& args,
                             std::size_t limit) {
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        ++i;
        if (i < format.size() && format[i] == '%') {
            out += '%';
            continue;
        }
        if (i < format.size() && format[i] == 's') {
            out += args.at(next++).text;
            continue;
        }
        bool zero_pad = false;
        if (i < format.size() && format[i] == '0') {
            zero_pad = true;
            ++i;
        }
        int width = 0;
        while (i < format.size() && is_digit(format[i])) width = width * 10 + (format[i++] - '0');
        int precision = 0;
        if (i < format.size() && format[i] == '.') {
            ++i;
            while (i < format.size() && is_digit(format[i])) precision = precision * 10 + (format[i++] - '0');
        }
        if (i >= format.size() || format[i] != 'f') {
            std::fprintf(stderr, "reference_format: unsupported format \"%.*s\"\n", static_cast<int>(format.size()),
                         format.data());
            std::abort();
        }
        out += reference_number(args.at(next++).number, width, precision, zero_pad);
    }
    if (out.size() > limit) out.resize(limit);
    return out;
}

void check_reference_self() {
    struct Number {
        double value;
        int width;
        int precision;
        bool zero_pad;
        const char* want;
    };
    // Worked by hand from the exact decimal expansions of the doubles.
    static const Number numbers[] = {
        {11.25, 0, 1, false, "11.3"},   // exact tie: half up, not half even
        {0.25, 0, 1, false, "0.3"},
        {7.125, 0, 2, false, "7.13"},
        {12.35, 0, 1, false, "12.4"},   // 12.3499999999999996447...: 17 digits carry to 12.350...
        {2.675, 0, 2, false, "2.67"},   // 2.67499999999999982236...: the 18th digit is 2
        {59.95, 4, 1, true, "60.0"},
        {1125899906842624.25, 0, 1, false, "1125899906842624.3"},  // tie on the 18th digit
        {5.0, 4, 1, true, "05.0"},
        {8.0, 2, 0, false, " 8"},
        {0.0, 2, 0, false, " 0"},
        {-0.0, 4, 1, true, "00.0"},
        {-3.5, 5, 1, true, "-03.5"},
        {9.96, 3, 1, false, "10.0"},
        {1e21, 0, 0, false, "1000000000000000000000"},
        {123456789012345678.0, 0, 0, false, "123456789012345680"},
        {5e-324, 0, 2, false, "0.00"},
        {0.0049999999999999999, 0, 2, false, "0.01"},  // the double is 0.005000000000000000104...
        {std::nan(""), 4, 1, true, " nan"},
        {-std::nan(""), 0, 1, false, "nan"},
        {HUGE_VAL, 2, 0, false, "inf"},
        {-HUGE_VAL, 5, 1, true, " -inf"},
    };
    for (const auto& n : numbers) {
        const std::string got = reference_number(n.value, n.width, n.precision, n.zero_pad);
        if (got != n.want) reference_failure("number", got, n.want);
    }
    struct Scan {
        const char* text;
        double want;
    };
    static const Scan scans[] = {
        {"26.2", 26.2},        {" \t26.2 miles", 26.2}, {"26.2km", 26.2}, {"", 0.0},   {"abc", 0.0},
        {"m", 0.0},            {"1e1", 10.0},           {"1d1", 10.0},    {".5", 0.5}, {"5.", 5.0},
        {"0x10", 0.0},         {"inf", 0.0},            {"nan", 0.0},     {"1,5", 1.0}, {"8:30", 8.0},
        {"1e", 1.0},           {"1e+", 1.0},            {"-5", -5.0},     {".", 0.0},  {"-", 0.0},
        {"1e999", HUGE_VAL},   {"1e-999", 0.0},         {"+.e3", 0.0},    {"00012.5e-1", 1.25},
        // 2^53 + 1 with a 25th significant digit: the digit beyond the 24th reads as zero,
        // leaving an exact tie that rounds to even (2^53); as the 24th digit it rounds up.
        {"9007199254740993.000000001", 9007199254740992.0},
        {"9007199254740993.00000001", 9007199254740994.0},
    };
    for (const auto& s : scans) {
        const double got = reference_scan(s.text);
        if (got != s.want) reference_failure(s.text, std::to_string(got), std::to_string(s.want));
    }
}

}  // namespace quorran::fuzz
