#include "core/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "exact_decimal.h"

namespace quorran {
namespace {

constexpr double INF = std::numeric_limits<double>::infinity();

struct ScanCase {
    std::string text;
    double expected;
};

const ScanCase SCAN_CASES[] = {
    {"26.2", 26.2},
    {" \t\n\v\f\r26.2", 26.2},
    {"26.2 miles", 26.2},
    {"26.2km", 26.2},
    {"", 0.0},
    {"abc", 0.0},
    {"m", 0.0},
    {"+", 0.0},
    {"-", 0.0},
    {".", 0.0},
    {"-.e1", 0.0},
    {"--1", 0.0},
    {" + 1", 0.0},
    {".5", 0.5},
    {"5.", 5.0},
    {"+7", 7.0},
    {"-5", -5.0},
    {"-0", -0.0},
    {"-0.000e5", -0.0},
    {"1.5.3", 1.5},
    {"1,5", 1.0},
    {"8:30", 8.0},
    {"0x10", 0.0},
    {"inf", 0.0},
    {"nan", 0.0},
    {"-infinity", 0.0},
    // Exponents.
    {"1e1", 10.0},
    {"1E1", 10.0},
    {"1d1", 10.0},
    {"1D-1", 0.1},
    {".5e+2", 50.0},
    {"1e", 1.0},
    {"1e+", 1.0},
    {"1d-x", 1.0},
    {"1 e1", 1.0},
    {"1e1.5", 10.0},
    {"1e999", INF},
    {"-1e999", -INF},
    {"1e-999", 0.0},
    {"-1e-999", -0.0},
    {"1e99999999999999999999999", INF},
    {"1e-99999999999999999999999", 0.0},
    {"0e99999999999999999999999", 0.0},
    {"1.7976931348623157e308", 1.7976931348623157e308},
    {"1.7976931348623159e308", INF},
    {"2.4703282292062328e-324", 5e-324},
    {"2.4703282292062327e-324", 0.0},
    {"1" + std::string(300, '0'), 1e300},
    {"0." + std::string(400, '0') + "1e401", 1.0},
    {std::string(400, '0') + "1.5", 1.5},
    // Leading zeros are not significant.
    {"0000000000000000000000000001.5", 1.5},
    {"0.000000000000000000000000000000000000000015", 1.5e-41},
    // 2^53 + 1 lies halfway between 2^53 and 2^53 + 2. Up to 24 significant digits
    // count: a 1 as 25th digit is dropped and the tie goes to the even 2^53.
    {"9007199254740993", 9007199254740992.0},
    {"9007199254740993.00000001", 9007199254740994.0},
    {"9007199254740993.000000001", 9007199254740992.0},
    // The same at the bottom: the 24 digits stay below half the least subnormal.
    {"2.470328229206232720882844e-324", 0.0},
};

TEST(NumberScan, ReadsTheLongestNumberPrefix) {
    for (const ScanCase& c : SCAN_CASES) {
        SCOPED_TRACE(c.text.substr(0, 60));
        const double got = scan_number(c.text);
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(std::signbit(got), std::signbit(c.expected));
    }
}

// Random texts over the whole range of doubles against the exact reference, the sign
// of zero included.
TEST(NumberScan, RandomTextsRoundToTheNearestDouble) {
    std::mt19937_64 random(19700101);
    const auto below = [&](std::uint64_t n) { return static_cast<long>(random() % n); };
    int failures = 0;
    for (int i = 0; i < 20000; ++i) {
        // Sign, 1 to 30 digits with a point somewhere or none, an exponent that
        // spans from below the subnormals to above the overflow, and a tail.
        const char* signs[] = {"", "+", "-"};
        const std::string sign = signs[below(3)];
        std::string mantissa;
        const long length = 1 + below(30);
        for (long d = 0; d < length; ++d) mantissa += static_cast<char>('0' + below(10));
        if (below(4) != 0) mantissa.insert(static_cast<std::size_t>(below(length + 1)), 1, '.');
        long exponent = 0;
        std::string text = sign + mantissa;
        if (below(5) != 0) {
            exponent = below(700) - 360;
            const char* letters[] = {"e", "E", "d", "D"};
            text += letters[below(4)];
            text += exponent < 0 ? "-" : below(2) == 0 ? "+" : "";
            text += std::to_string(std::labs(exponent));
        }
        const char* tails[] = {"", " ", "km", ",5", "e", "d+", ":30"};
        text += tails[below(7)];

        const double got = scan_number(text);
        const double want = exact::scan(text);
        if (std::bit_cast<std::uint64_t>(got) != std::bit_cast<std::uint64_t>(want) && ++failures <= 10)
            ADD_FAILURE() << text << " read as " << std::hexfloat << got << " instead of " << want;
    }
    EXPECT_EQ(failures, 0);
}

// Exact halfway points between neighbouring doubles, written with up to 24 digits,
// go to the even neighbour; digits after the 24th cannot tip them.
TEST(NumberScan, ExactTiesGoToTheEvenNeighbour) {
    std::mt19937_64 random(42);
    int failures = 0;
    int ties = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::uint64_t m = (std::uint64_t{1} << 52) | (random() >> 12);
        const int e = -9 + static_cast<int>(random() % 30);
        const exact::Decimal tie = exact::from_binary(2 * m + 1, e - 1);
        if (tie.digits.size() > 24) continue;
        ++ties;
        // The tie, digits x 10^exponent, itself, and padded to 24 digits followed by a 25th.
        const long exponent = tie.point - static_cast<long>(tie.digits.size());
        const long padding = 25 - static_cast<long>(tie.digits.size());
        const std::string longer = tie.digits + std::string(static_cast<std::size_t>(padding - 1), '0') +
                                   std::to_string(1 + random() % 9) + "e" +
                                   std::to_string(exponent - padding);
        for (const std::string& text : {tie.digits + "e" + std::to_string(exponent), longer}) {
            const double got = scan_number(text);
            const double even = std::ldexp(static_cast<double>(m % 2 == 0 ? m : m + 1), e);
            if (got != even && ++failures <= 10) ADD_FAILURE() << text << " read as " << got;
        }
    }
    EXPECT_GT(ties, 1000);
    EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace quorran
