// The skin engine, the shipped skin (colours only), and the compiled-in icon.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "skin/SkinEngine.h"
#include "ui/AppIcon.h"

namespace quadrello::test {
namespace {

class SkinTest : public ::testing::Test {
  protected:
    void TearDown() override { qApp->setStyleSheet(QString()); }

    std::string Write(const QByteArray& bytes) {
        const QString path = dir_.filePath(QStringLiteral("skin.ski"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path.toStdString();
    }

    QTemporaryDir dir_;
};

TEST_F(SkinTest, AttachAppliesTheStyleSheet) {
    EXPECT_EQ(skin::SkinAttachEx(Write("QLabel { color: red; }"), 0), 1);
    EXPECT_EQ(qApp->styleSheet(), QStringLiteral("QLabel { color: red; }"));
}

TEST_F(SkinTest, MissingOrOversizedSkinChangesNothing) {
    qApp->setStyleSheet(QStringLiteral("QLabel { color: blue; }"));
    EXPECT_EQ(skin::SkinAttachEx(dir_.filePath(QStringLiteral("none.ski")).toStdString(), 0), 0);
    EXPECT_EQ(skin::SkinAttachEx(dir_.path().toStdString(), 0), 0) << "a folder";
    EXPECT_EQ(skin::SkinAttachEx(Write(QByteArray(300 * 1024, ' ')), 0), 0);
    EXPECT_EQ(qApp->styleSheet(), QStringLiteral("QLabel { color: blue; }"));
}

TEST(ShippedSkinTest, SetsColoursOnly) {
    QFile file(QStringLiteral(QUADRELLO_SOURCE_DIR "/resources/skin/skin.ski"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString sheet = QString::fromUtf8(file.readAll());
    sheet.remove(QRegularExpression(QStringLiteral("/\\*.*?\\*/"),
                                    QRegularExpression::DotMatchesEverythingOption));
    // Every declaration inside the braces names a colour property.
    const QRegularExpression declaration(QStringLiteral("([a-z-]+)\\s*:[^;{}]*;"));
    const QStringList colours = {QStringLiteral("color"), QStringLiteral("background-color"),
                                 QStringLiteral("selection-color"),
                                 QStringLiteral("selection-background-color"),
                                 QStringLiteral("alternate-background-color")};
    int count = 0;
    for (const QString& block : sheet.split(QLatin1Char('{')).mid(1)) {
        const QString body = block.section(QLatin1Char('}'), 0, 0);
        auto it = declaration.globalMatch(body);
        while (it.hasNext()) {
            const QString property = it.next().captured(1);
            EXPECT_TRUE(colours.contains(property)) << property.toStdString();
            ++count;
        }
    }
    EXPECT_GT(count, 0);
}

// A PNG's header: width and height at bytes 16 and 20, then bit depth and colour type.
constexpr int kPngBitDepth = 24;
constexpr int kPngColourType = 25;
constexpr char kPngPalette = 3;
constexpr char kPngTrueColour = 2;

TEST(IconTest, FiveSizesWithTheirDepths) {
    for (const int size : kIconSizes) {
        const QString path = QStringLiteral(":/icon/quadrello-%1.png").arg(size);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << size;
        const QByteArray png = file.readAll();
        ASSERT_GT(png.size(), kPngColourType);
        // 8 bits per pixel through a palette up to 48 pixels, 24-bit colour above.
        EXPECT_EQ(png[kPngBitDepth], 8) << size;
        EXPECT_EQ(png[kPngColourType], size <= 48 ? kPngPalette : kPngTrueColour) << size;
        EXPECT_EQ(QImage(path).size(), QSize(size, size));
    }
    EXPECT_EQ(AppIcon().availableSizes().size(), 5);
}

}  // namespace
}  // namespace quadrello::test
