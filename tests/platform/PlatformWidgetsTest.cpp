// The platform widgets the windows are built of: the 0/1/2 check box, labels, lines, the
// wrapping button, the painted layered window, twips, the calculator search.
#include <gtest/gtest.h>

#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTest>
#include <cmath>

#include "common/Recorders.h"
#include "graph/Twips.h"
#include "graph/image/ImageSurface.h"
#include "platform/CheckBox.h"
#include "platform/Fonts.h"
#include "platform/Label.h"
#include "platform/LayeredWindow.h"
#include "platform/LineDecoration.h"
#include "platform/PictureBox.h"
#include "platform/WrappingButton.h"

namespace quadrello::test {
namespace {

using platform::CheckBox;

TEST(TwipsTest, RoundToTheNearestPixel) {
    const std::pair<int, int> cases[] = {{0, 0},      {7, 0},      {8, 1},     {15, 1},
                                         {-15, -1},   {-7, 0},     {-8, -1},   {4335, 289},
                                         {4625, 308}, {5875, 392}, {6825, 455}};
    for (const auto& [twips, pixels] : cases) {
        EXPECT_EQ(graph::TwipsToPixels(twips), pixels) << twips;
    }
    EXPECT_EQ(graph::ClientPixelsForOuterTwips(4715), 308);
    EXPECT_EQ(graph::ClientPixelsForOuterTwips(5965), 392);
}

TEST(InstalledFaceTest, TheFaceItselfElseItsFirstInstalledSubstitute) {
    // A face of this test alone: substitutions that name nothing installed, then one that does.
    QFont::insertSubstitutions(
        QStringLiteral("QuadrelloTestFace"),
        {QStringLiteral("No Such Face A"), QStringLiteral("No Such Face B")});
    EXPECT_EQ(platform::InstalledFace("QuadrelloTestFace"), QStringLiteral("QuadrelloTestFace"))
        << "no installed substitute: the name itself, for the font database to match";
    QFont::insertSubstitution(QStringLiteral("QuadrelloTestFace"), QStringLiteral("AR PL UKai CN"));
    EXPECT_EQ(platform::InstalledFace("QuadrelloTestFace"), QStringLiteral("AR PL UKai CN"));
    QFont::removeSubstitutions(QStringLiteral("QuadrelloTestFace"));

    const std::pair<const char*, const char*> cases[] = {
        {platform::kSongFace, "AR PL UMing CN"},
        {platform::kNewSongFace, "AR PL UMing CN"},
        {platform::kKaiFace, "AR PL UKai CN"},
        {"AR PL UMing CN", "AR PL UMing CN"},  // installed: itself
        {"ar pl ukai cn", "AR PL UKai CN"},    // in the database's own spelling
        {"No Such Face", "No Such Face"},
    };
    for (const auto& [family, face] : cases) {
        EXPECT_EQ(platform::InstalledFace(family), QString::fromUtf8(face)) << family;
    }
}

TEST(CheckBoxTest, ClickActionRunsOncePerChangeWhoeverMakesIt) {
    QWidget parent;
    CheckBox box(QStringLiteral("box"), &parent);
    QSignalSpy actions(&box, &CheckBox::clickAction);
    EXPECT_EQ(box.Value(), CheckBox::kUnchecked);
    EXPECT_TRUE(box.SetValue(CheckBox::kUnchecked));
    EXPECT_EQ(actions.count(), 0) << "the same state runs nothing";
    EXPECT_TRUE(box.SetValue(CheckBox::kGreyed));
    EXPECT_EQ(box.Value(), CheckBox::kGreyed);
    EXPECT_EQ(actions.count(), 1);
    EXPECT_TRUE(box.SetValue(CheckBox::kChecked));
    EXPECT_EQ(box.Value(), CheckBox::kChecked);
    EXPECT_EQ(actions.count(), 2);
}

TEST(CheckBoxTest, ValuesThatAreNoStateChangeNothing) {
    QWidget parent;
    CheckBox box(QStringLiteral("box"), &parent);
    box.SetValue(CheckBox::kChecked);
    QSignalSpy actions(&box, &CheckBox::clickAction);
    for (const int value : {-1, 3, 32767, -32768, 65536}) {
        EXPECT_FALSE(box.SetValue(value)) << value;
    }
    EXPECT_EQ(box.Value(), CheckBox::kChecked);
    EXPECT_EQ(actions.count(), 0);
}

TEST(CheckBoxTest, UserClicksToggleBetweenCheckedAndUnchecked) {
    QWidget parent;
    CheckBox box(QStringLiteral("box"), &parent);
    parent.show();
    const std::pair<CheckBox::State, CheckBox::State> clicks[] = {
        {CheckBox::kUnchecked, CheckBox::kChecked},
        {CheckBox::kChecked, CheckBox::kUnchecked},
        {CheckBox::kGreyed, CheckBox::kChecked}};
    for (const auto& [before, after] : clicks) {
        box.SetValue(before);
        QTest::mouseClick(&box, Qt::LeftButton);
        EXPECT_EQ(box.Value(), after) << "from " << before;
    }
    box.SetValue(CheckBox::kUnchecked);
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Space);
    EXPECT_EQ(box.Value(), CheckBox::kChecked) << "the keyboard clicks too";
}

// Under a dark scheme whose box face barely stands out from the window (Breeze Dark's
// #1B1E20 on #2A2E32), the box gets an outline of at least 3:1 against the window; under a
// light scheme it is drawn exactly as the style draws it.
TEST(CheckBoxTest, ADarkSchemesBoxHasAVisibleOutlineALightOneKeepsItsLook) {
    const auto luminance = [](QColor c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    for (const bool dark : {true, false}) {
        QPalette palette;
        if (dark) {
            palette = QPalette(QColor(49, 54, 59), QColor(42, 46, 50));
            palette.setColor(QPalette::WindowText, QColor(239, 240, 241));
            palette.setColor(QPalette::Base, QColor(27, 30, 32));
        }
        CheckBox box(QStringLiteral("box"), nullptr);
        QCheckBox plain(QStringLiteral("box"));
        for (QCheckBox* widget : {static_cast<QCheckBox*>(&box), &plain}) {
            widget->setPalette(palette);
            widget->resize(60, 20);
        }
        const QImage drawn = box.grab().toImage();
        if (!dark) {
            EXPECT_EQ(drawn, plain.grab().toImage()) << "light";
            continue;
        }
        QStyleOptionButton option;
        option.initFrom(&box);
        const QRect indicator =
            box.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &box);
        const double window = luminance(palette.color(QPalette::Window));
        const double edge = luminance(drawn.pixelColor(indicator.left(), indicator.center().y()));
        EXPECT_GE((std::max(window, edge) + 0.05) / (std::min(window, edge) + 0.05), 3.0);
    }
}

TEST(LabelTest, AutoSizeFollowsTheCaptionFixedKeepsItsSize) {
    QWidget parent;
    platform::Label autoSize(QString(), platform::Label::Sizing::AutoSize,
                             platform::Label::Background::Opaque, &parent);
    platform::Label fixed(QString(), platform::Label::Sizing::Fixed,
                          platform::Label::Background::Transparent, &parent);
    autoSize.setGeometry(0, 0, 6, 12);
    fixed.setGeometry(0, 20, 30, 13);
    const QString caption = QStringLiteral("1234.6   -0.3");
    autoSize.SetCaption(caption);
    fixed.SetCaption(caption);
    EXPECT_EQ(autoSize.size(), QSize(autoSize.fontMetrics().horizontalAdvance(caption), 12));
    EXPECT_EQ(fixed.size(), QSize(30, 13));
    EXPECT_EQ(fixed.Caption(), caption);
    EXPECT_EQ(fixed.text(), fixed.fontMetrics().elidedText(caption, Qt::ElideRight, 30))
        << "cut visibly where it does not fit";
    EXPECT_TRUE(autoSize.autoFillBackground());
    EXPECT_FALSE(fixed.autoFillBackground());
}

TEST(LineDecorationTest, CoversItsStartAndStopsBeforeItsEnd) {
    QWidget parent;
    const QColor colour(84, 165, 213);
    const std::tuple<QPoint, QPoint, QRect> lines[] = {
        {QPoint(10, 5), QPoint(20, 5), QRect(10, 5, 10, 1)},
        {QPoint(20, 5), QPoint(10, 5), QRect(11, 5, 10, 1)},
        {QPoint(3, 30), QPoint(3, 10), QRect(3, 11, 1, 20)},
        {QPoint(4, 4), QPoint(4, 4), QRect(4, 4, 1, 1)}};
    for (const auto& [from, to, covered] : lines) {
        platform::LineDecoration line(from, to, colour, &parent);
        EXPECT_EQ(line.geometry(), covered);
        EXPECT_TRUE(line.testAttribute(Qt::WA_TransparentForMouseEvents));
        const QImage image = line.grab().toImage();
        EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), colour);
    }
}

TEST(WrappingButtonTest, CaptionStaysExactWhileItIsDrawnOnSeveralLines) {
    QWidget parent;
    platform::WrappingButton wrapping(QString::fromUtf8("选项 >>"), &parent);
    QPushButton plain(QString::fromUtf8("选项 >>"), &parent);
    wrapping.setGeometry(0, 0, 22, 55);
    plain.setGeometry(0, 0, 22, 55);
    EXPECT_EQ(wrapping.text(), QString::fromUtf8("选项 >>"));
    // The wrapped caption fills rows that a one-line caption leaves empty.
    auto inkRows = [](const QImage& image) {
        int rows = 0;
        for (int y = 0; y < image.height(); ++y) {
            bool ink = false;
            for (int x = 4; x < image.width() - 4 && !ink; ++x) {
                ink = qGray(image.pixel(x, y)) < 100;
            }
            rows += ink;
        }
        return rows;
    };
    EXPECT_GT(inkRows(wrapping.grab().toImage()), 2 * inkRows(plain.grab().toImage()));
}

TEST(PictureTest, NoImageIsHeldUntilSomethingIsDrawn) {
    const QRgb background = qRgb(0x12, 0x34, 0x56);
    graph::ImageSurface surface(QSize(20, 10), QColor(background));
    surface.SetAreaSize(QSize(30, 10));  // the panel opened and collapsed again
    surface.SetAreaSize(QSize(20, 10));
    surface.Cls();
    EXPECT_TRUE(surface.Retained().isNull());
    const QImage blank = surface.Picture();
    ASSERT_EQ(blank.size(), QSize(20, 10));
    for (const QPoint p : {QPoint(0, 0), QPoint(19, 9)}) {
        EXPECT_EQ(blank.pixel(p), background);
    }

    // The first drawing makes the image as large as the area has ever been, as a picture that
    // was kept all along would be: a point right of the present area is kept for the reopening.
    surface.SetUserCoordinates(0, 0, 20, 10);
    surface.SetPoint(25.5F, 0.5F, 0x0000FF);  // red as a COLORREF
    ASSERT_EQ(surface.Retained().size(), QSize(30, 10));
    EXPECT_EQ(surface.Retained().pixel(25, 0), qRgb(255, 0, 0));
    EXPECT_EQ(surface.Retained().pixel(24, 0), background);
    surface.SetAreaSize(QSize(30, 10));
    EXPECT_EQ(surface.Picture().pixel(25, 0), qRgb(255, 0, 0));
}

TEST(PictureTest, AnEmptyPictureBoxShowsItsBackground) {
    platform::PictureBox box;
    box.resize(40, 30);
    const QImage shown = box.grab().toImage();
    const int border = platform::PictureBox::kBorderWidth;
    EXPECT_EQ(shown.pixel(border, border), box.palette().color(QPalette::Base).rgb());
    EXPECT_EQ(shown.pixel(40 - border - 1, 30 - border - 1),
              box.palette().color(QPalette::Base).rgb());
}

// Painted, as on Wayland, where neither the window's shape nor its opacity can be set.
TEST(LayeredWindowTest, PaintedWindowIsClearAtTheKeyAndWhollyAtItsAlpha) {
    class Window : public QWidget {
      public:
        platform::LayeredWindow layered{this, platform::LayeredWindow::Mode::Painted};

      protected:
        void paintEvent(QPaintEvent*) override {
            QPainter painter(this);
            layered.PaintPicture(painter);
        }
    };
    Window window;
    window.resize(20, 20);
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(qRgb(200, 220, 240));
    picture.setPixel(0, 0, platform::kColourKeyMagenta);
    window.layered.SetPicture(picture, platform::kColourKeyMagenta);
    auto* control = new QWidget(&window);  // controls fade with the window
    control->setGeometry(10, 10, 5, 5);
    control->setAutoFillBackground(true);

    for (const int alpha : {255, 100, 0}) {
        window.layered.SetAlpha(alpha);
        const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0) << alpha;
        EXPECT_NEAR(qAlpha(shown.pixel(1, 0)), alpha, 1);
        EXPECT_NEAR(qAlpha(shown.pixel(12, 12)), alpha, 1) << "the control";
    }
    EXPECT_EQ(window.windowOpacity(), 1.0) << "nothing asks the platform for opacity";
    EXPECT_TRUE(window.mask().isEmpty()) << "nor for a shape";
}

TEST(CalculatorTest, FirstInstalledCalculatorInOrder) {
    ShellRecorder shell;
    EXPECT_FALSE(platform::StartSystemCalculator()) << "none installed";
    EXPECT_TRUE(shell.started.isEmpty());
    const QStringList programs = platform::CalculatorPrograms();
    ASSERT_FALSE(programs.isEmpty());
    shell.installed = {programs.last()};
    EXPECT_TRUE(platform::StartSystemCalculator());
    shell.installed.insert(programs.first());
    EXPECT_TRUE(platform::StartSystemCalculator());
    EXPECT_EQ(shell.started, (QStringList{programs.last(), programs.first()}));
}

}  // namespace
}  // namespace quadrello::test
