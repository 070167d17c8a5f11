// The shipped skin paints the windows through palettes exactly as the same sheet applied as a
// Qt style sheet does: every pixel of the main window, its tray menu, a message box and the
// About window. A dark desktop scheme changes none of those pixels.
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "MainWindowFixture.h"
#include "SkinTesting.h"
#include "skin/SkinStyle.h"
#include "ui/Controls.h"
#include "ui/frmAbout.h"

namespace quadrello::test {
namespace {

class SkinLookTest : public MainWindowTest {
  protected:
    void TearDown() override {
        DetachSkin();
        MainWindowTest::TearDown();
    }

    void WriteShippedSkin() {
        QFile skin(folder_.filePath(QStringLiteral("skin.ski")));
        ASSERT_TRUE(skin.open(QIODevice::WriteOnly));
        skin.write(ShippedSkin());
    }

    static QByteArray ShippedSkin() {
        QFile file(QStringLiteral(QUADRELLO_SOURCE_DIR "/resources/skin/skin.ski"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    // The window in the states that show every kind of control the skin colours: collapsed,
    // opened, with results, a plot and a selected box, then the tray menu with an item lit, a
    // message box and the About window.
    std::vector<QImage> Pictures() {
        WriteConfig("[Function]\r\nDrawGraphic=1\r\nMark=1\r\n");
        frmMain& window = OpenShown();
        std::vector<QImage> pictures = {window.grab().toImage()};
        // Clicked by the program: a pointer left over a button would show it lit the next time.
        Control<QPushButton>(ui::kOption.name)->click();
        pictures.push_back(window.grab().toImage());
        Control<QLineEdit>(ui::kCoefficientA.name)->setText(QStringLiteral("1"));
        Control<QLineEdit>(ui::kCoefficientB.name)->setText(QStringLiteral("-3"));
        Control<QLineEdit>(ui::kCoefficientC.name)->setText(QStringLiteral("2"));
        Control<QPushButton>(ui::kCompute.name)->click();
        pictures.push_back(window.grab().toImage());

        QMenu* menu = window.TrayMenu();
        menu->popup(QPoint(10, 10));
        pictures.push_back(menu->grab().toImage());
        menu->setActiveAction(menu->actions().at(1));
        pictures.push_back(menu->grab().toImage());
        menu->hide();

        {
            QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Parabolix"),
                            QString::fromUtf8("二次项系数不能为0！"), QMessageBox::NoButton,
                            &window);
            box.setDefaultButton(box.addButton(QString::fromUtf8("确定"), QMessageBox::AcceptRole));
            box.show();
            pictures.push_back(box.grab().toImage());
        }
        frmAbout& about = frmAbout::Instance();
        about.show();
        pictures.push_back(about.grab().toImage());
        about.hide();
        window_.reset();
        return pictures;
    }
};

TEST_F(SkinLookTest, PalettesPaintEveryPixelAsTheStyleSheetDoes) {
    qApp->setStyleSheet(QString::fromUtf8(ShippedSkin()));
    const std::vector<QImage> expected = Pictures();
    DetachSkin();

    WriteShippedSkin();
    const std::vector<QImage> pictures = Pictures();
    ASSERT_NE(qobject_cast<skin::SkinStyle*>(QApplication::style()), nullptr);
    EXPECT_TRUE(qApp->styleSheet().isEmpty());

    ASSERT_EQ(pictures.size(), expected.size());
    for (size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_EQ(pictures[i].size(), expected[i].size()) << "picture " << i;
        EXPECT_TRUE(pictures[i] == expected[i]) << "picture " << i << " differs";
    }
}

// The desktop's palette under a dark scheme (Breeze Dark's colours), as the platform theme
// hands it to the application, and to the classes it themes, before the skin is attached.
QPalette DarkScheme() {
    const QColor text(239, 240, 241);
    QPalette dark(QColor(49, 54, 59), QColor(42, 46, 50));  // button, window
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                            QPalette::ToolTipText, QPalette::HighlightedText}) {
        dark.setColor(role, text);
    }
    dark.setColor(QPalette::Base, QColor(27, 30, 32));
    dark.setColor(QPalette::AlternateBase, QColor(35, 38, 41));
    dark.setColor(QPalette::ToolTipBase, QColor(49, 54, 59));
    dark.setColor(QPalette::Highlight, QColor(61, 174, 233));
    return dark;
}

TEST_F(SkinLookTest, ADarkDesktopSchemeChangesNoPixel) {
    const QPalette desktop = QApplication::palette();
    WriteShippedSkin();
    const std::vector<QImage> light = Pictures();
    DetachSkin();

    // GTK's platform theme also gives buttons, check boxes, menus and the like dark palettes of
    // their own, which Qt prefers to the application's.
    const char* themedClasses[] = {"QAbstractButton",  "QCheckBox", "QMenu",
                                   "QMessageBoxLabel", "QLabel",    "QLineEdit"};
    QApplication::setPalette(DarkScheme());
    for (const char* className : themedClasses) {
        QApplication::setPalette(DarkScheme(), className);
    }
    const std::vector<QImage> dark = Pictures();
    for (const char* className : themedClasses) {
        QApplication::setPalette(desktop, className);
    }
    QApplication::setPalette(desktop);

    ASSERT_EQ(dark.size(), light.size());
    for (size_t i = 0; i < dark.size(); ++i) {
        EXPECT_TRUE(dark[i] == light[i]) << "picture " << i << " differs";
    }
}

}  // namespace
}  // namespace quadrello::test
