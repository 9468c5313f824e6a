#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <tuple>

#include "core/double_bits.h"
#include "exact_decimal.h"

namespace quorran {
namespace {

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
    EXPECT_EQ(format_text("%s      %2.0f:%02.0f:%04.1f %%", {std::string("Mile 20"), 2.0, 5.0, 9.25}),
              "Mile 20       2:05:09.3 %");
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

// Random values against the exact reference, in every format the result texts use,
// and with enough decimals for every digit of the smallest values.
TEST(NumberFormat, RandomValuesMatchTheExactReference) {
    const char* const formats[] = {"%2.0f", "%04.1f", "%02.0f", "%3.1f", "%4.1f", "%4.2f", "%.20f", "%.1080f"};
    std::mt19937_64 random(20240611);
    int failures = 0;
    for (int i = 0; i < 12004; ++i) {
        // A few extremes, then alternately any bit pattern and up to 10^8 tenths,
        // hundredths or thousandths.
        const double extremes[] = {5e-324, 2.2250738585072009e-308, 1.7976931348623157e308, 1e23};
        const std::uint64_t r = random();
        const double value = i < 4       ? extremes[i]
                             : i % 2 == 0 ? double_of(r)
                                          : static_cast<double>(r % 100'000'000) / std::pow(10.0, 1 + (r >> 32) % 3);
        for (const char* format : formats) {
            const std::string got = format_text(format, {value}, 1400);
            const std::string want = exact::format_text(format, {value}, 1400);
            if (got != want && ++failures <= 10)
                ADD_FAILURE() << format << " of " << std::hexfloat << value << ": " << got << " instead of " << want;
        }
    }
    EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace quorran
