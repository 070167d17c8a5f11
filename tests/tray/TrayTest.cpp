// The tray module against a fake notification area: the icon it shows, its tip, what each
// report of the icon does to the owner window, and its removal.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPixmap>
#include <QTimer>

#include "common/FakeTrayIcons.h"
#include "tray/Tray.h"

namespace quadrello::test {
namespace {

using Signal = void (tray::TrayIcon::*)();

// A main window with an icon and a menu, its tray icon on for the test's lifetime.
class TrayOn : public ::testing::Test {
  protected:
    void SetUp() override {
        QPixmap picture(16, 16);
        picture.fill(Qt::darkCyan);
        form.setWindowIcon(QIcon(picture));
        form.resize(200, 100);
        menu.addAction(QStringLiteral("关于.."));
        tray::AddTrayIcon(&form, &menu);
        tray::SetTrayTip(QString::fromUtf8(tray::kTrayTip));
        icon = icons.Last();
        ASSERT_NE(icon, nullptr);
    }
    void TearDown() override { tray::RemoveTrayIcon(); }

    void HideMinimised() {
        form.showMinimized();
        form.hide();  // what the resize action does with the tray on
    }

    // Emits the icon's report and lets it arrive; tells whether the menu popped up meanwhile
    // (it is closed again at once, so that nothing waits on it).
    bool Report(Signal signal) {
        bool popped = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                popped = popup == &menu;
                popup->close();
            }
        });
        closer.start(1);
        emit(icon->*signal)();
        EXPECT_FALSE(form.isVisible() && form.isMinimized()) << "not handled inside the emit";
        QApplication::processEvents();
        return popped;
    }

    FakeTrayIcons icons;
    QWidget form;
    QMenu menu;
    FakeTrayIcons::Icon* icon = nullptr;
};

TEST_F(TrayOn, ShowsTheOwnersIconWithTheMenuAndTheTwoLineTip) {
    EXPECT_EQ(icons.Shown(), 1);
    EXPECT_EQ(icon->icon.cacheKey(), form.windowIcon().cacheKey());
    EXPECT_EQ(icon->menu, &menu) << "offered to hosts that draw the menu themselves";
    EXPECT_EQ(icon->tip, QString::fromUtf8("Quadrello\r\n作者：Tarvenn"));
}

TEST_F(TrayOn, LeftReleaseBringsAMinimisedHiddenWindowBackNormal) {
    HideMinimised();
    EXPECT_FALSE(Report(&tray::TrayIcon::leftReleased));
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.isMinimized());
}

TEST_F(TrayOn, LeftReleaseOnAShownWindowOnlyFocusesIt) {
    form.show();
    const QRect before = form.geometry();
    EXPECT_FALSE(Report(&tray::TrayIcon::leftReleased));
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.isMinimized());
    EXPECT_EQ(form.geometry(), before);
}

TEST_F(TrayOn, RightReleasePopsUpTheMenu) {
    form.show();
    EXPECT_TRUE(Report(&tray::TrayIcon::rightReleased));
}

// Double and middle clicks do nothing of their own.
TEST_F(TrayOn, OtherReportsDoNothing) {
    HideMinimised();
    for (Signal signal : {&tray::TrayIcon::doubleClicked, &tray::TrayIcon::middleReleased}) {
        EXPECT_FALSE(Report(signal));
        EXPECT_FALSE(form.isVisible()) << "only the left release brings the window back";
    }
    EXPECT_EQ(tray::TrayWindowProc(&form, 2024, 0, tray::kIconLeftButtonUp), 0);
    EXPECT_FALSE(form.isVisible()) << "another message is no notification";
}

TEST_F(TrayOn, ReportsAreIgnoredWhileAModalWindowIsOpen) {
    HideMinimised();
    QWidget modal;
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    EXPECT_FALSE(Report(&tray::TrayIcon::rightReleased)) << "no menu over a disabled window";
    EXPECT_FALSE(Report(&tray::TrayIcon::leftReleased));
    EXPECT_FALSE(form.isVisible());

    modal.close();
    Report(&tray::TrayIcon::leftReleased);
    EXPECT_TRUE(form.isVisible()) << "once it has closed the icon works again";
}

TEST_F(TrayOn, RemovalTakesTheIconAwayAndItsLateReportsDoNothing) {
    HideMinimised();
    QPointer<FakeTrayIcons::Icon> removed = icon;
    emit removed->leftReleased();  // on its way when the icon goes
    tray::RemoveTrayIcon();
    EXPECT_EQ(icons.Shown(), 0);
    tray::RemoveTrayIcon();  // box unchecked, then unload: harmless
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(form.isVisible()) << "a report of a removed icon does nothing";
    EXPECT_TRUE(removed.isNull()) << "the icon object goes too";

    tray::AddTrayIcon(&form, &menu);
    EXPECT_EQ(icons.Shown(), 1) << "a new add shows an icon again";
}

TEST(TrayTip, KeepsAtMostSixtyThreeCharacters) {
    FakeTrayIcons icons;
    QWidget form;
    tray::AddTrayIcon(&form, nullptr);
    const QString long64(64, u'x');
    for (const auto& [text, shown] :
         std::vector<std::pair<QString, QString>>{{QString(), QString()},
                                                  {QString(63, u'y'), QString(63, u'y')},
                                                  {long64, QString(63, u'x')},
                                                  {long64 + "z", QString(63, u'x')}}) {
        tray::SetTrayTip(text);
        EXPECT_EQ(icons.Last()->tip, shown) << text.size();
    }
    tray::RemoveTrayIcon();
}

}  // namespace
}  // namespace quadrello::test
