// The close picture follows the pointer only on a change of region, and the title strip drags
// the window.
#include <gtest/gtest.h>

#include "AboutTestSupport.h"
#include "common/NamedCase.h"

namespace quadrello::test {
namespace {

enum class Cross { Pale, Bright };

// A pointer move over one region of the window, and the cross expected after it.
struct Move {
    const char* over;  // a control's name, or nullptr for the window's own surface
    Cross expected;
    Qt::MouseButtons held = Qt::NoButton;
};

struct Path : NamedCase {
    std::vector<Move> moves;
};

Cross Shown(const frmAbout& about) {
    const QImage shown = PictureOf(about, "imgClose");
    if (shown == PictureOf(about, "imgC_O")) {
        return Cross::Bright;
    }
    EXPECT_EQ(shown, PictureOf(about, "imgC_N")) << "imgClose shows neither close picture";
    return Cross::Pale;
}

void MoveOver(frmAbout& about, const char* over, Qt::MouseButtons held = Qt::NoButton) {
    QWidget* target = over == nullptr ? &about : Control(about, over);
    // The surface point lies on the picture below the logo, clear of every control.
    const QPoint pos = over == nullptr ? QPoint(150, 300) : target->rect().center();
    MovePointer(target, pos, held);
}

class AboutClosePicture : public OpenAboutTable<Path> {};

TEST_P(AboutClosePicture, SwapsOnlyOnAChangeOfRegion) {
    EXPECT_EQ(Shown(about_), Cross::Pale) << "load puts the pale cross up";
    int step = 0;
    for (const Move& move : GetParam().moves) {
        MoveOver(about_, move.over, move.held);
        EXPECT_EQ(Shown(about_), move.expected)
            << "after move " << step << " over " << (move.over ? move.over : "the surface");
        ++step;
    }
}

INSTANTIATE_TEST_SUITE_P(
    AboutPointer, AboutClosePicture,
    ::testing::Values(
        // closeNormal starts at 0: the first opening highlights only after the surface.
        Path{"FirstOpeningStraightOntoClose",
             {{"imgClose", Cross::Pale}, {"imgClose", Cross::Pale}}},
        Path{"SurfaceThenClose", {{nullptr, Cross::Pale}, {"imgClose", Cross::Bright}}},
        Path{"BackToTheSurface",
             {{nullptr, Cross::Pale}, {"imgClose", Cross::Bright}, {nullptr, Cross::Pale}}},
        // Moves over the other controls belong to no region.
        Path{"ControlsChangeNothing",
             {{nullptr, Cross::Pale},
              {"imgClose", Cross::Bright},
              {"Label3", Cross::Bright},
              {"lblContent", Cross::Bright},
              {"lblInfo", Cross::Bright},
              {"Label1", Cross::Bright},
              {"Label2", Cross::Bright},
              {"Image1", Cross::Bright},
              {"imaCaption", Cross::Bright},
              {nullptr, Cross::Pale}}},
        // A button held from a press on a control keeps the moves with that control.
        Path{"HeldButtonOverControls",
             {{nullptr, Cross::Pale},
              {"imgClose", Cross::Bright},
              {"Label3", Cross::Bright, Qt::LeftButton},
              {"lblContent", Cross::Bright, Qt::RightButton},
              {"Image1", Cross::Bright, Qt::LeftButton},
              {"imaCaption", Cross::Bright, Qt::RightButton},
              {nullptr, Cross::Pale, Qt::LeftButton}}},
        Path{"ControlsDoNotCountAsSurface",
             {{"Label2", Cross::Pale}, {"imaCaption", Cross::Pale}, {"imgClose", Cross::Pale}}}),
    CaseName);

TEST(AboutPointer, CloseNormalPersistsAcrossOpenings) {
    frmAbout about;
    about.Open();
    MoveOver(about, nullptr);
    ASSERT_TRUE(about.CloseNormal());
    about.close();

    // Reopened with closeNormal still 1: the first move over the close picture highlights it.
    about.Open();
    EXPECT_TRUE(about.CloseNormal());
    EXPECT_EQ(Shown(about), Cross::Pale);
    MoveOver(about, "imgClose");
    EXPECT_EQ(Shown(about), Cross::Bright);
    EXPECT_FALSE(about.CloseNormal());
    ClickClose(about);
    RunFade(about);

    // Closed by its close picture, closeNormal is 0 again: as at the first opening.
    about.Open();
    EXPECT_EQ(Shown(about), Cross::Pale);
    MoveOver(about, "imgClose");
    EXPECT_EQ(Shown(about), Cross::Pale);
}

TEST(AboutPointer, OnlyALeftClickOnTheCloseImageCloses) {
    frmAbout about;
    about.Open();
    RunFade(about);
    QWidget* close = Control(about, "imgClose");
    PressPointer(close, QPoint(9, 9), Qt::RightButton);
    ReleasePointer(close, QPoint(9, 9), Qt::RightButton);
    // Pressed on the image, released outside it: no click.
    PressPointer(close, QPoint(9, 9));
    ReleasePointer(close, QPoint(40, 40));
    EXPECT_EQ(about.FadeStep(), 5);
    // A click on the surface is no close click either.
    PressPointer(&about, QPoint(150, 300));
    ReleasePointer(&about, QPoint(150, 300));
    EXPECT_EQ(about.FadeStep(), 5);
    ClickClose(about);
    EXPECT_EQ(about.FadeStep(), -5);
}

// A drag: press at one point, move with `buttons` held by `travel`, release.
struct Drag : NamedCase {
    const char* over;  // the control pressed on, or nullptr for the surface
    Qt::MouseButtons buttons;
    QPoint travel;
    bool moves;
};

class AboutDrag : public OpenAboutTable<Drag> {};

// The offscreen platform has no window manager to hand the move to, so the window follows the
// pointer itself, as it does on a desktop without one.
TEST_P(AboutDrag, OnlyTheLeftButtonOnTheTitleStripMovesTheWindow) {
    const Drag drag = GetParam();
    QWidget* handle = drag.over == nullptr ? &about_ : Control(about_, drag.over);
    const QPoint start = drag.over == nullptr ? QPoint(150, 200) : QPoint(100, 16);
    const QPoint before = about_.pos();
    const QPoint globalStart = handle->mapToGlobal(start);

    PressPointer(handle, start);
    MovePointerTo(handle, globalStart + drag.travel / 2, drag.buttons);
    MovePointerTo(handle, globalStart + drag.travel, drag.buttons);
    ReleasePointer(handle, handle->mapFromGlobal(globalStart + drag.travel));

    EXPECT_EQ(about_.pos(), drag.moves ? before + drag.travel : before);
}

INSTANTIATE_TEST_SUITE_P(
    AboutPointer, AboutDrag,
    ::testing::Values(Drag{"LeftOnStrip", "imaCaption", Qt::LeftButton, QPoint(40, 26), true},
                      Drag{"RightOnStrip", "imaCaption", Qt::RightButton, QPoint(40, 26), false},
                      Drag{"BothOnStrip", "imaCaption", Qt::LeftButton | Qt::RightButton,
                           QPoint(40, 26), false},
                      Drag{"LeftOnSurface", nullptr, Qt::LeftButton, QPoint(40, 26), false}),
    CaseName);

}  // namespace
}  // namespace quadrello::test

namespace quadrello::test {
namespace {

// When the window manager hands the pointer back after a move, a move can arrive after the
// release that still reports the button held: it must not start another drag.
TEST(AboutPointer, AMoveAfterTheReleaseDragsNothing) {
    frmAbout about;
    about.Open();
    QWidget* strip = Control(about, "imaCaption");
    const QPoint globalStart = strip->mapToGlobal(QPoint(100, 16));
    PressPointer(strip, QPoint(100, 16));
    MovePointerTo(strip, globalStart + QPoint(10, 10), Qt::LeftButton);
    ReleasePointer(strip, strip->mapFromGlobal(globalStart + QPoint(10, 10)));
    const QPoint afterDrag = about.pos();
    MovePointerTo(strip, globalStart + QPoint(70, 50), Qt::LeftButton);
    EXPECT_EQ(about.pos(), afterDrag);
}

}  // namespace
}  // namespace quadrello::test
