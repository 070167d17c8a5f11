// The reference for start-up time and memory: an empty Qt 6 window of the main window's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("empty"));
    window.resize(308, 455);
    window.show();
    return app.exec();
}
