#include <benchmark/benchmark.h>

#include "graph/Parabola.h"
#include "graph/PointerReadout.h"
#include "graph/image/ImageSurface.h"

namespace {

using namespace quadrello;

// y = -2x² + 4x + 6: a window from -5 to 7 and 10,001 points.
void BM_PlotIntoRetainedImage(benchmark::State& state) {
    graph::ImageSurface surface(QSize(285, 201), Qt::white);
    int samples = 0;
    for (auto _ : state) {
        surface.Cls();
        samples = DrawParabola(3, -1, 1, 8, -2, 4, 6, surface).samples;
        benchmark::DoNotOptimize(surface.Retained().constBits());
    }
    state.counters["samples"] = samples;
}
BENCHMARK(BM_PlotIntoRetainedImage)->Unit(benchmark::kMicrosecond);

void BM_PlotWindow(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputePlotWindow(3, -1, 1, 8, -2, 6));
    }
}
BENCHMARK(BM_PlotWindow);

void BM_PointerCaption(benchmark::State& state) {
    float x = 1.5f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PointerCaption(x, -0.25f));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PointerCaption);

}  // namespace
