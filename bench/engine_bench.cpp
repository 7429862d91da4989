// The engine without a desktop: the three line computations, and the renderer's own
// arithmetic on a surface that draws nothing.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench/start_values.h"
#include "engine/module1.h"
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

void compute(benchmark::State& state, void (*computation)()) {
    korva::bench::startValues();
    for (auto _ : state) {
        computation();
        benchmark::ClobberMemory();
    }
}

BENCHMARK_CAPTURE(compute, AB, Module1::AB);
BENCHMARK_CAPTURE(compute, ABB, Module1::ABB);
BENCHMARK_CAPTURE(compute, AAXX, Module1::AAXX);

// Arguments: the plot's width, height and pf, and the line width.
void arithmetic(benchmark::State& state, void (*computation)()) {
    korva::bench::startValues();
    computation();
    Module1::canvaswidth = state.range(0);
    Module1::canvasheight = state.range(1);
    Module1::pf = state.range(2);
    Module1::s = static_cast<float>(state.range(3));
    NoSurface surface;
    for (auto _ : state) Module1::display(surface);
}

void plots(benchmark::internal::Benchmark* b) {
    b->ArgNames({"W", "H", "pf", "s"})->Unit(benchmark::kMicrosecond);
    for (std::int64_t s : {0, 100}) {
        b->Args({800, 600, 1, s});
        b->Args({4800, 3200, 3, s});
    }
}

BENCHMARK_CAPTURE(arithmetic, AB, Module1::AB)->Apply(plots);
BENCHMARK_CAPTURE(arithmetic, ABB, Module1::ABB)->Apply(plots);
BENCHMARK_CAPTURE(arithmetic, AAXX, Module1::AAXX)->Apply(plots);

}  // namespace
