// The number scanner and formatter, and the exact decimal reference beside them, on
// tables of edge values, ties and cuts; the fuzzers try everything else against the
// reference.
#include "core/numbers/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <utility>

#include "exact_decimal.h"

namespace quorran {
namespace {

// Text and value; each row holds for the scanner and for the exact reference, the sign
// of zero included.
const std::pair<std::string, double> SCAN_CASES[] = {
    // White space, signs and points; no number at all reads as 0.
    {" \t\n\v\f\r26.2", 26.2}, {"+7", 7.0}, {"-5", -5.0}, {"-0", -0.0}, {".5", 0.5}, {"5.", 5.0}, {"", 0.0},
    {"abc", 0.0}, {"+", 0.0}, {"-", 0.0}, {".", 0.0}, {"-.e1", 0.0}, {"--1", 0.0}, {" + 1", 0.0},
    // The text after the number does not count, nor do other notations.
    {"26.2km", 26.2}, {"1.5.3", 1.5}, {"1,5", 1.0}, {"8:30", 8.0}, {"0x10", 0.0}, {"inf", 0.0}, {"nan", 0.0},
    // Exponents need a digit; they saturate far out of range.
    {"1e1", 10.0}, {"1E1", 10.0}, {"1d1", 10.0}, {"1D-1", 0.1}, {".5e+2", 50.0}, {"1e1.5", 10.0}, {"1e", 1.0},
    {"1e+", 1.0}, {"1d-x", 1.0}, {"1 e1", 1.0}, {"1e999", HUGE_VAL}, {"-1e999", -HUGE_VAL}, {"1e-999", 0.0},
    {"-1e-999", -0.0}, {"1e99999999999999999999999", HUGE_VAL}, {"1e-99999999999999999999999", 0.0},
    {"0e99999999999999999999999", 0.0}, {"1.7976931348623157e308", 1.7976931348623157e308},
    {"1.7976931348623159e308", HUGE_VAL}, {"2.4703282292062328e-324", 5e-324}, {"2.4703282292062327e-324", 0.0},
    // Leading zeros are not significant; digits after the 24th still set the magnitude.
    {"0000000000000000000000000001.5", 1.5}, {"0.000000000000000000000000000000000000000015", 1.5e-41},
    {"1" + std::string(300, '0'), 1e300},
    // Only 24 significant digits count: 2^53 + 1 is a tie that goes to even unless a 1 as
    // its 24th digit tips it, not as its 25th; 2^-1075 would round up from these 25 digits.
    {"9007199254740993", 9007199254740992.0}, {"9007199254740993.00000001", 9007199254740994.0},
    {"9007199254740993.000000001", 9007199254740992.0}, {"2.470328229206232720882844e-324", 0.0},
    // 17 digits are more than a double holds: no short cut through one multiplication.
    {"19227.903782410814", 19227.903782410814},
};

TEST(NumberScan, ReadsTheLongestNumberPrefix) {
    for (const auto& [text, expected] : SCAN_CASES) {
        SCOPED_TRACE(text.substr(0, 60));
        EXPECT_EQ(scan_number(text), expected);
        EXPECT_EQ(exact::scan(text), expected);
        EXPECT_EQ(std::signbit(scan_number(text)), std::signbit(expected));
        EXPECT_EQ(std::signbit(exact::scan(text)), std::signbit(expected));
    }
}

// Format, value, text; each row holds for the formatter and for the exact reference.
const std::tuple<const char*, double, std::string> FORMAT_CASES[] = {
    // Ties that the double holds exactly round up, not to even.
    {"%3.1f", 11.25, "11.3"}, {"%3.1f", 0.25, "0.3"}, {"%4.2f", 7.125, "7.13"}, {"%2.0f", 2.5, " 3"},
    // 12.349999999999999644: the 18th digit, 6, carries the 17 through the nines to 12.35;
    // 1.4499999999999999556: an 18th digit of 5 rounds up too; 1.0649999999999999467:
    // the 18th digit, 4, decides, not the 6 after it.
    {"%3.1f", 12.35, "12.4"}, {"%3.1f", 1.45, "1.5"}, {"%4.2f", 1.065, "1.06"},
    // Carries through nines in the second stage, and in the first out of the first digit
    // (0.99999999999999999881e-14); 1.0000000000000000525e300 and 9.9999999999999999769e97,
    // cut at 79 characters.
    {"%04.1f", 59.95, "60.0"}, {"%4.1f", 99.95, "100.0"}, {"%4.2f", 999.9999999999999, "1000.00"},
    {"%.30f", 1e-14, "0.000000000000010000000000000000"}, {"%2.0f", 1e98, "1" + std::string(78, '0')},
    {"%4.2f", 1e300, "10000000000000001" + std::string(62, '0')},
    // Zero padding after the sign; zero and negative zero without a sign; the default precision.
    {"%04.1f", 5.0, "05.0"}, {"%06.1f", -5.0, "-005.0"}, {"%04.1f", -0.0, "00.0"}, {"%2.0f", 5e-324, " 0"},
    {"%f", 1.5, "1.500000"}, {"%6.2f", HUGE_VAL, "   inf"}, {"%06.2f", -HUGE_VAL, "  -inf"},
    {"%04.1f", std::nan(""), " nan"},
};

TEST(NumberFormat, RoundsInTwoStages) {
    for (const auto& [format, value, expected] : FORMAT_CASES) {
        SCOPED_TRACE(std::string(format) + " of " + std::to_string(value));
        EXPECT_EQ(format_text(format, {value}), expected);
        EXPECT_EQ(exact::format_text(format, {value}), expected);
    }
}

TEST(NumberFormat, BuildsResultTexts) {
    // Missing arguments and arguments of the other kind print nothing; conversions it
    // does not know stay as written and take no argument.
    EXPECT_EQ(format_text("[%s|%3.1f]%2.0f", {1.0, "x"}), "[|]");
    EXPECT_EQ(format_text("%d %3.1f %", {2.0}), "%d 2.0 %");
    // The cut at 79 characters or at the given limit, also inside huge fields.
    EXPECT_EQ(format_text("%s%s", {std::string(50, 'x'), std::string(50, 'x')}), std::string(79, 'x'));
    EXPECT_EQ(format_text(" %3.1f", {119.4}, 4), " 119");
    EXPECT_EQ(format_text("%99999999999999999999999.1f|", {1.0}, 3), "   ");
    EXPECT_EQ(format_text("%.99999999999999999999999f", {1.0}, 5), "1.000");
}

}  // namespace
}  // namespace quorran
