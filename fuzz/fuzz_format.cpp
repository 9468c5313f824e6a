// Fuzzes format_text with arbitrary doubles (every bit pattern: NaNs, infinities,
// subnormals, the largest finite values) and every format the result texts use.
//
// Each text must equal the one the tests' exact reference builds: two-stage rounding
// (17 significant digits half up, then the asked decimals half up), "inf", "-inf" and
// "nan" padded with blanks, widths honoured, and the whole text cut to its limit.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/number_text.h"
#include "core/pace_calculator.h"
#include "fuzz/fuzz_check.h"
#include "tests/exact_decimal.h"

namespace {

using quorran::fuzz::escaped;

// One argument as drawn from the input: a number for %W.Pf or a text for %s.
struct Arg {
    bool is_text = false;
    double number = 0.0;
    std::string text;

    quorran::FormatArg get() const {
        return is_text ? quorran::FormatArg(std::string_view(text)) : quorran::FormatArg(number);
    }
};

// Every format the result texts are built with, the kinds of its arguments (f for a
// number, s for a text) and the limit of its buffer.
struct SystemFormat {
    std::string_view format;
    std::string_view kinds;
    std::size_t limit;
};
constexpr std::array<SystemFormat, 15> SYSTEM_FORMATS{{
    {"%2.0f:%04.1f per mile", "ff", quorran::TEXT_LIMIT},
    {" %2.0f:%04.1f per km", "ff", quorran::TEXT_LIMIT},
    {" %3.1f secs or %2.0f:%04.1f per 400m", "fff", quorran::TEXT_LIMIT},
    {" %4.2f mins/mile", "f", quorran::TEXT_LIMIT},
    {" %4.2f km/h", "f", quorran::TEXT_LIMIT},
    {" %4.2f MPH", "f", quorran::TEXT_LIMIT},
    {" %4.2f meters/sec", "f", quorran::TEXT_LIMIT},
    {" %4.1f meters/min", "f", quorran::TEXT_LIMIT},
    {" %4.2f feet/sec", "f", quorran::TEXT_LIMIT},
    {" %4.1f feet/min", "f", quorran::TEXT_LIMIT},
    {" %3.1f", "f", quorran::SELECT_PREFIX_LIMIT},
    {"%2.0f %s, %2.0f %s, %3.1f %s", "fsfsfs", quorran::TEXT_LIMIT},
    {"%2.0f %s, %3.1f %s", "fsfs", quorran::TEXT_LIMIT},
    {"%s      %2.0f:%02.0f:%04.1f", "sfff", quorran::TEXT_LIMIT},
    {"%s           %2.0f:%04.1f", "sff", quorran::TEXT_LIMIT},
}};

// The single conversions those formats use.
constexpr std::array<std::string_view, 6> CONVERSIONS{"%2.0f", "%04.1f", "%02.0f", "%3.1f", "%4.1f", "%4.2f"};

constexpr std::array<std::string_view, 12> WORDS{
    "hour", "hours", "min", "mins", "sec", "secs", " 1 m   ", " 5 km ", "10 km", "H Mar", "Mar  ", "Finish "};

constexpr double INF = std::numeric_limits<double>::infinity();

// Values at the edges of the double range and at rounding ties of the formats.
constexpr std::array<double, 33> SPECIAL{
    0.0,      -0.0,     INF,      -INF,    DBL_MAX,  -DBL_MAX,
    DBL_MIN,  DBL_TRUE_MIN, 2 * DBL_TRUE_MIN, DBL_MIN - DBL_TRUE_MIN, 1e308, 1e300, 1e-300,
    0.05,     0.25,     0.45,     11.25,   12.35,    7.125,    2.675,    9.95,
    9.995,    59.94,    59.95,    99.95,   999.95,   0.5,      1.5,      2.5,
    1e16,     1e17,     1e21,     4503599627370495.5};

std::string show(double value) {
    char out[64];
    std::snprintf(out, sizeof out, "%.17g (%a)", value, value);
    return out;
}

double from_bits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A double drawn from the input in one of several ways, so that plain decimals and
// their neighbours (where rounding goes wrong) come up as often as raw bit patterns.
double consume_double(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange<int>(0, 5)) {
        case 0:
            return from_bits(input.ConsumeIntegral<std::uint64_t>());
        case 1:
            return SPECIAL[input.ConsumeIntegralInRange<std::size_t>(0, SPECIAL.size() - 1)];
        case 2: {  // a short decimal such as 8.35 or 119.45, maybe a few steps off
            const auto digits = input.ConsumeIntegralInRange<std::uint64_t>(0, 100'000'000);
            const int decimals = input.ConsumeIntegralInRange<int>(0, 8);
            double value = static_cast<double>(digits) / std::pow(10.0, decimals);
            const int steps = input.ConsumeIntegralInRange<int>(-3, 3);
            for (int i = 0; i < steps; ++i) value = std::nextafter(value, INF);
            for (int i = 0; i > steps; --i) value = std::nextafter(value, -INF);
            return value;
        }
        case 3: {  // near the top of the range: 1.8e308 and the finite values below it
            double value = DBL_MAX;
            const int steps = input.ConsumeIntegralInRange<int>(0, 1000);
            for (int i = 0; i < steps; ++i) value = std::nextafter(value, 0.0);
            return input.ConsumeBool() ? -value : value;
        }
        case 4:  // subnormal or zero
            return from_bits(input.ConsumeIntegral<std::uint64_t>() & 0x800f'ffff'ffff'ffffULL);
        default: {  // a NaN with any payload and sign
            const std::uint64_t payload = input.ConsumeIntegral<std::uint64_t>() & 0x800f'ffff'ffff'ffffULL;
            return from_bits(payload | 0x7ff8'0000'0000'0000ULL);
        }
    }
}

// The formatter under test and the exact reference take the same arguments.
using Formatter = std::string (*)(std::string_view, std::initializer_list<quorran::FormatArg>, std::size_t);

std::string run_format(Formatter format_text, std::string_view format, const std::vector<Arg>& args,
                       std::size_t limit) {
    auto a = [&](std::size_t i) { return args[i].get(); };
    switch (args.size()) {
        case 1: return format_text(format, {a(0)}, limit);
        case 2: return format_text(format, {a(0), a(1)}, limit);
        case 3: return format_text(format, {a(0), a(1), a(2)}, limit);
        case 4: return format_text(format, {a(0), a(1), a(2), a(3)}, limit);
        case 6: return format_text(format, {a(0), a(1), a(2), a(3), a(4), a(5)}, limit);
        default: std::abort();
    }
}

std::string describe(std::string_view format, const std::vector<Arg>& args, std::size_t limit,
                     const std::string& got, const std::string& want) {
    std::string out = "format \"" + escaped(format) + "\" limit " + std::to_string(limit) + " args:";
    for (const auto& a : args) out += a.is_text ? " \"" + escaped(a.text) + "\"" : " " + show(a.number);
    out += "\n  got  \"" + escaped(got) + "\" (" + std::to_string(got.size()) + " characters)";
    out += "\n  want \"" + escaped(want) + "\" (" + std::to_string(want.size()) + " characters)";
    return out;
}

// Whether got is the text of the same numbers without their signs, where every
// signed number rounded to zero ("0.0" beside "-0.0"): the formats never meet
// negative numbers, and whether such a number keeps its sign is left open.
bool negative_zero_variant(std::string_view format, std::vector<Arg> args, std::size_t limit,
                           const std::string& got) {
    const std::string whole = run_format(quorran::exact::format_text, format, args, std::string::npos);
    if (whole.find('-') == std::string::npos || whole.find_first_not_of("-0. ") != std::string::npos) return false;
    for (auto& a : args) a.number = std::fabs(a.number);
    return got == run_format(quorran::exact::format_text, format, args, limit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int mode = input.ConsumeIntegralInRange<int>(0, 3);

    std::string format;
    std::string kinds;
    std::size_t limit = quorran::TEXT_LIMIT;
    bool signed_numbers = false;
    if (mode == 0) {  // one of the system's formats with the numbers it can meet: never negative
        const auto& f = SYSTEM_FORMATS[input.ConsumeIntegralInRange<std::size_t>(0, SYSTEM_FORMATS.size() - 1)];
        format = f.format;
        kinds = f.kinds;
        limit = f.limit;
    } else if (mode == 1) {  // one conversion of the system's, signed values, any limit
        format = CONVERSIONS[input.ConsumeIntegralInRange<std::size_t>(0, CONVERSIONS.size() - 1)];
        kinds = "f";
        limit = input.ConsumeIntegralInRange<std::size_t>(0, 100);
        signed_numbers = true;
    } else if (mode == 2) {  // any width and precision, with or without zero padding
        const bool zero = input.ConsumeBool();
        const int width = input.ConsumeIntegralInRange<int>(0, 40);
        const int precision = input.ConsumeIntegralInRange<int>(0, 9);
        format = "%" + std::string(zero ? "0" : "") + std::to_string(width) + "." + std::to_string(precision) + "f";
        kinds = "f";
        limit = input.ConsumeIntegralInRange<std::size_t>(0, 400);
        signed_numbers = true;
    } else {  // a text, passed through as it is apart from the cut
        format = input.ConsumeBool() ? "%s" : "%% %s %%";
        kinds = "s";
        limit = input.ConsumeIntegralInRange<std::size_t>(0, 100);
    }

    std::vector<Arg> args;
    for (const char kind : kinds) {
        Arg arg;
        if (kind == 's') {
            arg.is_text = true;
            arg.text = mode == 3 ? input.ConsumeRandomLengthString(200)
                                 : std::string(WORDS[input.ConsumeIntegralInRange<std::size_t>(0, WORDS.size() - 1)]);
        } else {
            arg.number = consume_double(input);
            if (!signed_numbers && !std::isnan(arg.number)) arg.number = std::fabs(arg.number);
        }
        args.push_back(arg);
    }

    const std::string got = run_format(quorran::format_text, format, args, limit);
    const std::string want = run_format(quorran::exact::format_text, format, args, limit);
    FUZZ_CHECK(got.size() <= limit, describe(format, args, limit, got, want));
    FUZZ_CHECK(got == want || (signed_numbers && negative_zero_variant(format, args, limit, got)),
               describe(format, args, limit, got, want));
    return 0;
}
