// Cost of Compare on the in-memory registry. The last line printed is the
// time ratio of one key of 10,000 values to one of 1,000: a linear Compare
// stays near 10, a quadratic one near 100.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "registry/memory/memory_registry.h"
#include "registry/registry.h"
#include "review/change_list.h"
#include "scan/backup_key.h"
#include "scan/change_rows.h"
#include "scan/scan_driver.h"
#include "scan/scan_progress.h"
#include "watchlist/watch_list.h"

namespace tavrel {
namespace {

std::wstring Numbered(const wchar_t* prefix, int n) {
  wchar_t digits[16];
  std::swprintf(digits, 16, L"%05d", n);
  return prefix + std::wstring(digits);
}

// A registry with monitored keys of `values` values each, backed up, then
// changed the way a busy machine changes them: 1 value in 100 changed, 1
// deleted, 1 created. A few value entries make the flagging look-ups real.
struct Machine {
  Machine(int keys, int values)
      : registry(memory), rows(watchList, dialog), driver(registry, watchList, rows, progress) {
    for (int k = 0; k < keys; ++k) {
      const std::wstring keyPath = Numbered(L"Software\\Bench\\Key ", k);
      watchList.ParseWatchLine(L"MONITOR\tHKEY_CURRENT_USER\\" + keyPath);
      for (int v = 0; v < values; ++v) {
        registry.WriteStringValue(kCurrentUser, keyPath, Numbered(L"Value ", v),
                                  L"C:\\Program Files\\Vendor\\App" + std::to_wstring(v) + L"\\app.exe /quiet");
      }
    }
    for (int e = 0; e < 20; ++e) {
      watchList.ParseWatchLine(L"watched\tHKEY_CURRENT_USER\\Software\\Bench\\Other\\" + Numbered(L"Value ", e * 7));
    }
    driver.ScanWatchList(kScanBackup);
    for (int k = 0; k < keys; ++k) {
      const std::wstring keyPath = Numbered(L"Software\\Bench\\Key ", k);
      for (int v = 0; v < values; v += 100) {
        registry.WriteStringValue(kCurrentUser, keyPath, Numbered(L"Value ", v), L"C:\\Temp\\changed.exe");
        registry.DeleteValue(kCurrentUser, keyPath, Numbered(L"Value ", v + 1));
        registry.WriteStringValue(kCurrentUser, keyPath, Numbered(L"Added ", v), L"C:\\Temp\\added.exe");
      }
    }
  }

  void Compare() {
    dialog.Unload();
    watchList.FoundCount = 0;
    driver.ScanWatchList(kScanCompare);
  }

  MemoryRegistry memory;
  Registry registry;
  WatchList watchList;
  ReviewList dialog;
  ChangeRowBuilder rows;
  NoScanProgress progress;
  ScanDriver driver;
};

void CompareOneKey(benchmark::State& state) {
  const int values = static_cast<int>(state.range(0));
  Machine machine(1, values);
  for (auto _ : state) {
    machine.Compare();
    benchmark::DoNotOptimize(machine.dialog.List().Count());
  }
  state.counters["rows"] = static_cast<double>(machine.dialog.List().Count());
  state.counters["values/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * values, benchmark::Counter::kIsRate);
}
BENCHMARK(CompareOneKey)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void CompareHundredKeysOfFiftyValues(benchmark::State& state) {
  Machine machine(100, 50);
  for (auto _ : state) {
    machine.Compare();
    benchmark::DoNotOptimize(machine.dialog.List().Count());
  }
  state.counters["rows"] = static_cast<double>(machine.dialog.List().Count());
  state.counters["values/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 100 * 50, benchmark::Counter::kIsRate);
}
BENCHMARK(CompareHundredKeysOfFiftyValues)->Unit(benchmark::kMicrosecond);

// The floor under Compare: list both keys and read every value once each.
void BareReadPass(benchmark::State& state) {
  const int values = static_cast<int>(state.range(0));
  Machine machine(1, values);
  const std::wstring keyPath = Numbered(L"Software\\Bench\\Key ", 0);
  const std::wstring backupKey = BackupKeyFor(keyPath);
  for (auto _ : state) {
    for (const std::wstring& key : {keyPath, backupKey}) {
      for (const ValueRow& row : machine.registry.EnumValues(kCurrentUser, key)) {
        if (row.name.empty()) break;
        benchmark::DoNotOptimize(machine.registry.ReadStringValue(kCurrentUser, key, row.name, L""));
      }
    }
  }
}
BENCHMARK(BareReadPass)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Keeps the CPU time per iteration of every run so that the ratio can be
// printed last. CPU time, not wall time: the scan is single-threaded and the
// machines that run this are shared.
class RecordingReporter final : public benchmark::ConsoleReporter {
 public:
  RecordingReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        const std::string name = run.benchmark_name();
        const double time = run.GetAdjustedCPUTime();
        const auto found = times.find(name);
        if (found == times.end() || time < found->second) times[name] = time;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace
}  // namespace tavrel

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  tavrel::RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const auto small = reporter.times.find("CompareOneKey/1000");
  const auto large = reporter.times.find("CompareOneKey/10000");
  if (small == reporter.times.end() || large == reporter.times.end() || small->second <= 0) {
    std::printf("compare 10k/1k time ratio: n/a\n");
  } else {
    std::printf("compare 10k/1k time ratio: %.2f\n", large->second / small->second);
  }
  return 0;
}
