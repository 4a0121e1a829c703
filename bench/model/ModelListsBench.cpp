// Builds 100,000 standard property lists and copies them, and reports the
// cost per list. Baseline: building and copying, in the same run, a plain
// map of the same 75 names to their value texts — the least any list of
// named text values costs. The ratio printed is list time / baseline time.
#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "blocktool/model/MarkupBlockProperties.h"
#include "blocktool/model/ModelStrings.h"

namespace {

constexpr int kLists = 100000;

std::map<std::string, std::string> PlainMap(const CMarkupBlockProperties& list) {
  std::map<std::string, std::string> map;
  for (const std::string& name : list.Names()) map.emplace(name, list.GetProperty(name)->TagValue());
  return map;
}

void BM_BaselinePlainMaps(benchmark::State& state) {
  korvid::testing::ModelStrings strings;
  const std::map<std::string, std::string> model = PlainMap(CMarkupBlockProperties(1));
  for (auto _ : state) {
    for (int i = 0; i < kLists; ++i) {
      std::map<std::string, std::string> built(model.begin(), model.end());
      built["ID"] = std::to_string(i);
      std::map<std::string, std::string> copy(built);
      benchmark::DoNotOptimize(copy.size());
    }
  }
  state.counters["per_list_ns"] =
      benchmark::Counter(kLists, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_StandardListsBuiltAndCopied(benchmark::State& state) {
  korvid::testing::ModelStrings strings;
  for (auto _ : state) {
    for (int i = 0; i < kLists; ++i) {
      CMarkupBlockProperties built(i);
      CMarkupBlockProperties copy(i + kLists, built);
      benchmark::DoNotOptimize(copy.GetSize());
    }
  }
  state.counters["per_list_ns"] =
      benchmark::Counter(kLists, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_BaselinePlainMaps)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_StandardListsBuiltAndCopied)->Unit(benchmark::kMillisecond)->Iterations(1);

// Prints the ratio of the two runs after the usual report.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.benchmark_name().find("Baseline") != std::string::npos) baseline_ = run.GetAdjustedRealTime();
      if (run.benchmark_name().find("StandardLists") != std::string::npos) lists_ = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    if (baseline_ > 0 && lists_ > 0) {
      std::cout << "per list (build + copy): " << lists_ * 1e6 / kLists << " ns; ratio to plain maps: "
                << lists_ / baseline_ << "\n";
    }
  }

 private:
  double baseline_ = 0;
  double lists_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
