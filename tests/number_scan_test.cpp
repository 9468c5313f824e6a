#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <utility>

#include "core/double_bits.h"
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

// Random texts over the whole range of doubles, and exact ties between neighbouring
// doubles, alone or followed by a 25th digit that must not tip them, against the
// exact reference.
TEST(NumberScan, RandomTextsMatchTheExactReference) {
    std::mt19937_64 random(19700101);
    const auto below = [&](std::uint64_t n) { return static_cast<long>(random() % n); };
    const auto pick = [&](std::initializer_list<const char*> list) { return list.begin()[below(list.size())]; };
    int failures = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        if (i % 4 == 0) {
            // (2m + 1) x 2^k with m of 53 bits: halfway between m x 2^(k+1) and the next double.
            const std::uint64_t m = (std::uint64_t{1} << 52) | (random() >> 12);
            const exact::Decimal tie = exact::from_binary(2 * m + 1, static_cast<int>(below(30)) - 10);
            const bool longer = below(2) != 0 && tie.digits.size() < 24;
            text = "0." + tie.digits + (longer ? std::string(24 - tie.digits.size(), '0') + "1" : "") + "e" +
                   std::to_string(tie.point);
        } else {
            // A sign, 1 to 30 digits with a point somewhere or none, an exponent from
            // below the subnormals to above the largest double, and a tail.
            text = pick({"", "+", "-"});
            const long length = 1 + below(30);
            for (long d = 0; d < length; ++d) text += static_cast<char>('0' + below(10));
            if (below(4) != 0) text.insert(text.size() - static_cast<std::size_t>(below(length + 1)), 1, '.');
            if (below(5) != 0) {
                text += pick({"e", "E", "d", "D"});
                text += pick({"", "+", "-"});
                text += std::to_string(below(370));
            }
            text += pick({"", " ", "km", ",5", "e", "d+", ":30"});
        }
        const double got = scan_number(text);
        const double want = exact::scan(text);
        if (bits_of(got) != bits_of(want) && ++failures <= 10)
            ADD_FAILURE() << text << " read as " << std::hexfloat << got << " instead of " << want;
    }
    EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace quorran
