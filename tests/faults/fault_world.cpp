#include "tests/faults/fault_world.h"

#include <cstdint>
#include <vector>

#include "platform/text.h"
#include "registry/utf16.h"

namespace tavrel::faults {
namespace {

std::vector<std::byte> Sz(const std::wstring& text) {
  std::vector<std::byte> bytes = EncodeUtf16Le(text);
  bytes.resize(bytes.size() + 2);
  return bytes;
}

std::vector<std::byte> Dword(std::uint32_t number) {
  return {std::byte(number & 0xFF), std::byte((number >> 8) & 0xFF), std::byte((number >> 16) & 0xFF),
          std::byte(number >> 24)};
}

struct KeyOfSnapshot {
  RootHandle root;
  const wchar_t* path;
};
constexpr KeyOfSnapshot kKeys[] = {
    {kCurrentUser, kWatched},
    {kCurrentUser, kBackup},
    {kCurrentUser, kOther},
    {kLocalMachine, L"Software\\Brix Computers\\Tavrel"},
};

}  // namespace

FaultWorld::FaultWorld()
    : dialog(toolkit, registry, userWatchList, state),
      rows(registry, watchList, dialog),
      driver(registry, watchList, rows, progress) {
  // Live key, in creation order: unchanged, changed, created (string, expandable
  // and flagged), and a number; the backup copy has one value the key lost.
  memory.PutValue(kCurrentUser, kWatched, L"Keep", kRegSz, Sz(L"C:\\keep.exe"));
  memory.PutValue(kCurrentUser, kWatched, L"Changed", kRegSz, Sz(L"C:\\new.exe"));
  memory.PutValue(kCurrentUser, kWatched, L"Created", kRegSz, Sz(L"C:\\created.exe"));
  memory.PutValue(kCurrentUser, kWatched, L"Number", kRegDword, Dword(7));
  memory.PutValue(kCurrentUser, kWatched, L"Expand", kRegExpandSz, Sz(L"%TEMP%\\x.exe"));
  memory.PutValue(kCurrentUser, kWatched, L"Flagged", kRegSz, Sz(L"C:\\evil.exe"));
  memory.PutValue(kCurrentUser, kBackup, L"Keep", kRegSz, Sz(L"C:\\keep.exe"));
  memory.PutValue(kCurrentUser, kBackup, L"Changed", kRegSz, Sz(L"C:\\old.exe"));
  memory.PutValue(kCurrentUser, kBackup, L"Number", kRegDword, Dword(7));
  memory.PutValue(kCurrentUser, kBackup, L"Gone", kRegSz, Sz(L"C:\\gone.exe"));
  memory.PutValue(kCurrentUser, kOther, L"Stray", kRegSz, Sz(L"C:\\stray.exe"));

  watchList.ParseWatchLine(std::wstring(L"MONITOR\tHKEY_CURRENT_USER\\") + kWatched);
  watchList.ParseWatchLine(std::wstring(L"Watch\tHKEY_CURRENT_USER\\") + kOther + L"\\Stray");
  watchList.ParseWatchLine(std::wstring(L"Watch\tHKEY_CURRENT_USER\\") + kOther + L"\\Flagged");
  files.contents[kUserList] =
      "' removed by the user\r\n"
      "2026-01-01 00:00:00\tHKEY_CURRENT_USER\\Software\\FaultHost\\Other\\Stray\r\n"
      "2026-01-01 00:00:00\tHKEY_CURRENT_USER\\Software\\FaultHost\\Other\\Flagged\r\n";

  for (const auto& key : kKeys) {
    std::vector<std::wstring>& names = initialNames_[KeyId(key.root, key.path)];
    for (const StoredValue& value : memory.Values(key.root, key.path)) names.push_back(ToLower(value.name));
  }
}

std::vector<ChangeRow> FaultWorld::Compare() {
  watchList.FoundCount = 0;
  driver.ScanWatchList(kScanCompare);
  return dialog.IsLoaded() ? dialog.LoadHidden().Rows() : std::vector<ChangeRow>{};
}

Snapshot FaultWorld::Take() const {
  Snapshot snapshot;
  for (const auto& key : kKeys) {
    for (const StoredValue& value : memory.Values(key.root, key.path)) {
      snapshot[KeyId(key.root, key.path) + L"|" + ToLower(value.name)] = value;
    }
  }
  return snapshot;
}

std::vector<std::wstring> FaultWorld::InitialNames(const std::wstring& keyId) const {
  const auto found = initialNames_.find(keyId);
  return found != initialNames_.end() ? found->second : std::vector<std::wstring>{};
}

}  // namespace tavrel::faults
