#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace korva::bench {

// Registers a benchmark whose body calls RunSideBySide; the target, when given, is the
// largest ratio to the floor that the summary accepts.
void RegisterSideBySide(const std::string& name, std::function<void(benchmark::State&)> body,
                        std::optional<double> target);

// Times a step and its floor, the least that any way of doing the step must cost,
// alternately in one loop, so that both meet the same machine state. The step's time is
// the benchmark's time; the counters give the floor's time and the ratio of the two (the
// CPU column counts both).
template <class Step, class Floor>
void RunSideBySide(benchmark::State& state, Step&& step, Floor&& floor) {
    using Clock = std::chrono::steady_clock;
    auto seconds = [](auto& f) {
        const auto start = Clock::now();
        f();
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    double stepTotal = 0.0;
    double floorTotal = 0.0;
    bool floorFirst = false;
    for (auto _ : state) {
        double floorTime = floorFirst ? seconds(floor) : 0.0;
        const double stepTime = seconds(step);
        if (!floorFirst) floorTime = seconds(floor);
        floorFirst = !floorFirst;
        state.SetIterationTime(stepTime);
        stepTotal += stepTime;
        floorTotal += floorTime;
    }
    state.counters["floor_us"] =
        benchmark::Counter(floorTotal * 1e6, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = floorTotal > 0.0 ? stepTotal / floorTotal : 0.0;
}

// Runs the benchmarks that the command line selects with the console's report, then
// prints each ratio (the median when the runs are repeated) beside its target.
void RunAndSummarize();

}  // namespace korva::bench
