// Click on "计 算" to the plot repainted on screen, in process on the offscreen platform: the
// solver, the labels, clearing the picture, about 10,000 curve points and the picture box's
// paint. Target: under 1 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "platform/Fonts.h"
#include "platform/PictureBox.h"
#include "platform/core/AppFolder.h"
#include "platform/core/AppNames.h"
#include "ui/frmMain.h"

namespace {

using quadrello::frmMain;

// A shown main window over a private folder whose config.ini turns the gate and drawing on.
class Window {
  public:
    Window() {
        quadrello::platform::OverrideApplicationFolder(folder_.path().toStdString());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path());
        QFile config(folder_.filePath(QStringLiteral("config.ini")));
        config.open(QIODevice::WriteOnly);
        config.write("[Function]\r\nDrawGraphic=1\r\nMark=1\r\n");
        config.close();
        window_ = std::make_unique<frmMain>();
        window_->show();
        exposed_ = QTest::qWaitForWindowExposed(window_.get());
    }
    ~Window() {
        window_.reset();
        quadrello::platform::OverrideApplicationFolder("");
    }

    bool Exposed() const { return exposed_; }

    template <typename Widget>
    Widget* Control(const char* name) {
        return window_->findChild<Widget*>(QString::fromUtf8(name));
    }

    void Type(const char* a, const char* b, const char* c) {
        Control<QLineEdit>("二次项系数文本框")->setText(QString::fromUtf8(a));
        Control<QLineEdit>("一次项系数文本框")->setText(QString::fromUtf8(b));
        Control<QLineEdit>("常数项系数文本框")->setText(QString::fromUtf8(c));
    }

  private:
    QTemporaryDir folder_;
    std::unique_ptr<frmMain> window_;
    bool exposed_ = false;
};

void BM_ComputeClickToRepaintedPlot(benchmark::State& state, const char* a, const char* b,
                                    const char* c) {
    Window window;
    if (!window.Exposed()) {
        state.SkipWithError("the window was not shown");
        return;
    }
    window.Type(a, b, c);
    auto* compute = window.Control<QPushButton>("计算按钮");
    auto* picture = window.Control<quadrello::platform::PictureBox>("picGraphic");
    for (auto _ : state) {
        compute->click();
        picture->repaint();  // paints now instead of at the next event-loop turn
    }
    benchmark::DoNotOptimize(picture->Picture().pixel(0, 0));
}
BENCHMARK_CAPTURE(BM_ComputeClickToRepaintedPlot, two_roots, "1", "-3", "2")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ComputeClickToRepaintedPlot, no_real_root, "1", "0", "1")
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid()) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    }
    quadrello::platform::SetApplicationNames();  // as the program names itself
    quadrello::platform::InstallFontSubstitutions();
    QApplication app(argc, argv);
    quadrello::platform::InstallFallbackFace();
    QApplication::setFont(quadrello::platform::DefaultFont());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
