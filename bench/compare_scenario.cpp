#include "bench/compare_scenario.h"

#include <cwchar>
#include <vector>

#include "registry/key_handle.h"
#include "scan/backup_key.h"

namespace tavrel::bench {
namespace {

std::wstring Numbered(const wchar_t* prefix, int n) {
  wchar_t digits[16];
  std::swprintf(digits, 16, L"%04d", n);
  return prefix + std::wstring(digits);
}

}  // namespace

CompareScenario::CompareScenario(RegistryApi& api, int keys, int values)
    : registry(api), rows_(watchList_, dialog_), driver_(registry, watchList_, rows_, progress_) {
  for (int k = 0; k < keys; ++k) {
    const std::wstring keyPath = std::wstring(kBenchKey) + L"\\" + Numbered(L"Key ", k);
    keyPaths_.push_back(keyPath);
    watchList_.ParseWatchLine(L"MONITOR\tHKEY_CURRENT_USER\\" + keyPath);
    for (int v = 0; v < values; ++v) {
      registry.WriteStringValue(kCurrentUser, keyPath, Numbered(L"Value ", v),
                                L"\"C:\\Program Files\\Vendor " + std::to_wstring(v) + L"\\agent.exe\" /background");
    }
  }
  driver_.ScanWatchList(kScanBackup);
}

std::size_t CompareScenario::Compare() {
  dialog_.Unload();
  watchList_.FoundCount = 0;
  driver_.ScanWatchList(kScanCompare);
  return dialog_.List().Count();
}

std::vector<std::wstring> CompareScenario::KeysRead() const {
  std::vector<std::wstring> keys;
  for (const std::wstring& keyPath : keyPaths_) {
    keys.push_back(keyPath);
    keys.push_back(BackupKeyFor(keyPath));
  }
  return keys;
}

void CompareScenario::RemoveKeys() {
  for (const std::wstring& key : KeysRead()) registry.DeleteKey(kCurrentUser, key);
  registry.DeleteKey(kCurrentUser, BackupKeyFor(kBenchKey));
  registry.DeleteKey(kCurrentUser, kBenchKey);
}

std::size_t BarePass(RegistryApi& api, const std::vector<std::wstring>& keyPaths) {
  std::vector<wchar_t> name(16384);
  std::vector<std::byte> data(65536);
  std::size_t bytes = 0;
  for (const std::wstring& keyPath : keyPaths) {
    KeyHandle raw = 0;
    if (api.OpenKeyEx(kCurrentUser, keyPath, 0, kKeyQueryValue, raw) != kRegSuccess) continue;
    const ScopedKey key(api, raw);
    for (std::uint32_t index = 0;; ++index) {
      auto nameLength = static_cast<std::uint32_t>(name.size());
      auto dataSize = static_cast<std::uint32_t>(data.size());
      std::uint32_t type = 0;
      if (api.EnumValue(key.Get(), index, name.data(), &nameLength, &type, data.data(), &dataSize) != kRegSuccess) {
        break;
      }
      bytes += dataSize;
    }
  }
  return bytes;
}

}  // namespace tavrel::bench
