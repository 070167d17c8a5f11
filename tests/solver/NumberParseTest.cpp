#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <string>

#include "solver/NumberText.h"

namespace quadrello {
namespace {

struct ParseCase {
    std::string text;
    double expected;
};

class ParseNumberTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberTable, ReadsLongestLeadingNumber) {
    const ParseCase& c = GetParam();
    const ParsedNumber parsed = ParseNumberChecked(c.text);
    EXPECT_TRUE(parsed.inRange) << "text: [" << c.text << "]";
    EXPECT_EQ(std::bit_cast<std::uint64_t>(parsed.value), std::bit_cast<std::uint64_t>(c.expected))
        << "text: [" << c.text << "] gave " << parsed.value;
}

INSTANTIATE_TEST_SUITE_P(
    Decimal, ParseNumberTable,
    ::testing::Values(ParseCase{"", 0.0}, ParseCase{"abc", 0.0}, ParseCase{"0", 0.0},
                      ParseCase{"2", 2.0}, ParseCase{"-7", -7.0}, ParseCase{"+3", 3.0},
                      ParseCase{".5", 0.5}, ParseCase{"-.5", -0.5}, ParseCase{"1.", 1.0},
                      ParseCase{"3abc", 3.0}, ParseCase{"12abc", 12.0}, ParseCase{"1,5", 1.0},
                      ParseCase{"1.2.3", 1.2}, ParseCase{"0.1", 0.1}, ParseCase{"-0", -0.0},
                      ParseCase{"-", 0.0}, ParseCase{".", 0.0}, ParseCase{"-.", 0.0},
                      ParseCase{"+-1", 0.0}, ParseCase{"--1", 0.0}, ParseCase{"0.000", 0.0},
                      ParseCase{"007", 7.0}, ParseCase{"0.05", 0.05},
                      ParseCase{"123456789012345678901234567890",
                                123456789012345678901234567890.0}));

INSTANTIATE_TEST_SUITE_P(
    BlanksInsideNumbers, ParseNumberTable,
    ::testing::Values(ParseCase{" 2 45 7", 2457.0}, ParseCase{"1 2", 12.0},
                      ParseCase{"\t-\n1 . 5", -1.5}, ParseCase{" 1", 1.0}, ParseCase{"  ", 0.0},
                      ParseCase{"1 e 3", 1000.0}, ParseCase{"- 2", -2.0},
                      ParseCase{"1\r2", 1.0}));  // a carriage return is no blank: it ends

INSTANTIATE_TEST_SUITE_P(
    Exponents, ParseNumberTable,
    ::testing::Values(ParseCase{"1e3", 1000.0}, ParseCase{"1E3", 1000.0}, ParseCase{"1D3", 1000.0},
                      ParseCase{"1d3", 1000.0}, ParseCase{"2.5e-1", 0.25}, ParseCase{"1e+2", 100.0},
                      ParseCase{"1e", 1.0}, ParseCase{"1e+", 1.0}, ParseCase{"1ex", 1.0},
                      ParseCase{"e5", 0.0}, ParseCase{"1.5E", 1.5}, ParseCase{"1e308", 1e308},
                      ParseCase{"1e-400", 0.0}, ParseCase{"-1e-400", -0.0},
                      ParseCase{"4.9e-324", 4.9e-324}, ParseCase{"0e999999", 0.0},
                      ParseCase{"1e-99999999999999", 0.0}));

INSTANTIATE_TEST_SUITE_P(
    BasePrefixes, ParseNumberTable,
    ::testing::Values(ParseCase{"&H10", 16.0}, ParseCase{"&h10", 16.0}, ParseCase{"&O17", 15.0},
                      ParseCase{"&o17", 15.0}, ParseCase{"&HFFFF", -1.0},
                      ParseCase{"&H7FFF", 32767.0}, ParseCase{"&H8000", -32768.0},
                      ParseCase{"&H10000", 65536.0}, ParseCase{"&HFFFFFFFF", -1.0},
                      ParseCase{"&H7FFFFFFF", 2147483647.0}, ParseCase{"&H80000000", -2147483648.0},
                      ParseCase{"&O177777", -1.0}, ParseCase{"&O200000", 65536.0},
                      ParseCase{"&O37777777777", -1.0}, ParseCase{"&Hff", 255.0},
                      ParseCase{"&H1G", 1.0}, ParseCase{"&O8", 0.0}, ParseCase{"&H", 0.0},
                      ParseCase{"&", 0.0}, ParseCase{"&X1", 0.0}, ParseCase{" & H 1 0", 16.0},
                      ParseCase{"-&H10", 0.0}, ParseCase{"&H0000000000010", 16.0}));

// Full-width digits and every other non-ASCII character end the number.
INSTANTIATE_TEST_SUITE_P(StopCharacters, ParseNumberTable,
                         ::testing::Values(ParseCase{"１２", 0.0}, ParseCase{"3１", 3.0},
                                           ParseCase{"2．5", 2.0}, ParseCase{"－1", 0.0},
                                           ParseCase{"1_000", 1.0}, ParseCase{"5%", 5.0},
                                           ParseCase{std::string("4\0"
                                                                 "2",
                                                                 3),
                                                     4.0},
                                           ParseCase{"0x10", 0.0}, ParseCase{"1/2", 1.0},
                                           ParseCase{"Δ1", 0.0}));

struct OutOfRangeCase {
    std::string text;
};

class ParseOutOfRange : public ::testing::TestWithParam<OutOfRangeCase> {};

TEST_P(ParseOutOfRange, IsFlagged) {
    const ParsedNumber parsed = ParseNumberChecked(GetParam().text);
    EXPECT_FALSE(parsed.inRange) << GetParam().text;
    EXPECT_TRUE(std::isinf(parsed.value)) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Beyond, ParseOutOfRange,
                         ::testing::Values(OutOfRangeCase{"1e309"}, OutOfRangeCase{"-1e309"},
                                           OutOfRangeCase{"1e99999999999999999999"},
                                           OutOfRangeCase{"&H100000000"},
                                           OutOfRangeCase{"&O40000000000"},
                                           OutOfRangeCase{"&HFFFFFFFFFFFFFFFFFFFFFFFF"},
                                           OutOfRangeCase{std::string(400, '9')}));

TEST(ParseNumber, NegativeOverflowKeepsItsSign) {
    EXPECT_LT(ParseNumber("-1e400"), 0);
}

TEST(ParseNumber, HugeInputEndsQuickly) {
    const std::string digits(1'000'000, '7');
    EXPECT_FALSE(ParseNumberChecked(digits).inRange);
    const std::string fraction = "0." + std::string(1'000'000, '0') + "1";
    EXPECT_EQ(ParseNumber(fraction), 0.0);
    const std::string blanks(1'000'000, ' ');
    EXPECT_EQ(ParseNumber(blanks + "5"), 5.0);
}

}  // namespace
}  // namespace quadrello
