#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "graph/Parabola.h"
#include "graph/PointerReadout.h"
#include "platform/PictureBox.h"

namespace quadrello::platform {
namespace {

// The window's plot: 4335 × 3075 twips outside, 1350 twips (90 pixels) wider with the options
// panel open.
const QSize kOuter(289, 205);
constexpr int kWidening = 90;
constexpr int kBorder = PictureBox::kBorderWidth;

class PictureBoxTest : public ::testing::Test {
  protected:
    PictureBoxTest() {
        box.resize(kOuter);
        box.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
    }

    // Moves the pointer to the drawing area's pixel (x, y) and returns what the box reported.
    QList<QVariant> MoveTo(int x, int y) {
        QSignalSpy spy(&box, &PictureBox::pointerMoved);
        QTest::mouseMove(&box, QPoint(kBorder + x, kBorder + y));
        if (spy.isEmpty()) {
            return {};
        }
        return spy.takeLast();
    }

    void Plot() { DrawParabola(2, 1, 1.5, -0.25, 1, -3, 2, box); }

    PictureBox box;
};

TEST_F(PictureBoxTest, ReportsTwipsFromTheAreaCornerBeforeAnyScale) {
    const QList<QVariant> corner = MoveTo(0, 0);
    ASSERT_EQ(corner.size(), 2);
    EXPECT_EQ(corner[0].toFloat(), 0.0f);
    EXPECT_EQ(corner[1].toFloat(), 0.0f);
    const QList<QVariant> inside = MoveTo(82, 40);
    ASSERT_EQ(inside.size(), 2);
    EXPECT_EQ(inside[0].toFloat(), 1230.0f);
    EXPECT_EQ(inside[1].toFloat(), 600.0f);
}

TEST_F(PictureBoxTest, ReportsTheLastPlotsCoordinatesFromThenOn) {
    box.Cls();
    Plot();
    const QList<QVariant> corner = MoveTo(0, 0);
    ASSERT_EQ(corner.size(), 2);
    EXPECT_EQ(corner[0].toFloat(), -0.25f) << "the left edge reads the window's left bound";
    EXPECT_EQ(corner[1].toFloat(), 2.4f) << "the top edge reads its top bound";
    const QList<QVariant> middle = MoveTo(100, 150);
    ASSERT_EQ(middle.size(), 2);
    EXPECT_EQ(middle[0].toFloat(), static_cast<float>(-0.25 + 100 * 3.25 / 285));
    EXPECT_EQ(middle[1].toFloat(), static_cast<float>(2.4 + 150 * -2.7 / 201));

    // Clearing, as a computation with drawing off would leave it, keeps the scale.
    box.Cls();
    EXPECT_EQ(MoveTo(0, 0).value(0).toFloat(), -0.25f);
}

TEST_F(PictureBoxTest, TheReadoutsCaptionBeforeAndAfterAPlot) {
    // Wired as the main window wires its coordinate label.
    QString caption;
    QObject::connect(&box, &PictureBox::pointerMoved, &box, [&caption](float x, float y) {
        caption = QString::fromStdString(PointerCaption(x, y));
    });
    QTest::mouseMove(&box, QPoint(kBorder + 82, kBorder + 40));
    EXPECT_EQ(caption, "1230.   600.");
    QTest::mouseMove(&box, QPoint(kBorder, kBorder));
    EXPECT_EQ(caption, "0.   0.");

    box.Cls();
    Plot();
    QTest::mouseMove(&box, QPoint(kBorder, kBorder + 100));
    EXPECT_TRUE(caption.startsWith("-0.3   ")) << "the leftmost column reads -0.25";
    // The x axis lies in row 178: the row reads just above 0, the next one just below.
    QTest::mouseMove(&box, QPoint(kBorder + 150, kBorder + 178));
    EXPECT_TRUE(caption.endsWith("   0.")) << caption.toStdString();
    QTest::mouseMove(&box, QPoint(kBorder + 150, kBorder + 179));
    EXPECT_TRUE(caption.endsWith("   -0.")) << caption.toStdString();
}

TEST_F(PictureBoxTest, ReportsMovesBeyondTheAreaWhileAButtonIsHeld) {
    QSignalSpy spy(&box, &PictureBox::pointerMoved);
    QMouseEvent outside(QEvent::MouseMove, QPointF(-8, 1), QPointF(-8, 1), Qt::NoButton,
                        Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &outside);
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].toFloat(), -150.0f) << "not clamped to the area";
    EXPECT_EQ(spy[0][1].toFloat(), -15.0f);
}

TEST_F(PictureBoxTest, IgnoresMovesOverTheBorder) {
    QSignalSpy spy(&box, &PictureBox::pointerMoved);
    QTest::mouseMove(&box, QPoint(10, 10));  // make sure the next move is one
    QTest::mouseMove(&box, QPoint(1, 1));    // (0, 0) would mean the centre to QTest
    QTest::mouseMove(&box, QPoint(kOuter.width() - 1, 50));
    EXPECT_EQ(spy.size(), 1);
}

TEST_F(PictureBoxTest, KeepsThePictureWhenWidenedAndExtendsTheRange) {
    box.Cls();
    Plot();
    const QImage before = box.Picture();
    ASSERT_EQ(before.size(), QSize(285, 201));
    EXPECT_EQ(before.pixel(0, 178), qRgb(0, 0, 255)) << "the x axis";

    box.resize(kOuter.width() + kWidening, kOuter.height());
    const QImage wide = box.Picture();
    ASSERT_EQ(wide.size(), QSize(285 + kWidening, 201));
    EXPECT_EQ(wide.copy(0, 0, 285, 201), before);
    EXPECT_EQ(wide.pixel(300, 178), box.palette().color(QPalette::Base).rgb());
    EXPECT_DOUBLE_EQ(box.ScaleWidth(), 3.25 * 375 / 285) << "same units per pixel";
    EXPECT_EQ(box.ScaleLeft(), -0.25);
    EXPECT_EQ(MoveTo(300, 0).value(0).toFloat(), static_cast<float>(-0.25 + 300 * 3.25 / 285));

    // Narrowed again, it still holds the same picture.
    box.resize(kOuter);
    EXPECT_EQ(box.Picture(), before);
}

TEST_F(PictureBoxTest, ShowsItsRetainedPictureInsideASunkenBorder) {
    box.Cls();
    Plot();
    box.hide();
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    const QImage shown = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage picture = box.Picture();
    ASSERT_EQ(shown.size(), kOuter);
    EXPECT_EQ(shown.copy(kBorder, kBorder, 285, 201), picture);
    // The sunken border is darker at the top-left than at the bottom-right.
    EXPECT_LT(qGray(shown.pixel(0, 0)),
              qGray(shown.pixel(kOuter.width() - 1, kOuter.height() - 1)));
}

// On a screen of device pixel ratio 2; ctest runs these with QT_SCALE_FACTOR=2.
class PictureBoxAtRatio2 : public PictureBoxTest {};

TEST_F(PictureBoxAtRatio2, DrawsAtDeviceResolutionWithTheWeightOfScaleOne) {
    ASSERT_EQ(box.devicePixelRatioF(), 2.0) << "run with QT_SCALE_FACTOR=2";
    box.Cls();
    Plot();
    QImage picture = box.Picture();
    ASSERT_EQ(picture.size(), QSize(570, 402)) << "285 × 201 pixels, two device pixels each";
    const QRgb blue = qRgb(0, 0, 255);
    // Two device pixels wide, as one pixel at scale 1, from the device pixel the axis falls in:
    // y = 0 lies 178.67 pixels down (device row 357), x = 0 21.92 pixels across (column 43).
    for (const int x : {0, 100, 569}) {
        EXPECT_NE(picture.pixel(x, 356), blue) << x;
        EXPECT_EQ(picture.pixel(x, 357), blue) << x;
        EXPECT_EQ(picture.pixel(x, 358), blue) << x;
        EXPECT_NE(picture.pixel(x, 359), blue) << x;
    }
    for (const int y : {0, 200, 401}) {
        EXPECT_NE(picture.pixel(42, y), blue) << y;
        EXPECT_EQ(picture.pixel(43, y), blue) << y;
        EXPECT_EQ(picture.pixel(44, y), blue) << y;
        EXPECT_NE(picture.pixel(45, y), blue) << y;
    }
    // Placed at device precision: the curve's dots do not all start on even device pixels, as
    // a picture of scale 1 pixel-doubled would have them.
    int oddDots = 0;
    for (int y = 1; y < picture.height(); y += 2) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb red = qRgb(255, 0, 0);
            oddDots += picture.pixel(x, y) == red && picture.pixel(x, y - 1) != red;
        }
    }
    EXPECT_GT(oddDots, 0);

    // The readout stays in pixels of the area.
    const QList<QVariant> middle = MoveTo(100, 150);
    ASSERT_EQ(middle.size(), 2);
    EXPECT_EQ(middle[0].toFloat(), static_cast<float>(-0.25 + 100 * 3.25 / 285));
    EXPECT_EQ(middle[1].toFloat(), static_cast<float>(2.4 + 150 * -2.7 / 201));

    // Shown device pixel for device pixel inside the border.
    QImage shown = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), kOuter * 2);
    shown.setDevicePixelRatio(1);
    picture.setDevicePixelRatio(1);
    EXPECT_EQ(shown.copy(2 * kBorder, 2 * kBorder, 570, 402), picture);
}

TEST(PictureBoxHidden, SizesItsImageWhenDrawnBeforeItIsShown) {
    PictureBox box;
    box.resize(kOuter);  // hidden: no resize event arrives
    box.Cls();
    DrawParabola(2, 1, 1.5, -0.25, 1, -3, 2, box);
    const QImage picture = box.Picture();
    ASSERT_EQ(picture.size(), QSize(285, 201));
    EXPECT_EQ(picture.pixel(21, 0), qRgb(0, 0, 255)) << "the y axis";
    EXPECT_EQ(box.ScaleHeight(), -0.3 - 2.4);
}

}  // namespace
}  // namespace quadrello::platform
