// What every benchmark program prints after its table: each measurement as a
// ratio to the baseline measured in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace korvid::bench {

// Keeps each benchmark's time per iteration for the ratios.
class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const auto& run : runs) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }

  void PrintRatio(const char* what, const char* measured, const char* baseline) const {
    const auto m = times_.find(measured);
    const auto b = times_.find(baseline);
    if (m == times_.end() || b == times_.end() || b->second <= 0) return;
    std::printf("%-44s %.2fx its baseline (%s)\n", what, m->second / b->second, baseline);
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace korvid::bench
