// Fuzzes format_text with arbitrary doubles (every bit pattern: NaNs, infinities,
// subnormals, the largest finite values), every format the result texts use (read from
// the core) and any width and precision.
//
// Each text must equal the one the tests' exact reference builds: two-stage rounding
// (17 significant digits half up, then the asked decimals half up), "inf", "-inf" and
// "nan" padded with blanks, widths honoured, and the whole text cut to its limit.
#include <fuzzer/FuzzedDataProvider.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "core/dialog/pace_calculator.h"
#include "core/dialog/result_formats.h"
#include "core/dialog/split_schedule.h"
#include "fuzz/fuzz_check.h"
#include "tests/exact_decimal.h"

namespace {

using quorran::FormatArg;

// Values at the edges of the double range and at rounding ties of the formats.
constexpr double SPECIAL[] = {0.0,  -0.0, HUGE_VAL, DBL_MAX, DBL_MIN, DBL_TRUE_MIN, 1e300, 0.05, 0.25, 0.45, 11.25,
                              12.35, 7.125, 2.675, 9.95, 9.995, 59.94, 59.95, 99.95, 0.5, 2.5, 1e17, 4503599627370495.5};

// Plain decimals and their neighbours (where rounding goes wrong) as often as raw bit
// patterns and subnormals.
double consume_double(FuzzedDataProvider& input) {
    std::uint64_t bits = input.ConsumeIntegral<std::uint64_t>();
    double value;
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: break;
        case 1: return SPECIAL[bits % std::size(SPECIAL)];
        case 2:  // a short decimal such as 8.35 or 119.45, maybe a few steps off
            value = static_cast<double>(bits % 100'000'001) / std::pow(10.0, input.ConsumeIntegralInRange<int>(0, 8));
            for (int steps = input.ConsumeIntegralInRange<int>(-3, 3); steps != 0; steps -= steps > 0 ? 1 : -1)
                value = std::nextafter(value, steps > 0 ? HUGE_VAL : 0.0);
            return value;
        default: bits &= 0x800f'ffff'ffff'ffffULL;  // subnormal or zero
    }
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

using Formatter = std::string (*)(std::string_view, std::initializer_list<FormatArg>, std::size_t);

// Arguments beyond the format's conversions are never read: six fill the longest format.
std::string run(Formatter format_text, std::string_view format, std::vector<FormatArg> a, std::size_t limit) {
    a.resize(6, FormatArg(0.0));
    return format_text(format, {a[0], a[1], a[2], a[3], a[4], a[5]}, limit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int mode = input.ConsumeIntegralInRange<int>(0, 2);
    std::string format = input.ConsumeBool() ? "%s" : "%% %s %%";  // a text, passed through but for the cut
    std::size_t limit = input.ConsumeIntegralInRange<std::size_t>(0, 400);
    if (mode == 0) {  // a format of the program's, with the numbers it can meet: never negative
        format = quorran::result_format::ALL[limit % quorran::result_format::ALL.size()];
        limit = format == quorran::result_format::SELECT_PREFIX ? quorran::SELECT_PREFIX_LIMIT : quorran::TEXT_LIMIT;
    } else if (mode == 1) {  // any width and precision, with or without zero padding, signed values
        format = "%" + std::string(input.ConsumeBool() ? "0" : "") + std::to_string(input.ConsumeIntegralInRange(0, 40)) +
                 "." + std::to_string(input.ConsumeIntegralInRange(0, 9)) + "f";
    }
    std::vector<std::string> texts;  // kept alive for the arguments that view them
    texts.reserve(8);
    std::vector<FormatArg> args;
    std::string shown;
    for (std::size_t i = format.find('%'); i != std::string::npos; i = format.find('%', i + 2)) {
        if (format[i + 1] == 's') {
            const auto& marks = quorran::split_marks();
            texts.push_back(mode == 2 ? input.ConsumeRandomLengthString(200)
                                      : std::string(marks[input.ConsumeIntegral<std::size_t>() % marks.size()].label));
            args.emplace_back(std::string_view(texts.back()));
            shown += " \"" + quorran::fuzz::escaped(texts.back()) + "\"";
        } else if (format[i + 1] != '%') {
            const double value = consume_double(input);
            args.emplace_back(mode == 0 && !std::isnan(value) ? std::fabs(value) : value);
            shown += " " + std::to_string(args.back().number());
        }
    }
    const std::string got = run(quorran::format_text, format, args, limit);
    const std::string want = run(quorran::exact::format_text, format, args, limit);
    const std::string detail = "format \"" + format + "\" limit " + std::to_string(limit) + " args" + shown + "\n  got  \"" +
                               quorran::fuzz::escaped(got) + "\"\n  want \"" + quorran::fuzz::escaped(want) + "\"";
    // A negative number that rounds to zero may print with or without its sign: the
    // program never meets one.
    bool signed_zero = false;
    if (mode == 1 && std::signbit(args[0].number()) && !std::isnan(args[0].number())) {
        const std::string whole = run(quorran::exact::format_text, format, args, std::string::npos);
        signed_zero = whole.find_first_not_of("-0. ") == std::string::npos &&
                      got == run(quorran::exact::format_text, format, {FormatArg(-args[0].number())}, limit);
    }
    FUZZ_CHECK(got.size() <= limit && (got == want || signed_zero), detail);
    return 0;
}
