#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "RecordingSurface.h"
#include "graph/Parabola.h"
#include "solver/Solver.h"

namespace quadrello {
namespace {

using test::RecordingSurface;
using Op = RecordingSurface::Op;

// What the solver hands the plotter for a, b, c (all zero when it reports them out of range).
Solution Solve(double a, double b, double c) {
    return SolveCoefficients(a, b, c).solution;
}

int CountPoints(const RecordingSurface& surface) {
    int n = 0;
    for (const auto& call : surface.calls) {
        n += call.op == Op::Point;
    }
    return n;
}

TEST(DrawParabola, IssuesCoordinatesWidthTwoAxesThenPointsInOrder) {
    RecordingSurface surface;
    const PlotReport report = DrawParabola(2, 1, 1.5, -0.25, 1, -3, 2, surface);

    ASSERT_EQ(surface.calls.size(), 4u + 10000u);
    const auto& coords = surface.calls[0];
    ASSERT_EQ(coords.op, Op::Coordinates);
    EXPECT_EQ(coords.v[0], -0.25);  // top-left corner (left, top)
    EXPECT_EQ(coords.v[1], 2.4);
    EXPECT_EQ(coords.v[2], 3.0);  // bottom-right corner (right, bottom)
    EXPECT_EQ(coords.v[3], -0.3);
    ASSERT_EQ(surface.calls[1].op, Op::LineWidth);
    EXPECT_EQ(surface.calls[1].width, 1);

    const auto& xAxis = surface.calls[2];
    ASSERT_EQ(xAxis.op, Op::Line);
    EXPECT_EQ(xAxis.colour, 0x00FF0000u);
    EXPECT_EQ(xAxis.v[0], -0.25f);
    EXPECT_EQ(xAxis.v[1], 0.0f);
    EXPECT_EQ(xAxis.v[2], 3.0f);
    EXPECT_EQ(xAxis.v[3], 0.0f);
    const auto& yAxis = surface.calls[3];
    ASSERT_EQ(yAxis.op, Op::Line);
    EXPECT_EQ(yAxis.colour, 0x00FF0000u);
    EXPECT_EQ(yAxis.v[0], 0.0f);
    EXPECT_EQ(yAxis.v[1], 2.4f);
    EXPECT_EQ(yAxis.v[2], 0.0f);
    EXPECT_EQ(yAxis.v[3], -0.3f);

    // The abscissa accumulates by repeated addition of (right - left) / 10000, from left exactly.
    const double step = 3.25 / 10000;
    double x = -0.25;
    for (std::size_t i = 4; i < surface.calls.size(); ++i) {
        const auto& p = surface.calls[i];
        ASSERT_EQ(p.op, Op::Point) << i;
        ASSERT_EQ(p.colour, 0x000000FFu) << i;
        ASSERT_EQ(p.v[0], static_cast<float>(x)) << i;
        // On the curve x² - 3x + 2 = (x - 1)(x - 2), to the float's precision.
        ASSERT_NEAR(p.v[1], (x - 1) * (x - 2), 1e-6) << i;
        x += step;
    }
    EXPECT_EQ(surface.calls[4].v[0], -0.25f);
    EXPECT_EQ(surface.calls[4].v[1], 2.8125f);

    EXPECT_TRUE(report.drawn);
    EXPECT_EQ(report.samples, 10000);
    EXPECT_EQ(report.window.left, -0.25);
    EXPECT_EQ(report.window.top, 2.4);
}

struct CountCase {
    double a, b, c;
    int samples;
};

class SampleCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(SampleCount, TenThousandOrTenThousandAndOne) {
    const CountCase& t = GetParam();
    RecordingSurface surface;
    const PlotReport report = DrawParabola(Solve(t.a, t.b, t.c), surface);
    EXPECT_EQ(report.samples, t.samples);
    EXPECT_EQ(CountPoints(surface), t.samples);
    // The last point never passes right.
    EXPECT_LE(surface.calls.back().v[0], static_cast<float>(report.window.right));
}

INSTANTIATE_TEST_SUITE_P(Examples, SampleCount,
                         ::testing::Values(CountCase{1, -3, 2, 10000}, CountCase{-2, 4, 6, 10001},
                                           CountCase{1, 0, -4, 10001}, CountCase{1, 2, 1, 10000},
                                           CountCase{3, 1, -1, 10001}));

TEST(DrawParabola, StepThatUnderflowsToZeroDrawsNothingAndEnds) {
    // a = 1, b = 1e-323, c = 0: a double root at -5e-324, a window of 5e-323 and a step of 0.
    const Solution s = Solve(1, 1e-323, 0);
    RecordingSurface surface;
    const PlotReport report = DrawParabola(s, surface);
    ASSERT_EQ((report.window.right - report.window.left) / 10000, 0) << "the case of a zero step";
    EXPECT_FALSE(report.drawn);
    EXPECT_EQ(report.samples, 0);
    EXPECT_TRUE(surface.calls.empty()) << "not even the coordinates are set";
}

TEST(DrawParabola, WindowThatCollapsesInSinglePrecisionDrawsNothing) {
    // The y window spans 1.25e-80: every single-precision ordinate would be 0.
    RecordingSurface surface;
    const PlotReport report = DrawParabola(Solve(1, 1e-40, 0), surface);
    EXPECT_GT(report.window.top, report.window.bottom);
    EXPECT_FALSE(report.drawn);
    EXPECT_TRUE(surface.calls.empty());
}

TEST(DrawParabola, BoundsBeyondTheSurfaceRangeDrawNothing) {
    struct Case {
        const char* what;
        Solution s;
    };
    const double huge = std::numeric_limits<double>::max();
    const Case cases[] = {
        // k/5 + k overflows: top is infinite.
        {"infinite top", {0, 0, 1, huge, -1, 2, huge / 2}},
        // finite in double, beyond single precision.
        {"bound beyond single precision", {0, 0, 1, 1e300, -1, 2, 1e299}},
        {"infinite root distance", {huge, -huge, 0.5, -1, 1, -1, 1}},
        {"not a number", {NAN, NAN, NAN, NAN, 1, 1, 1}},
    };
    for (const Case& t : cases) {
        RecordingSurface surface;
        const PlotReport report = DrawParabola(t.s, surface);
        EXPECT_FALSE(report.drawn) << t.what;
        EXPECT_EQ(report.samples, 0) << t.what;
        EXPECT_TRUE(surface.calls.empty()) << t.what;
    }
}

TEST(DrawParabola, SkipsSamplesWhoseOrdinateDoesNotFit) {
    // a = 1e38: the window is x from -10 to 10, but a·x² passes the single-precision range
    // beyond |x| ≈ 1.84. Only the middle samples reach the surface.
    RecordingSurface surface;
    const PlotReport report = DrawParabola(Solve(1e38, 0, 1), surface);
    ASSERT_TRUE(report.drawn);
    EXPECT_GT(report.samples, 1000);
    EXPECT_LT(report.samples, 2000);
    EXPECT_EQ(CountPoints(surface), report.samples);
    for (const auto& call : surface.calls) {
        ASSERT_TRUE(std::isfinite(call.v[0]) && std::isfinite(call.v[1]));
        if (call.op == Op::Point) {
            ASSERT_LT(std::fabs(call.v[0]), 1.85);
        }
    }
}

TEST(DrawParabola, EveryInputEndsWithinTheSampleCap) {
    // Coefficients of every sign and magnitude across the double range; each plot must end,
    // issue at most 10,001 points and hand the surface finite numbers only.
    std::mt19937_64 random(20240601);
    std::uniform_int_distribution<int> exponent(-1074, 1023);
    std::uniform_real_distribution<double> mantissa(1, 2);
    std::bernoulli_distribution negative(0.5);
    std::bernoulli_distribution zero(0.1);
    auto draw = [&] {
        if (zero(random))
            return 0.0;
        const double v = std::ldexp(mantissa(random), exponent(random));
        return negative(random) ? -v : v;
    };
    int drawn = 0;
    for (int i = 0; i < 400; ++i) {
        double a = draw();
        if (a == 0)
            a = 1;
        const Solution s = Solve(a, draw(), draw());
        RecordingSurface surface;
        const PlotReport report = DrawParabola(s, surface);
        ASSERT_LE(report.samples, kMaxCurveSamples);
        drawn += report.drawn;
        for (const auto& call : surface.calls) {
            for (double v : call.v) {
                ASSERT_TRUE(std::isfinite(v)) << s.a << " " << s.b << " " << s.c;
            }
        }
    }
    EXPECT_GT(drawn, 0);
}

}  // namespace
}  // namespace quadrello
