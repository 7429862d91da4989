// The engine without a desktop: the three line computations, and the renderer's own
// arithmetic on a surface that draws nothing.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench/start_plot.h"
#include "engine/module1.h"
#include "engine/renderer.h"
#include "engine/spin_systems.h"
#include "platform/core/graphics.h"

namespace {

class NoSurface final : public platform::Graphics {
  public:
    double Width() const override { return 0; }
    double Height() const override { return 0; }
    void DrawingColor(platform::Color) override {}
    void PenSize(double) override {}
    float FontSize() const override { return 0; }
    void FontSize(float) override {}
    void FillRectangle(double, double, double, double) override {}
    void DrawLine(double, double, double, double) override {}
    double TextWidth(const std::string&) override { return 0; }
    void DrawText(const std::string&, double, double) override {}
    void DrawPicture(const platform::Picture&, double, double, double, double, double, double,
                     double, double) override {}
};

using korva::bench::Computation;

void compute(benchmark::State& state, Computation computation) {
    Module1::startValues();
    const engine::SpinParameters start = Module1::spinParameters();
    for (auto _ : state) {
        engine::LineList lines = computation(start);
        benchmark::DoNotOptimize(lines);
    }
}

BENCHMARK_CAPTURE(compute, AB, engine::linesAB);
BENCHMARK_CAPTURE(compute, ABB, engine::linesABB);
BENCHMARK_CAPTURE(compute, AAXX, engine::linesAAXX);

// Arguments: the plot's width, height and pf, and the line width.
void arithmetic(benchmark::State& state, Computation computation) {
    const auto [lines, area] =
        korva::bench::startPlot(computation, state.range(0), state.range(1), state.range(2),
                                static_cast<float>(state.range(3)));
    NoSurface surface;
    for (auto _ : state) engine::render(surface, lines, area);
}

void plots(benchmark::internal::Benchmark* b) {
    b->ArgNames({"W", "H", "pf", "s"})->Unit(benchmark::kMicrosecond);
    for (std::int64_t s : {0, 100}) {
        b->Args({800, 600, 1, s});
        b->Args({4800, 3200, 3, s});
    }
}

BENCHMARK_CAPTURE(arithmetic, AB, engine::linesAB)->Apply(plots);
BENCHMARK_CAPTURE(arithmetic, ABB, engine::linesABB)->Apply(plots);
BENCHMARK_CAPTURE(arithmetic, AAXX, engine::linesAAXX)->Apply(plots);

}  // namespace
