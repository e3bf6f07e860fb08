#pragma once
// The workload of the Compare benchmarks, on whichever registry backend the
// program runs on: monitored keys below HKCU\Software\TavrelBench with their
// values, backed up, then compared as a start-up scan compares them.
#include <cstddef>
#include <string>
#include <vector>

#include "registry/registry.h"
#include "review/change_list.h"
#include "scan/change_rows.h"
#include "scan/scan_driver.h"
#include "scan/scan_progress.h"
#include "watchlist/watch_list.h"

namespace tavrel::bench {

inline constexpr wchar_t kBenchKey[] = L"Software\\TavrelBench";

class CompareScenario {
 public:
  // Writes keys x values string values (typical Run-key data) and takes the
  // backup copies, so that a Compare finds nothing: the common start-up scan.
  CompareScenario(RegistryApi& api, int keys, int values);
  CompareScenario(const CompareScenario&) = delete;
  CompareScenario& operator=(const CompareScenario&) = delete;

  // One Compare of every monitored key; answers the number of rows.
  std::size_t Compare();
  // The keys a Compare reads: each monitored key and its backup copy.
  [[nodiscard]] std::vector<std::wstring> KeysRead() const;
  // Deletes every key the scenario made (on a real registry).
  void RemoveKeys();

  Registry registry;

 private:
  std::vector<std::wstring> keyPaths_;
  WatchList watchList_;
  ReviewList dialog_;
  ChangeRowBuilder rows_;
  NoScanProgress progress_;
  ScanDriver driver_;
};

// The floor under Compare through the registry seam: open each key once,
// enumerate every value with its data, close. Answers the bytes read.
std::size_t BarePass(RegistryApi& api, const std::vector<std::wstring>& keyPaths);

}  // namespace tavrel::bench
