#include <benchmark/benchmark.h>

#include "solver/NumberText.h"
#include "solver/Solver.h"

namespace {

void BM_ParseNumber(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(quadrello::ParseNumber("-12.375e-3"));
    }
}
BENCHMARK(BM_ParseNumber);

void BM_NumberToText(benchmark::State& state) {
    double x = 6.93889390390723e-18;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(quadrello::NumberToText(x));
    }
}
BENCHMARK(BM_NumberToText);

void BM_FormatFixed26(benchmark::State& state) {
    double x = 0.28077640640441515;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(quadrello::FormatFixed(x, 26));
    }
}
BENCHMARK(BM_FormatFixed26);

void BM_SolveWholeCore(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(quadrello::SolveTexts("1", "-3", "2"));
    }
}
BENCHMARK(BM_SolveWholeCore);

}  // namespace
