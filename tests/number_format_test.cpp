#include "core/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "exact_decimal.h"

namespace quorran {
namespace {

constexpr double INF = std::numeric_limits<double>::infinity();

struct FixedCase {
    const char* format;
    double value;
    std::string expected;
};

// Each row is checked against both the formatter and the exact reference.
const FixedCase FIXED_CASES[] = {
    // Ties that the double holds exactly round up, unlike half-to-even.
    {"%3.1f", 11.25, "11.3"},
    {"%3.1f", 0.25, "0.3"},
    {"%4.2f", 7.125, "7.13"},
    {"%4.2f", 0.125, "0.13"},
    {"%4.2f", 0.375, "0.38"},
    {"%3.1f", 1.25, "1.3"},
    {"%2.0f", 2.5, " 3"},
    {"%2.0f", 0.5, " 1"},
    // 12.3499999999999996447...: the 18th digit 6 lifts the 17 digits to 12.35.
    {"%3.1f", 12.35, "12.4"},
    // 1.44999999999999995559...: an 18th digit of exactly 5 rounds up.
    {"%3.1f", 1.45, "1.5"},
    // 1.06499999999999994670...: only the 18th digit (4) counts, not the 6 after it.
    {"%4.2f", 1.065, "1.06"},
    // 0.0499999999999999888977...: 17 digits end in 9, the 18th is 8: up to 0.05.
    {"%4.2f", 0.04999999999999999, "0.05"},
    {"%3.1f", 0.04999999999999999, "0.0"},
    // 9.9499999999999992894...: stays below 9.95.
    {"%3.1f", 9.95, "9.9"},
    // Carries through nines.
    {"%04.1f", 59.95, "60.0"},
    {"%4.1f", 99.95, "100.0"},
    {"%4.2f", 999.9999999999999, "1000.00"},
    {"%2.0f", 999.9999999999999, "1000"},
    // 0.99999999999999999881e-14 carries to 1e-14 in the first stage.
    {"%.30f", 1e-14, "0.000000000000010000000000000000"},
    // Padding and signs.
    {"%04.1f", 5.0, "05.0"},
    {"%04.1f", 0.0, "00.0"},
    {"%04.1f", -0.0, "00.0"},
    {"%2.0f", -0.0, " 0"},
    {"%3.1f", -0.01, "-0.0"},
    {"%06.1f", -5.0, "-005.0"},
    {"%5.1f", -5.0, " -5.0"},
    {"%02.0f", 7.0, "07"},
    {"%2.0f", 123.0, "123"},
    {"%.0f", 2.5, "3"},
    {"%f", 1.5, "1.500000"},
    // Extremes.
    {"%2.0f", 5e-324, " 0"},
    {"%4.2f", -5e-324, "-0.00"},
    {"%4.2f", 1e300, "10000000000000001" + std::string(62, '0')},
    {"%4.2f", 1.7976931348623157e308, "17976931348623157" + std::string(62, '0')},
    {"%2.0f", 1e98, "1" + std::string(78, '0')},  // 99999999999999999769...
    {"%6.2f", INF, "   inf"},
    {"%06.2f", -INF, "  -inf"},
    {"%04.1f", std::nan(""), " nan"},
};

TEST(NumberFormat, RoundsInTwoStages) {
    for (const FixedCase& c : FIXED_CASES) {
        SCOPED_TRACE(std::string(c.format) + " of " + std::to_string(c.value));
        EXPECT_EQ(format_text(c.format, {c.value}), c.expected);
        EXPECT_EQ(exact::format_text(c.format, {c.value}), c.expected);
    }
}

TEST(NumberFormat, BuildsResultTexts) {
    EXPECT_EQ(format_text("%2.0f:%04.1f per mile", {8.0, 0.6}), " 8:00.6 per mile");
    EXPECT_EQ(format_text(" %3.1f secs or %2.0f:%04.1f per 400m", {119.4, 1.0, 59.4}),
              " 119.4 secs or  1:59.4 per 400m");
    EXPECT_EQ(format_text("%s      %2.0f:%02.0f:%04.1f", {"Mile 20", 2.0, 5.0, 9.25}),
              "Mile 20       2:05:09.3");
    EXPECT_EQ(format_text("%2.0f %s, %3.1f %s", {3.0, std::string("minutes"), 7.5, "seconds"}),
              " 3 minutes, 7.5 seconds");
    EXPECT_EQ(format_text("100%% at %3s|%.2s", {"a", "xyz"}), "100% at   a|xy");
    // Missing arguments and arguments of the other kind print nothing.
    EXPECT_EQ(format_text("%2.0f:%04.1f", {8.0}), " 8:");
    EXPECT_EQ(format_text("[%s|%3.1f]", {1.0, "x"}), "[|]");
    // Conversions it does not know stay as written and take no argument.
    EXPECT_EQ(format_text("%d %3.1f %", {2.0}), "%d 2.0 %");
    // The cut.
    const std::string fifty(50, 'x');
    EXPECT_EQ(format_text("%s%s", {fifty, fifty}), std::string(79, 'x'));
    EXPECT_EQ(format_text(" %3.1f", {119.4}, 4), " 119");
    EXPECT_EQ(format_text("%4.2f", {1e300}, 5), "10000");
    EXPECT_EQ(format_text("%99999999999999999999999.1f|", {1.0}, 3), "   ");
    EXPECT_EQ(format_text("%.99999999999999999999999f", {1.0}, 5), "1.000");
    EXPECT_EQ(format_text("%3.1f", {1.0}, 0), "");
}

// Random values against the exact reference, in every format the results use, and
// with enough decimals to show every digit of the smallest values.
TEST(NumberFormat, RandomValuesMatchTheExactReference) {
    struct Format {
        const char* text;
        std::size_t limit = TEXT_LIMIT;
    };
    const Format formats[] = {{"%2.0f"}, {"%04.1f"}, {"%02.0f"}, {"%3.1f"},
                              {"%4.1f"}, {"%4.2f"}, {"%.20f"}, {"%.1080f", 1400}};
    std::mt19937_64 random(20240611);
    std::vector<double> values = {5e-324, 1.5e-323, 2.2250738585072009e-308, 2.2250738585072014e-308,
                                  -1e-310, 1.7976931348623157e308, 9.9999999999999999e22};
    for (int i = 0; i < 6000; ++i) values.push_back(std::bit_cast<double>(random()));
    for (int i = 0; i < 6000; ++i) {
        // 0 to 100000 with 1 to 3 decimals: n / 10^d.
        const std::uint64_t units[] = {10, 100, 1000};
        const std::uint64_t unit = units[random() % 3];
        values.push_back(static_cast<double>(random() % (100'000 * unit)) / static_cast<double>(unit));
    }
    int failures = 0;
    for (const double value : values) {
        for (const Format& f : formats) {
            const std::string got = format_text(f.text, {value}, f.limit);
            const std::string want = exact::format_text(f.text, {value}, f.limit);
            if (got != want && ++failures <= 10)
                ADD_FAILURE() << f.text << " of " << std::hexfloat << value << ": " << got
                              << " instead of " << want;
        }
    }
    EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace quorran
