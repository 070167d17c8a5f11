// The tray menu as StatusNotifier hosts read it over com.canonical.dbusmenu: its entries in
// order, their labels, and what a click on one does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/core/AppFolder.h"
#include "tray/DBusMenu.h"
#include "ui/frmMain.h"

namespace quadrello::test {
namespace {

using tray::DBusMenuLayoutItem;

class ExportedTrayMenu : public ::testing::Test {
  protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        ASSERT_TRUE(folder.isValid());
        platform::OverrideApplicationFolder(folder.path().toStdString());
        window = std::make_unique<frmMain>();
        exported = std::make_unique<tray::DBusMenu>(window->TrayMenu());
    }
    void TearDown() override {
        exported.reset();
        window.reset();
        platform::OverrideApplicationFolder(std::string());
    }

    QTemporaryDir folder;
    std::unique_ptr<frmMain> window;
    std::unique_ptr<tray::DBusMenu> exported;
};

TEST_F(ExportedTrayMenu, ListsTheEightEntriesInOrder) {
    DBusMenuLayoutItem root;
    exported->GetLayout(0, -1, {}, root);
    EXPECT_EQ(root.properties.value("children-display").toString(), "submenu");
    QStringList entries;
    for (const DBusMenuLayoutItem& child : root.children) {
        EXPECT_TRUE(child.children.isEmpty());
        EXPECT_NE(child.properties.value("visible"), QVariant(false));
        entries << (child.properties.value("type") == "separator"
                        ? QStringLiteral("-")
                        : child.properties.value("label").toString());
    }
    EXPECT_EQ(entries,
              QString::fromUtf8("系统计算器|配置颜色|作者主页|联系作者|更多软件|关于..|-|退出")
                  .split(u'|'));

    DBusMenuLayoutItem shallow;
    exported->GetLayout(0, 0, {}, shallow);
    EXPECT_TRUE(shallow.children.isEmpty()) << "depth 0 asks for the entry alone";
    EXPECT_EQ(exported->GetProperty(8, "label").variant().toString(), QString::fromUtf8("退出"));
    EXPECT_EQ(exported->GetGroupProperties({1, 99}, {"label"}).size(), 1) << "99 is no entry";
}

TEST_F(ExportedTrayMenu, ExitClickedEndsTheWindowAfterTheCallReturns) {
    window->show();
    QSignalSpy unloaded(window.get(), &frmMain::unloaded);
    exported->Event(8, "clicked", QDBusVariant(QString()), 0);
    EXPECT_EQ(unloaded.count(), 0) << "the host gets its answer first";
    QApplication::processEvents();
    EXPECT_EQ(unloaded.count(), 1);
}

TEST_F(ExportedTrayMenu, ClicksWaitForNoModalWindowAndOnlyClicksAct) {
    window->show();
    QSignalSpy unloaded(window.get(), &frmMain::unloaded);
    exported->Event(8, "hovered", QDBusVariant(QString()), 0);
    exported->Event(7, "clicked", QDBusVariant(QString()), 0);  // the separator
    QWidget modal;
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    exported->Event(8, "clicked", QDBusVariant(QString()), 0);
    QApplication::processEvents();
    EXPECT_EQ(unloaded.count(), 0);
    modal.close();

    const QList<int> errors = exported->EventGroup(
        {{42, "clicked", QDBusVariant(0), 0}, {8, "clicked", QDBusVariant(0), 0}});
    EXPECT_EQ(errors, QList<int>{42});
    QApplication::processEvents();
    EXPECT_EQ(unloaded.count(), 1);
}

TEST(DBusMenuLabel, MarksMnemonicsTheDBusWay) {
    for (const auto& [text, label] : std::vector<std::pair<QString, QString>>{
             {"&File", "_File"}, {"a_b", "a__b"}, {"a&&b", "a&b"}, {"关于..", "关于.."}}) {
        EXPECT_EQ(tray::DBusMenuLabel(text), label) << text.toStdString();
    }
}

}  // namespace
}  // namespace quadrello::test
