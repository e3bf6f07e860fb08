// Compare of 100 monitored keys of 50 values each against a bare pass over
// the same keys (each key and its backup copy opened once, every value
// enumerated with its data), both on the in-memory registry, in one run. The
// last line printed is the ratio of their median CPU times.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/compare_scenario.h"
#include "registry/memory/memory_registry.h"

namespace tavrel::bench {
namespace {

constexpr int kKeys = 100;
constexpr int kValues = 50;

void CompareHundredKeys(benchmark::State& state) {
  MemoryRegistry memory;
  CompareScenario scenario(memory, kKeys, kValues);
  for (auto _ : state) benchmark::DoNotOptimize(scenario.Compare());
  state.counters["values/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kKeys * kValues, benchmark::Counter::kIsRate);
}
BENCHMARK(CompareHundredKeys)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BarePassHundredKeys(benchmark::State& state) {
  MemoryRegistry memory;
  CompareScenario scenario(memory, kKeys, kValues);
  const std::vector<std::wstring> keys = scenario.KeysRead();
  for (auto _ : state) benchmark::DoNotOptimize(BarePass(memory, keys));
  state.counters["values/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kKeys * kValues, benchmark::Counter::kIsRate);
}
BENCHMARK(BarePassHundredKeys)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Keeps the median CPU time of each benchmark so that the ratio can be
// printed last. Both run on one thread; CPU time is what a shared machine
// disturbs least.
class MedianReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        medians[run.run_name.function_name] = run.GetAdjustedCPUTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> medians;
};

}  // namespace
}  // namespace tavrel::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  tavrel::bench::MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const auto compare = reporter.medians.find("CompareHundredKeys");
  const auto bare = reporter.medians.find("BarePassHundredKeys");
  if (compare == reporter.medians.end() || bare == reporter.medians.end() || bare->second <= 0) {
    std::printf("compare vs bare pass ratio: n/a\n");
  } else {
    std::printf("compare vs bare pass ratio: %.2f\n", compare->second / bare->second);
  }
  return 0;
}
