#include <benchmark/benchmark.h>

#include <QApplication>

#include "graph/Parabola.h"
#include "platform/PictureBox.h"

namespace {

using namespace quadrello;

// What a click on the compute button costs the picture box: clear, then the whole plot.
void BM_PlotIntoPictureBox(benchmark::State& state) {
    platform::PictureBox box;
    box.resize(289, 205);
    box.show();
    QApplication::processEvents();
    for (auto _ : state) {
        box.Cls();
        benchmark::DoNotOptimize(DrawParabola(3, -1, 1, 8, -2, 4, 6, box).samples);
        QApplication::processEvents();  // the one repaint the plot asked for
    }
}
BENCHMARK(BM_PlotIntoPictureBox)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
