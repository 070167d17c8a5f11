#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "solver/NumberText.h"

namespace quadrello {
namespace {

struct TextCase {
    double value;
    std::string expected;
};

class NumberToTextTable : public ::testing::TestWithParam<TextCase> {};

TEST_P(NumberToTextTable, Writes15SignificantDigits) {
    EXPECT_EQ(NumberToText(GetParam().value), GetParam().expected) << "value " << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Plain, NumberToTextTable,
    ::testing::Values(TextCase{0.0, "0"}, TextCase{-0.0, "0"}, TextCase{25, "25"},
                      TextCase{0.5, "0.5"}, TextCase{-7, "-7"}, TextCase{1, "1"},
                      TextCase{0.0001, "0.0001"}, TextCase{-0.00012, "-0.00012"},
                      TextCase{123456789012345.0, "123456789012345"}, TextCase{0.1 + 0.2, "0.3"},
                      TextCase{1.0 / 3, "0.333333333333333"},
                      TextCase{2.0 / 3, "0.666666666666667"}, TextCase{17, "17"},
                      TextCase{100, "100"}, TextCase{99999999999999.9, "99999999999999.9"}));

INSTANTIATE_TEST_SUITE_P(ExponentNotation, NumberToTextTable,
                         ::testing::Values(TextCase{1e15, "1E+15"}, TextCase{1.5e16, "1.5E+16"},
                                           TextCase{1e-20, "1E-20"}, TextCase{0.00001, "1E-05"},
                                           TextCase{-0.00005, "-5E-05"}, TextCase{1e100, "1E+100"},
                                           TextCase{1.7976931348623157e308,
                                                    "1.79769313486232E+308"},
                                           TextCase{5e-324, "4.94065645841247E-324"},
                                           TextCase{6.93889390390723e-18, "6.93889390390723E-18"},
                                           TextCase{0x1p-54, "5.55111512312578E-17"},
                                           // rounding to 15 digits carries into the 15th exponent
                                           TextCase{999999999999999.9, "1E+15"},
                                           TextCase{123456789012345.6, "123456789012346"}));

struct FixedCase {
    double value;
    int places;
    std::string expected;
};

class FormatFixedTable : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FormatFixedTable, FollowsPattern) {
    const FixedCase& c = GetParam();
    EXPECT_EQ(FormatFixed(c.value, c.places), c.expected)
        << "value " << c.value << " places " << c.places;
}

INSTANTIATE_TEST_SUITE_P(
    TrailingPointAndSign, FormatFixedTable,
    ::testing::Values(FixedCase{2, 26, "2."}, FixedCase{-1, 26, "-1."}, FixedCase{0, 6, "0."},
                      FixedCase{-0.0, 6, "0."}, FixedCase{1.5, 6, "1.5"},
                      FixedCase{-0.25, 6, "-0.25"}, FixedCase{-0.0000001, 6, "-0."},
                      FixedCase{0.0000001, 6, "0."}, FixedCase{-0.0000004, 6, "-0."},
                      FixedCase{-1e-300, 26, "-0."}, FixedCase{0.0000005, 6, "0.000001"},
                      FixedCase{-0.0000005, 6, "-0.000001"}, FixedCase{0.9999999, 6, "1."},
                      FixedCase{-9.9999999, 6, "-10."}));

INSTANTIATE_TEST_SUITE_P(
    DoubleRounding, FormatFixedTable,
    ::testing::Values(FixedCase{0.1234565, 6, "0.123457"},  // the double lies below the half
                      FixedCase{2.5, 0, "3."}, FixedCase{-2.5, 0, "-3."},
                      FixedCase{0.125, 2, "0.13"}, FixedCase{1.0000005, 6, "1.000001"},
                      FixedCase{-1.0 / 6, 6, "-0.166667"}, FixedCase{-13.0 / 12, 6, "-1.083333"},
                      FixedCase{0.2807764064044151, 26, "0.280776406404415"},
                      FixedCase{-1.7807764064044151, 26, "-1.78077640640442"}));

INSTANTIATE_TEST_SUITE_P(
    NoExponentEver, FormatFixedTable,
    ::testing::Values(FixedCase{1.0 / 3, 26, "0.333333333333333"},
                      FixedCase{1e-20, 26, "0.00000000000000000001"},
                      FixedCase{1e20, 26, "100000000000000000000."}, FixedCase{1e-30, 26, "0."},
                      FixedCase{123456789012345678.0, 6, "123456789012346000."},
                      FixedCase{1e-26, 26, "0.00000000000000000000000001"},
                      FixedCase{5e-27, 26, "0.00000000000000000000000001"},
                      FixedCase{4.9e-27, 26, "0."}));

TEST(FormatFixed, LargestDoubleIsPlainDigits) {
    const std::string text = FormatFixed(1.7976931348623157e308, 26);
    EXPECT_EQ(text.size(), 310u);  // 309 integer digits and the point
    EXPECT_EQ(text.substr(0, 15), "179769313486232");
    EXPECT_EQ(text.back(), '.');
}

struct SingleCase {
    float value;
    std::string expected;
};

class SinglePrecisionOnePlace : public ::testing::TestWithParam<SingleCase> {};

// "0.#" on single-precision values: the first rounding keeps 7 digits.
TEST_P(SinglePrecisionOnePlace, MatchesTable) {
    EXPECT_EQ(FormatFixed(GetParam().value, 1), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Readout, SinglePrecisionOnePlace,
    ::testing::Values(SingleCase{3.0f, "3."}, SingleCase{0.0f, "0."}, SingleCase{-0.0f, "0."},
                      SingleCase{2.04f, "2."}, SingleCase{2.05f, "2.1"}, SingleCase{0.5f, "0.5"},
                      SingleCase{0.25f, "0.3"}, SingleCase{-0.25f, "-0.3"},
                      SingleCase{-1.96f, "-2."}, SingleCase{-0.04f, "-0."},
                      SingleCase{12.34f, "12.3"}, SingleCase{1234.56f, "1234.6"},
                      SingleCase{1230.0f, "1230."}, SingleCase{16777217.0f, "16777220."}));

TEST(NumberText, NonFiniteValuesNeverLookLikeNumbers) {
    EXPECT_EQ(NumberToText(INFINITY), "Infinity");
    EXPECT_EQ(FormatFixed(-INFINITY, 6), "-Infinity");
    EXPECT_EQ(FormatFixed(NAN, 6), "NaN");
}

}  // namespace
}  // namespace quadrello
