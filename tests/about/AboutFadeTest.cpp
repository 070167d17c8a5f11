// The fade: 51 ticks of 5 in, 51 out after a close click, reversal mid-way, the unload at 0 and
// the modal call's return. The ticks are stepped by hand; only the modal test runs the clock.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

#include "AboutTestSupport.h"

namespace quadrello::test {
namespace {

std::vector<int> Steps(int from, int step, int count) {
    std::vector<int> values(count);
    for (int i = 0; i < count; ++i) {
        values[i] = from + step * (i + 1);
    }
    return values;
}

bool TimerOn(const frmAbout& about) {
    return about.findChild<QTimer*>(QStringLiteral("timFade"))->isActive();
}

TEST(AboutFade, OpeningStartsInvisibleWithTheTimerOn) {
    frmAbout about;
    about.Open();
    EXPECT_TRUE(about.isVisible());
    EXPECT_EQ(about.windowOpacity(), 0.0) << "the window must never show opaque before the fade";
    EXPECT_EQ(about.FadeAlpha(), 0);
    EXPECT_EQ(about.FadeStep(), 5);
    EXPECT_TRUE(TimerOn(about));
    EXPECT_TRUE(about.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(about.windowModality(), Qt::ApplicationModal);
}

TEST(AboutFade, FadesInInFiftyOneTicksOfFiveAndStaysOpen) {
    frmAbout about;
    about.Open();
    EXPECT_EQ(RunFade(about), Steps(0, 5, 51));
    EXPECT_FALSE(TimerOn(about));
    EXPECT_TRUE(about.isVisible());
    EXPECT_EQ(about.windowOpacity(), 1.0);
}

// The close picture, Escape and the window manager's close (Alt+F4) all end the window the same
// way: the fade-out, then the unload.
TEST(AboutFade, CloseFadesOutInFiftyOneTicksThenUnloads) {
    const std::vector<std::pair<const char*, std::function<void(frmAbout&)>>> closers = {
        {"close picture", [](frmAbout& about) { ClickClose(about); }},
        {"Escape", [](frmAbout& about) { QTest::keyClick(&about, Qt::Key_Escape); }},
        {"window manager's close", [](frmAbout& about) { EXPECT_FALSE(about.close()); }}};
    for (const auto& [how, close] : closers) {
        frmAbout about;
        about.Open();
        RunFade(about);
        close(about);
        EXPECT_TRUE(about.isVisible()) << how << ": not at once";
        EXPECT_EQ(about.FadeStep(), -5) << how;
        EXPECT_TRUE(TimerOn(about)) << how;
        const std::vector<int> out = RunFade(about);
        EXPECT_EQ(out, Steps(255, -5, 51)) << how;
        EXPECT_FALSE(about.isVisible()) << how << ": at 0 the window unloads";
        EXPECT_FALSE(TimerOn(about)) << how;
    }
}

// A close click at `clickAt` ticks into the fade-in, and possibly a second click some ticks
// into the fade-out: the fade turns back from where it is, and the second click changes nothing.
struct Reversal {
    int clickAt;
    int secondClickAfter;  // -1: none
};

class AboutReversal : public ::testing::TestWithParam<Reversal> {};

TEST_P(AboutReversal, TurnsBackFromTheOpacityReached) {
    const Reversal r = GetParam();
    frmAbout about;
    about.Open();
    for (int i = 0; i < r.clickAt; ++i) {
        about.FadeTick();
    }
    const int reached = about.FadeAlpha();
    ASSERT_EQ(reached, 5 * r.clickAt);
    ClickClose(about);

    std::vector<int> out;
    for (int i = 0; i < r.secondClickAfter; ++i) {
        about.FadeTick();
        out.push_back(about.FadeAlpha());
    }
    if (r.secondClickAfter >= 0) {
        ClickClose(about);
        EXPECT_EQ(about.FadeStep(), -5);
    }
    const std::vector<int> rest = RunFade(about);
    out.insert(out.end(), rest.begin(), rest.end());

    EXPECT_EQ(out, Steps(reached, -5, reached / 5));
    EXPECT_FALSE(about.isVisible());
}

INSTANTIATE_TEST_SUITE_P(AboutFade, AboutReversal,
                         ::testing::Values(Reversal{25, -1}, Reversal{1, -1}, Reversal{50, -1},
                                           Reversal{20, 7}, Reversal{51, 30}));

TEST(AboutFade, ClickBeforeTheFirstTickUnloadsAtOnce) {
    frmAbout about;
    about.Open();
    ClickClose(about);
    EXPECT_EQ(RunFade(about), std::vector<int>{-5});
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.windowOpacity(), 0.0) << "an opacity below 0 is held at 0";
}

TEST(AboutFade, EveryOpeningStartsFromInvisible) {
    frmAbout about;
    for (int opening = 0; opening < 3; ++opening) {
        about.Open();
        EXPECT_EQ(about.windowOpacity(), 0.0) << "opening " << opening;
        EXPECT_EQ(about.FadeStep(), 5) << "opening " << opening;
        EXPECT_EQ(RunFade(about), Steps(0, 5, 51)) << "opening " << opening;
        ClickClose(about);
        RunFade(about);
        ASSERT_FALSE(about.isVisible());
    }
}

TEST(AboutFade, ClosedByOtherMeansReopensFromInvisible) {
    frmAbout about;
    about.Open();
    RunFade(about);
    about.hide();  // as the program would hide it
    EXPECT_FALSE(TimerOn(about));
    about.Open();
    EXPECT_EQ(about.windowOpacity(), 0.0);
    EXPECT_EQ(RunFade(about), Steps(0, 5, 51));
}

TEST(AboutFade, ShowModalReturnsAfterFadingOutAndBlocksOtherWindows) {
    QWidget other;
    other.show();
    frmAbout about;
    bool modalMeanwhile = false;
    bool watchdogFired = false;
    // Once the fade-in has run a few ticks, click close; the watchdog ends a hung loop.
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        if (about.FadeAlpha() >= 50 && about.FadeStep() > 0) {
            modalMeanwhile = QApplication::activeModalWidget() == &about;
            ClickClose(about);
        }
    });
    clicker.start(5);
    QTimer::singleShot(20000, &about, [&] {
        watchdogFired = true;
        about.hide();
    });

    about.ShowModal();
    EXPECT_FALSE(watchdogFired) << "the modal call did not return by itself";
    EXPECT_TRUE(modalMeanwhile) << "the other windows must take no input meanwhile";
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.FadeAlpha(), 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace quadrello::test
