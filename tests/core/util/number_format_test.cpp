// The "####.####" picture that mass panels and windows use.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "util/number_format.h"

namespace qzx {
namespace {

TEST(HashPattern4, NoLeadingZeroAtMostFourDecimalsNoTrailingZeros) {
    EXPECT_EQ(formatHashPattern4(78.04695129394531), "78.047");
    EXPECT_EQ(formatHashPattern4(324.1331481933594), "324.1331");
    EXPECT_EQ(formatHashPattern4(78.0), "78");
    EXPECT_EQ(formatHashPattern4(78.04999), "78.05");
    EXPECT_EQ(formatHashPattern4(0.5), ".5");
    EXPECT_EQ(formatHashPattern4(0.0001), ".0001");
    EXPECT_EQ(formatHashPattern4(12.00004), "12");
    EXPECT_EQ(formatHashPattern4(9999.99996), "10000");
    EXPECT_EQ(formatHashPattern4(1234567.891), "1234567.891");
    EXPECT_EQ(formatHashPattern4(-1.25), "-1.25");
    EXPECT_EQ(formatHashPattern4(-0.5), "-.5");
}

TEST(HashPattern4, ZeroAndValuesThatRoundToZeroReadZero) {
    EXPECT_EQ(formatHashPattern4(0.0), "0");
    EXPECT_EQ(formatHashPattern4(0.00004), "0");
    EXPECT_EQ(formatHashPattern4(-0.00004), "0");
}

TEST(HashPattern4, HalvesRoundAwayFromZeroOnFifteenDigits) {
    // 0.03125 is exact in binary: a tie, rounded up rather than to even.
    EXPECT_EQ(formatHashPattern4(0.03125), ".0313");
    EXPECT_EQ(formatHashPattern4(-0.03125), "-.0313");
    // 2.00005 is stored a little below; its fifteen significant digits still end in 5.
    EXPECT_EQ(formatHashPattern4(2.00005), "2.0001");
    EXPECT_EQ(formatOptionalDecimals(2.5, 0), "3");
    EXPECT_EQ(formatOptionalDecimals(78.04695, 2), "78.05");
}

TEST(HashPattern4, NotANumberAndInfinities) {
    EXPECT_EQ(formatHashPattern4(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(formatHashPattern4(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(formatHashPattern4(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST(WholeNumberField, SignAndDigitsFillTheFieldApartFromBlanks) {
    EXPECT_EQ(readWholeNumberField("42"), 42);
    EXPECT_EQ(readWholeNumberField("  42 "), 42);
    EXPECT_EQ(readWholeNumberField("-7"), -7);
    EXPECT_EQ(readWholeNumberField("+7"), 7);
    EXPECT_EQ(readWholeNumberField("2147483647"), 2147483647);
    EXPECT_EQ(readWholeNumberField("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(readWholeNumberField("2147483648"), std::nullopt);
    for (const char* bad : {"", "   ", "+", "-", "+-1", "4 2", "4.0", "1e3", "x", "12a", "0x10"})
        EXPECT_EQ(readWholeNumberField(bad), std::nullopt) << '"' << bad << '"';
}

} // namespace
} // namespace qzx
