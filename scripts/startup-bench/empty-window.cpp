// The reference for start-up time and memory: a Qt 6 window of the main window's size holding
// nothing but one Chinese label, as the least a Chinese program must start.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("empty"));
    window.resize(308, 455);
    QLabel label(QString::fromUtf8("二次项系数："), &window);
    label.move(9, 18);
    window.show();
    return app.exec();
}
