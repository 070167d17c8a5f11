#include <gtest/gtest.h>

#include <string>

#include "graph/PointerReadout.h"

namespace quadrello {
namespace {

struct CaptionCase {
    float x, y;
    const char* text;
};

// The "0.#" table, each value once as x and once as y, and the readings the window shows.
const CaptionCase kCases[] = {
    {3, 0, "3.   0."},
    {2.04f, 2.05f, "2.   2.1"},  // the float nearest 2.05 lies below it; 7 digits bring it back
    {0.5f, 0.25f, "0.5   0.3"},
    {-0.25f, -1.96f, "-0.3   -2."},
    {-0.04f, 12.34f, "-0.   12.3"},
    {1234.56f, -0.0f, "1234.6   0."},  // negative zero has no sign
    {1.5f, -0.25f, "1.5   -0.3"},      // the vertex of y = x² - 3x + 2
    {3, 2, "3.   2."},
    {1230, 600, "1230.   600."},  // twips before any plot
    {0, 0, "0.   0."},
};

class PointerCaptionTable : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(PointerCaptionTable, FormatsBothNumbersJoinedByThreeBlanks) {
    const CaptionCase& t = GetParam();
    EXPECT_EQ(PointerCaption(t.x, t.y), t.text);
}

INSTANTIATE_TEST_SUITE_P(Table, PointerCaptionTable, ::testing::ValuesIn(kCases));

TEST(PointerCaption, NextToTheXAxisReadsZeroWithTheSideOfItsSign) {
    EXPECT_EQ(PointerCaption(1, 0.009f), "1.   0.");
    EXPECT_EQ(PointerCaption(1, -0.0045f), "1.   -0.");
}

}  // namespace
}  // namespace quadrello
