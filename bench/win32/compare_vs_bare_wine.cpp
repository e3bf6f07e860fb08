// Compare of 100 monitored keys of 50 values each through Tavrel's registry
// layer on advapi32, against a bare advapi32 pass over the same keys (each
// key and its backup copy opened once with RegOpenKeyExW, every value listed
// with its data by RegEnumValueW), alternating in one run. The last line is
// the ratio of the medians. The keys live in HKCU\Software\TavrelBench of the
// prefix and are removed at the end.
// With "--trace" it runs one Compare and one bare pass, each between two
// OutputDebugStringA marks, for bench/count-registry-calls to count the
// registry calls of each in a Wine relay trace.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/compare_scenario.h"
#include "bench/win32/self_timing.h"
#include "registry/win32/advapi_registry.h"

namespace tavrel::bench {
namespace {

std::size_t BareAdvapiPass(const std::vector<std::wstring>& keyPaths) {
  std::vector<wchar_t> name(16384);
  std::vector<BYTE> data(65536);
  std::size_t bytes = 0;
  for (const std::wstring& keyPath : keyPaths) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) continue;
    for (DWORD index = 0;; ++index) {
      DWORD nameLength = static_cast<DWORD>(name.size());
      DWORD dataSize = static_cast<DWORD>(data.size());
      DWORD type = 0;
      if (RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize) !=
          ERROR_SUCCESS) {
        break;
      }
      bytes += dataSize;
    }
    RegCloseKey(key);
  }
  return bytes;
}

}  // namespace
}  // namespace tavrel::bench

int main(int argc, char** argv) {
  using namespace tavrel::bench;
  const bool trace = argc > 1 && std::string(argv[1]) == "--trace";
  const int repetitions = argc > 1 && !trace ? std::atoi(argv[1]) : 15;
  tavrel::AdvapiRegistry advapi;
  CompareScenario scenario(advapi, 100, 50);
  const std::vector<std::wstring> keys = scenario.KeysRead();
  if (trace) {
    OutputDebugStringA("tavrel-bench: compare begin");
    const std::size_t found = scenario.Compare();
    OutputDebugStringA("tavrel-bench: compare end");
    OutputDebugStringA("tavrel-bench: bare begin");
    (void)BareAdvapiPass(keys);
    OutputDebugStringA("tavrel-bench: bare end");
    scenario.RemoveKeys();
    std::printf("traced one Compare (%zu rows) and one bare pass of 100 keys x 50 values\n", found);
    return found == 0 ? 0 : 1;
  }
  std::size_t rows = 0;
  std::size_t bytes = 0;
  const Pair times = TimeAlternately(
      repetitions, [&] { rows = scenario.Compare(); }, [&] { bytes = BareAdvapiPass(keys); });
  scenario.RemoveKeys();
  std::printf("100 keys x 50 values under Wine (advapi32); Compare found %zu rows, bare pass read %zu bytes\n", rows,
              bytes);
  PrintSamples("Compare (Tavrel)", times.first);
  PrintSamples("bare advapi32 pass", times.second);
  std::printf("compare vs bare pass ratio: %.2f\n", Median(times.first) / Median(times.second));
  return rows == 0 ? 0 : 1;  // the keys were not changed: any row is a fault
}
