#include "bench/side_by_side.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace korva::bench {
namespace {

struct Entry {
    std::optional<double> target;
    bool measured = false;
    bool median = false;
    double step = 0.0;  // microseconds
    double floor = 0.0;
    double ratio = 0.0;
};

std::vector<std::pair<std::string, Entry>>& entries() {
    static std::vector<std::pair<std::string, Entry>> all;
    return all;
}

Entry* find(const std::string& name) {
    for (auto& [n, e] : entries()) {
        if (n == name) return &e;
    }
    return nullptr;
}

// The console's report, noting each ratio on the way.
class Summary final : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            Entry* entry = find(run.run_name.function_name);
            if (!entry || run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median) continue;
            if (entry->median && !median) continue;
            entry->measured = true;
            entry->median = median;
            entry->step = run.GetAdjustedRealTime();
            entry->floor = run.counters.at("floor_us").value;
            entry->ratio = run.counters.at("ratio").value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

void RegisterSideBySide(const std::string& name, std::function<void(benchmark::State&)> body,
                        std::optional<double> target) {
    benchmark::RegisterBenchmark(name.c_str(), std::move(body))
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    entries().push_back({name, Entry{target}});
}

void RunAndSummarize() {
    Summary summary;
    benchmark::RunSpecifiedBenchmarks(&summary);
    std::printf("\n%-30s %10s %10s %7s %7s\n", "", "step us", "floor us", "ratio", "target");
    for (const auto& [name, entry] : entries()) {
        if (!entry.measured) continue;
        std::printf("%-30s %10.1f %10.1f %6.2fx", name.c_str(), entry.step, entry.floor,
                    entry.ratio);
        if (entry.target) {
            std::printf(" %6.2fx %s", *entry.target,
                        entry.ratio <= *entry.target ? "met" : "MISSED");
        }
        std::printf("\n");
    }
}

}  // namespace korva::bench
