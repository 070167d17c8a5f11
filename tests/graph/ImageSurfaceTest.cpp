// The retained image on its own, without any application object: the way the command-line
// companion renders.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graph/Parabola.h"
#include "graph/image/ImageSurface.h"

namespace quadrello::graph {
namespace {

// The drawing area of the window's plot: 4335 × 3075 twips less a 2-pixel border each side.
const QSize kArea(285, 201);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kRed = qRgb(255, 0, 0);

int CountColour(const QImage& image, QRgb rgb) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += image.pixel(x, y) == rgb;
        }
    }
    return n;
}

TEST(ImageSurface, RendersTheParabolaWithItsAxesAndNothingElse) {
    ImageSurface surface(kArea, Qt::white);
    const PlotReport report = DrawParabola(2, 1, 1.5, -0.25, 1, -3, 2, surface);
    ASSERT_TRUE(report.drawn);
    const QImage image = surface.Picture();
    ASSERT_EQ(image.size(), kArea);

    // y = 0 falls in row floor(2.4 / 2.7 · 201) = 178, x = 0 in column floor(0.25 / 3.25 · 285)
    // = 21.
    const int axisRow = 178;
    const int axisColumn = 21;
    // The curve y = x² - 3x + 2 over one pixel column, in device rows.
    auto curveRows = [](int column) {
        const double x0 = -0.25 + column * 3.25 / 285;
        const double x1 = -0.25 + (column + 1) * 3.25 / 285;
        auto row = [](double x) { return (x * x - 3 * x + 2 - 2.4) * 201 / -2.7; };
        double lo = std::fmin(row(x0), row(x1));
        double hi = std::fmax(row(x0), row(x1));
        if (x0 < 1.5 && 1.5 < x1) {
            lo = std::fmin(lo, row(1.5));
            hi = std::fmax(hi, row(1.5));
        }
        return std::pair(lo, hi);
    };

    for (int x = 0; x < image.width(); ++x) {
        const auto [lo, hi] = curveRows(x);
        bool columnHasRed = false;
        for (int y = 0; y < image.height(); ++y) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel == kRed) {
                columnHasRed = true;
                // One pixel of slack for the single-precision positions.
                EXPECT_GE(y, std::floor(lo) - 1) << x << "," << y;
                EXPECT_LE(y, std::floor(hi) + 1) << x << "," << y;
            } else if (y == axisRow || x == axisColumn) {
                EXPECT_EQ(pixel, kBlue) << x << "," << y;
            } else {
                EXPECT_EQ(pixel, kWhite) << x << "," << y;
            }
        }
        // Where the curve passes through the area, every column shows it.
        if (hi >= 0 && lo < image.height()) {
            EXPECT_TRUE(columnHasRed) << x;
        } else {
            EXPECT_FALSE(columnHasRed) << x;
        }
    }
    EXPECT_GT(CountColour(image, kBlue), 285 + 201 - 20);
}

// 0 lies inside the window by a hair: the bottom bound is -1.2e-17 on a span of 1.2, so the
// computed row rounds to the far edge. The axis must still show, in the last row.
TEST(ImageSurface, OnADarkBackgroundTheBlueAxesAreLightenedAndTheRedCurveKept) {
    ImageSurface surface(kArea, QColor(27, 30, 32));  // a dark scheme's base colour
    DrawParabola(2, 1, 1.5, -0.25, 1, -3, 2, surface);
    const QImage image = surface.Picture();
    // Pure blue stands at 1.95:1 against it; five sixteenths of the way to white it reaches 3:1.
    EXPECT_EQ(image.pixel(0, 178), qRgb(79, 79, 255)) << "the x axis";
    EXPECT_EQ(image.pixel(21, 0), qRgb(79, 79, 255)) << "the y axis";
    EXPECT_GT(CountColour(image, kRed), 285) << "pure red stands at 4.2:1 and stays";
}

TEST(ImageSurface, AxisNextToTheFarBoundStaysInsideTheArea) {
    ImageSurface surface(kArea, Qt::white);
    const PlotReport report = DrawParabola(2, -0.0, 1, 1, -1, 2, -1e-17, surface);
    ASSERT_TRUE(report.drawn);
    ASSERT_LT(report.window.bottom, 0.0);
    const QImage image = surface.Picture();
    int blueInLastRow = 0;
    for (int x = 0; x < image.width(); ++x) {
        blueInLastRow += image.pixel(x, kArea.height() - 1) == kBlue;
    }
    EXPECT_GT(blueInLastRow, kArea.width() / 2) << "the x axis is missing";
}

TEST(ImageSurface, PixelsAreCellsCountedFromTheTopLeftCorner) {
    ImageSurface surface(QSize(10, 10), Qt::white);
    surface.SetUserCoordinates(0, 10, 10, 0);    // y upward
    surface.SetPoint(0, 10, 0x000000FF);         // the top-left corner: cell (0, 0)
    surface.SetPoint(9.99f, 0.01f, 0x0000FF00);  // just inside the bottom-right corner
    surface.SetPoint(10, 5, 0x00FF0000);         // the right edge itself lies outside
    surface.SetPoint(5, 0, 0x00FF0000);          // and so does the bottom edge
    const QImage image = surface.Picture();
    EXPECT_EQ(image.pixel(0, 0), kRed);
    EXPECT_EQ(image.pixel(9, 9), qRgb(0, 255, 0));
    EXPECT_EQ(CountColour(image, kWhite), 98);
    EXPECT_EQ(surface.Scale().ToUserX(0), 0);
    EXPECT_EQ(surface.Scale().ToUserY(0), 10);
}

TEST(ImageSurface, SkipsPositionsBeyondTheImageOrNotFinite) {
    ImageSurface surface(QSize(20, 10), Qt::white);
    surface.SetUserCoordinates(-1, 1, 1, -1);
    const float huge = std::numeric_limits<float>::max();
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (float v : {huge, -huge, inf, -inf, nan}) {
        surface.SetPoint(v, 0, 0x000000FF);
        surface.SetPoint(0, v, 0x000000FF);
    }
    // The right and bottom edges, and just beyond the left and top ones.
    surface.SetPoint(1, 0, 0x000000FF);
    surface.SetPoint(0, -1, 0x000000FF);
    surface.SetPoint(-1.0001f, 0, 0x000000FF);
    surface.SetPoint(0, 1.0001f, 0x000000FF);
    surface.DrawLine(nan, 0, 0, 0, 0x000000FF);
    surface.DrawLine(-inf, 0, inf, 0, 0x000000FF);
    EXPECT_EQ(CountColour(surface.Picture(), kWhite), 200);
}

TEST(ImageSurface, ClipsLinesReachingFarBeyondTheArea) {
    ImageSurface surface(QSize(20, 10), Qt::white);
    surface.SetUserCoordinates(-1, 1, 1, -1);
    const float huge = std::numeric_limits<float>::max();
    surface.DrawLine(-huge, 0, huge, 0, 0x00FF0000);  // the whole row where y = 0 maps
    surface.DrawLine(0.5f, huge, 0.5f, -huge, 0x00FF0000);
    const QImage image = surface.Picture();
    for (int x = 0; x < 20; ++x) {
        EXPECT_EQ(image.pixel(x, 5), kBlue) << x;
    }
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(image.pixel(15, y), kBlue) << y;
    }
    EXPECT_EQ(CountColour(image, kBlue), 20 + 10 - 1);
}

TEST(ImageSurface, GrowingKeepsThePictureAndTheUnitsPerPixel) {
    ImageSurface surface(kArea, Qt::white);
    DrawParabola(2, 1, 1.5, -0.25, 1, -3, 2, surface);
    const QImage before = surface.Picture();

    surface.SetAreaSize(QSize(375, 201));  // 1350 twips wider
    const QImage wide = surface.Picture();
    ASSERT_EQ(wide.size(), QSize(375, 201));
    EXPECT_EQ(wide.copy(0, 0, 285, 201), before);
    EXPECT_EQ(CountColour(wide.copy(285, 0, 90, 201), kWhite), 90 * 201);
    EXPECT_DOUBLE_EQ(surface.Scale().ScaleWidth(375), 3.25 * 375 / 285);
    EXPECT_EQ(surface.Scale().ScaleLeft(), -0.25);
    EXPECT_DOUBLE_EQ(surface.Scale().ToUserX(300), -0.25 + 300 * 3.25 / 285);

    // Narrowed and widened again, the picture is unchanged.
    surface.SetAreaSize(kArea);
    EXPECT_EQ(surface.Picture(), before);
    surface.SetAreaSize(QSize(375, 201));
    EXPECT_EQ(surface.Picture(), wide);
}

TEST(ImageSurface, ClearingKeepsTheScaleAndARefusedScaleChangesNothing) {
    ImageSurface surface(kArea, Qt::white);
    // Twips before any scale is set.
    EXPECT_EQ(surface.Scale().ToUserX(82), 1230);
    EXPECT_EQ(surface.Scale().ToUserY(40), 600);
    EXPECT_EQ(surface.Scale().ScaleWidth(285), 285 * 15);

    DrawParabola(2, 1, 1.5, -0.25, 1, -3, 2, surface);
    surface.Cls();
    EXPECT_EQ(CountColour(surface.Picture(), kWhite), 285 * 201);
    EXPECT_EQ(surface.Scale().ScaleLeft(), -0.25);
    EXPECT_EQ(surface.Scale().ScaleTop(), 2.4);

    surface.SetUserCoordinates(1, 1, 1, 2);  // no width
    surface.SetUserCoordinates(0, NAN, 1, 2);
    EXPECT_EQ(surface.Scale().ScaleLeft(), -0.25);
    EXPECT_DOUBLE_EQ(surface.Scale().ScaleHeight(201), -2.7);
}

TEST(ImageSurface, WideLinesCoverASquareAroundEachPosition) {
    ImageSurface surface(QSize(10, 10), Qt::white);
    surface.SetUserCoordinates(0, 0, 10, 10);
    surface.SetLineWidth(3);
    surface.SetPoint(5, 5, 0x000000FF);
    surface.SetPoint(0, 0, 0x000000FF);  // clipped at the corner: 2 × 2 cells
    const QImage image = surface.Picture();
    EXPECT_EQ(CountColour(image, kRed), 9 + 4);
    EXPECT_EQ(image.pixel(4, 4), kRed);
    EXPECT_EQ(image.pixel(6, 6), kRed);
    EXPECT_EQ(image.pixel(7, 7), kWhite);
}

}  // namespace
}  // namespace quadrello::graph
