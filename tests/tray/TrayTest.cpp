// The tray module against a recording notification area: the commands in order, the record
// they carry, the procedure swapped and restored, and what each notification does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPixmap>
#include <QTimer>

#include "RecordingNotifyIcons.h"
#include "platform/WindowProcedure.h"
#include "tray/Tray.h"

namespace quadrello::test {
namespace {

using platform::kIconLeftButtonUp;
using platform::kIconRightButtonUp;

// The owner window's own procedure: records what reaches it and answers 42.
std::vector<std::pair<uint32_t, intptr_t>> passedOn;
int32_t OwnerProc(QWidget*, uint32_t message, uintptr_t, intptr_t lParam) {
    passedOn.emplace_back(message, lParam);
    return 42;
}

// A main window with its own procedure and a menu, its icon on for the test's lifetime.
class TrayOn : public ::testing::Test {
  protected:
    void SetUp() override {
        passedOn.clear();
        QPixmap picture(16, 16);
        picture.fill(Qt::darkCyan);
        form.setWindowIcon(QIcon(picture));
        form.resize(200, 100);
        menu.addAction(QStringLiteral("关于.."));
        platform::SetWindowProc(&form, &OwnerProc);
        tray::AddTrayIcon(&form, &menu);
        tray::SetTrayTip(QString::fromUtf8(tray::kTrayTip));
    }
    void TearDown() override { tray::RemoveTrayIcon(); }

    // Sends the notification and reports whether the menu popped up meanwhile (it is closed
    // again at once, so that nothing waits on it).
    bool Notify(intptr_t what, uint32_t message = tray::kTrayCallbackMessage) {
        bool popped = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                popped = popup == &menu;
                popup->close();
            }
        });
        closer.start(1);
        result = platform::SendWindowMessage(&form, message, 0, what);
        return popped;
    }

    RecordingNotifyIcons icons;
    QWidget form;
    QMenu menu;
    int32_t result = 0;
};

TEST_F(TrayOn, AddsWithMessageAndIconThenSetsTheTip) {
    ASSERT_EQ(icons.Commands(), (std::vector<uint32_t>{platform::kNimAdd, platform::kNimModify}));
    const platform::NotifyIconData& add = icons.calls[0].data;
    EXPECT_EQ(add.cbSize, 88u);
    EXPECT_EQ(add.hWnd, &form);
    EXPECT_EQ(add.uID, 0u);
    EXPECT_EQ(add.uFlags, platform::kNifMessage | platform::kNifIcon);
    EXPECT_EQ(add.uCallbackMessage, 2025u);
    EXPECT_EQ(add.hIcon.cacheKey(), form.windowIcon().cacheKey()) << "the owner window's icon";

    const platform::NotifyIconData& tip = icons.calls[1].data;
    EXPECT_EQ(tip.uFlags, platform::kNifTip);
    EXPECT_EQ(tip.hWnd, &form);
    const QString text = QString::fromUtf8("Quadrello\r\n作者：Tarvenn");
    EXPECT_EQ(platform::TipText(tip.szTip), text);
    // The field: the text, one NUL, blanks to 64 characters.
    EXPECT_EQ(tip.szTip, text + QChar(u'\0') + QString(64 - text.size() - 1, u' '));
}

TEST_F(TrayOn, InstallsItsProcedureAndRemovalGivesTheOldOneBack) {
    EXPECT_EQ(platform::GetWindowProc(&form), &tray::TrayWindowProc);
    tray::RemoveTrayIcon();
    EXPECT_EQ(platform::GetWindowProc(&form), &OwnerProc);
    ASSERT_EQ(icons.calls.size(), 3u);
    EXPECT_EQ(icons.calls[2].command, platform::kNimDelete);
    EXPECT_EQ(icons.calls[2].data.uFlags, 0u);
    EXPECT_EQ(icons.calls[2].data.hWnd, &form) << "the icon is named by the add's window and id";
    EXPECT_EQ(icons.calls[2].data.uID, 0u);

    // A second removal (box unchecked, then unload) repeats both steps harmlessly.
    tray::RemoveTrayIcon();
    EXPECT_EQ(icons.calls.back().command, platform::kNimDelete);
    EXPECT_EQ(platform::GetWindowProc(&form), &OwnerProc);
}

TEST_F(TrayOn, LeftReleaseBringsAMinimisedHiddenWindowBackNormal) {
    form.showMinimized();
    form.hide();  // what the resize action does with the tray on
    EXPECT_FALSE(Notify(kIconLeftButtonUp));
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.isMinimized());
    EXPECT_EQ(passedOn, (decltype(passedOn){{2025, kIconLeftButtonUp}}))
        << "the left release goes on to the old procedure after its own work";
    EXPECT_EQ(result, 42);
}

TEST_F(TrayOn, LeftReleaseOnAShownWindowOnlyFocusesIt) {
    form.show();
    const QRect before = form.geometry();
    EXPECT_FALSE(Notify(kIconLeftButtonUp));
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.isMinimized());
    EXPECT_EQ(form.geometry(), before);
    EXPECT_EQ(passedOn.size(), 1u);
}

TEST_F(TrayOn, RightReleasePopsUpTheMenuAndGoesNoFurther) {
    form.show();
    EXPECT_TRUE(Notify(kIconRightButtonUp));
    EXPECT_TRUE(passedOn.empty());
    EXPECT_EQ(result, 0);
}

// Every other notification, and the same codes in other messages, go to the old procedure
// untouched and do nothing else.
struct Other {
    uint32_t message;
    intptr_t lParam;
};

class TrayPassesOn : public TrayOn, public ::testing::WithParamInterface<Other> {};

TEST_P(TrayPassesOn, ToTheOldProcedure) {
    const Other other = GetParam();
    form.showMinimized();
    form.hide();
    EXPECT_FALSE(Notify(other.lParam, other.message));
    EXPECT_FALSE(form.isVisible()) << "only the left release brings the window back";
    EXPECT_EQ(passedOn, (decltype(passedOn){{other.message, other.lParam}}));
    EXPECT_EQ(result, 42);
}

INSTANTIATE_TEST_SUITE_P(Tray, TrayPassesOn,
                         ::testing::Values(Other{2025, platform::kIconLeftDoubleClick},
                                           Other{2025, platform::kIconMiddleButtonUp},
                                           Other{2025, 0x200},  // pointer move
                                           Other{2025, 0x201},  // left press
                                           Other{2025, 0x204},  // right press
                                           Other{2024, kIconLeftButtonUp},
                                           Other{15, kIconRightButtonUp}));

TEST_F(TrayOn, NotificationsWaitWhileAModalWindowIsOpen) {
    form.showMinimized();
    form.hide();
    QWidget modal;
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    EXPECT_FALSE(Notify(kIconRightButtonUp)) << "no menu over a disabled window";
    EXPECT_FALSE(Notify(kIconLeftButtonUp));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(passedOn.size(), 2u);

    modal.close();
    Notify(kIconLeftButtonUp);
    EXPECT_TRUE(form.isVisible()) << "once it has closed the icon works again";
}

TEST(TrayTip, FieldKeepsAtMostSixtyThreeCharactersBeforeItsNul) {
    RecordingNotifyIcons icons;
    QWidget form;
    tray::AddTrayIcon(&form, nullptr);
    struct Case {
        QString text;
        QString shown;
    };
    const QString long64(64, u'x');
    for (const Case& c :
         {Case{QString(), QString()}, Case{QStringLiteral("a"), QStringLiteral("a")},
          Case{QString(63, u'y'), QString(63, u'y')}, Case{long64, QString(63, u'x')},
          Case{long64 + "z", QString(63, u'x')}}) {
        tray::SetTrayTip(c.text);
        EXPECT_EQ(icons.calls.back().data.szTip.size(), 64) << c.text.size();
        EXPECT_EQ(platform::TipText(icons.calls.back().data.szTip), c.shown) << c.text.size();
    }
    tray::RemoveTrayIcon();
}

}  // namespace
}  // namespace quadrello::test
