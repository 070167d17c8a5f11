#include <gtest/gtest.h>

#include <cmath>

#include "graph/PlotWindow.h"

namespace quadrello {
namespace {

struct WindowCase {
    double a, b, c;       // the parabola, for the reader and the failure message
    double r1, r2, h, k;  // as the solver hands them over (signed zeros included)
    int xRow;
    double left, right;
    int yRow;
    double bottom, top;
};

// One parabola for every row of both tables, the documented examples among them. The inputs are
// the solver's results for a, b, c; the bounds are exact doubles.
const WindowCase kCases[] = {
    {1, -2, -3, 3, -1, 1, -4, 4, -5, 7, 1, -4.8, 0.75},
    {2, -4, 5, 0, 0, 1, 3, 5, -2, 3, 2, -0.75, 6},
    {1, -3, 2, 2, 1, 1.5, -0.25, 3, -0.25, 3, 3, -0.3, 2.4},
    {1, -2, 0, 2, 0, 1, -1, 4, -2, 4, 4, -1.25, 4},
    {1, 2, 1, -1, -1, -1, 0, 2, -6, 4, 5, -0.25, 4},
    {-2, 4, 6, 3, -1, 1, 8, 4, -5, 7, 6, -2, 9.6},
    {-1, -3, -2, -1, -2, -1.5, 0.25, 7, -3, 0.25, 7, -2.4, 0.3},
    {-1, 2, -3, 0, 0, 1, -2, 5, -2, 3, 8, -3.6, 0.5},
    {-1, 2, 0, 2, -0.0, 1, 1, 4, -2, 4, 9, -4, 1.25},
    {-1, 2, -1, 1, 1, 1, -0.0, 2, -4, 6, 10, -1.2, 0.25},
    {1, 0, 1, 0, 0, -0.0, 1, 1, -10, 10, 11, -1, 5},
    {-1, 0, 4, 2, -2, 0, 4, 1, -25, 25, 12, -20, 5},
    {1, 0, 0, 0, 0, -0.0, 0, 1, -5, 5, 13, -1, 5},
    {-1, 0, 0, -0.0, -0.0, 0, 0, 1, -5, 5, 14, -5, 1},
    {-1, 0, -1, 0, 0, 0, -1, 1, -10, 10, 15, -5, 1},
    {1, 0, -4, 2, -2, -0.0, -4, 1, -25, 25, 16, -5, 20},
    {1, 2, 0, 0, -2, -1, -1, 6, -4, 2, 4, -1.25, 4},
    {2, 3, -1, 0.28077640640441515, -1.7807764064044151, -0.75, -2.125, 6, -3.842329219213245,
     2.342329219213245, 1, -2.55, 0.25},
    {1, 3, 2, -1, -2, -1.5, -0.25, 7, -3, 0.25, 3, -0.3, 2.4},
    {1, 2, 3, 0, 0, -1, 2, 8, -3, 2, 2, -0.5, 3.6},
    {3, 1, -1, 0.4342585459106649, -0.7675918792439983, -0.16666666666666666, -1.0833333333333333,
     6, -1.9694423043986613, 1.636108971065328, 1, -1.2999999999999998, 0.25},
};

class PlotWindowTable : public ::testing::TestWithParam<WindowCase> {};

TEST_P(PlotWindowTable, ChoosesRowAndBounds) {
    const WindowCase& t = GetParam();
    const PlotWindow w = ComputePlotWindow(t.r1, t.r2, t.h, t.k, t.a, t.c);
    EXPECT_EQ(w.xRow, t.xRow);
    EXPECT_EQ(w.yRow, t.yRow);
    EXPECT_EQ(w.left, t.left);
    EXPECT_EQ(w.right, t.right);
    EXPECT_EQ(w.bottom, t.bottom);
    EXPECT_EQ(w.top, t.top);
    // The window holds the origin, the vertex and the intercept strictly inside.
    EXPECT_LT(w.left, 0);
    EXPECT_GT(w.right, 0);
    EXPECT_LT(w.left, t.h);
    EXPECT_GT(w.right, t.h);
    EXPECT_LT(w.bottom, std::fmin(0.0, std::fmin(t.k, t.c)));
    EXPECT_GT(w.top, std::fmax(0.0, std::fmax(t.k, t.c)));
}

INSTANTIATE_TEST_SUITE_P(EveryRow, PlotWindowTable, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<WindowCase>& info) {
                             return "case" + std::to_string(info.index) + "_x" +
                                    std::to_string(info.param.xRow) + "_y" +
                                    std::to_string(info.param.yRow);
                         });

TEST(PlotWindow, EvaluatesEachFormulaInItsWrittenOrder) {
    // k/5 + k is not k·1.2 nor 6k/5 in the last bit: -0.96000000000000008 versus -0.96 and
    // -0.96000000000000019; c/5 + c likewise differs from c·1.2 = 0.12.
    const PlotWindow w = ComputePlotWindow(2, 1, 1.5, -0.8, 1, 0.1);
    EXPECT_EQ(w.yRow, 3);
    EXPECT_EQ(w.bottom, -0.9600000000000001);
    EXPECT_EQ(w.top, 0.12000000000000001);
}

TEST(PlotWindow, NegativeZeroCountsAsZero) {
    // c = -0 with k < 0: row 4, not row 1; k = c = -0: row 13 or 14 by the sign of a.
    EXPECT_EQ(ComputePlotWindow(2, 0, 1, -1, 1, -0.0).yRow, 4);
    EXPECT_EQ(ComputePlotWindow(0, 0, -0.0, -0.0, 1, -0.0).yRow, 13);
    EXPECT_EQ(ComputePlotWindow(0, 0, -0.0, -0.0, -1, 0.0).yRow, 14);
    // k = -0 with c > 0: row 5.
    EXPECT_EQ(ComputePlotWindow(-1, -1, -1, -0.0, 1, 1).yRow, 5);
    // h = -0 is on the y axis: row 1; r2 = -0 counts as r2 <= 0 (row 4); roots of -0 mean none
    // (rows 5 and 8).
    EXPECT_EQ(ComputePlotWindow(0, 0, -0.0, 1, 1, 1).xRow, 1);
    EXPECT_EQ(ComputePlotWindow(2, -0.0, 1, 1, -1, 0).xRow, 4);
    EXPECT_EQ(ComputePlotWindow(-0.0, -0.0, 1, 3, 2, 5).xRow, 5);
    EXPECT_EQ(ComputePlotWindow(-0.0, -0.0, -1, 2, 1, 3).xRow, 8);
}

TEST(PlotWindow, NoRowForInputOutsideThePreconditions) {
    const PlotWindow zeroA = ComputePlotWindow(0, 0, 1, 1, 0, 1);  // k = c needs a's sign
    EXPECT_EQ(zeroA.yRow, 0);
    EXPECT_TRUE(std::isnan(zeroA.bottom));
    const PlotWindow nan = ComputePlotWindow(NAN, NAN, NAN, NAN, 1, 1);
    EXPECT_EQ(nan.xRow, 0);
    EXPECT_EQ(nan.yRow, 0);
    EXPECT_TRUE(std::isnan(nan.left));
}

}  // namespace
}  // namespace quadrello
