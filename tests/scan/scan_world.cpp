#include "tests/scan/scan_world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>

namespace tavrel::test {

std::wstring CurrentTestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "outside";
  std::wstring wide;
  for (const char c : name) wide += (c == '/') ? L'_' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return wide;
}

ScanWorld::ScanWorld(std::wstring testName)
    : api(MakeTestRegistryApi()),
      registry(*api),
      rows(registry, watchList, dialog),
      progress(dialog),
      driver(registry, watchList, rows, progress),
      base_(L"Software\\TavrelScanTests\\" + std::move(testName)) {}

ScanWorld::~ScanWorld() { Clean(); }

void ScanWorld::Clean() {
  // Deepest keys first: a key with subkeys cannot be deleted.
  std::vector<std::pair<RootHandle, std::wstring>> keys;
  for (const auto& [root, path] : touched_) {
    keys.emplace_back(root, path);
    keys.emplace_back(root, Backup(path));
  }
  std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.second.size() > b.second.size(); });
  for (const auto& [root, path] : keys) registry.DeleteKey(root, path);
  for (const RootHandle root : {kCurrentUser, kLocalMachine}) {
    registry.DeleteKey(root, Backup(base_));
    registry.DeleteKey(root, base_);
  }
}

namespace {
void Touch(Registry& registry, std::vector<std::pair<RootHandle, std::wstring>>& touched, RootHandle root,
           const std::wstring& keyPath) {
  const std::pair<RootHandle, std::wstring> key{root, keyPath};
  if (std::find(touched.begin(), touched.end(), key) != touched.end()) return;
  // Left over from an interrupted run of the same test: start afresh (a
  // watched key is touched before anything is put in its backup copy).
  registry.DeleteKey(root, keyPath);
  registry.DeleteKey(root, BackupKeyFor(keyPath));
  touched.push_back(key);
}
}  // namespace

void ScanWorld::WatchKey(RootHandle root, const std::wstring& keyPath) {
  Touch(registry, touched_, root, keyPath);
  Watch(std::wstring(kMonitorLabel) + L"\t" + RootName(root) + L"\\" + keyPath);
}

void ScanWorld::WatchValue(const std::wstring& label, RootHandle root, const std::wstring& keyPath,
                           const std::wstring& valueName) {
  Touch(registry, touched_, root, keyPath);
  Watch(label + L"\t" + RootName(root) + L"\\" + keyPath + L"\\" + valueName);
}

void ScanWorld::Set(const std::wstring& keyPath, const std::wstring& name, const std::wstring& text,
                    RootHandle root) {
  Touch(registry, touched_, root, keyPath);
  ASSERT_TRUE(registry.WriteStringValue(root, keyPath, name, text));
}

void ScanWorld::SetDword(const std::wstring& keyPath, const std::wstring& name, std::uint32_t number,
                         RootHandle root) {
  Touch(registry, touched_, root, keyPath);
  RawValue raw{kRegDword, {}};
  for (int shift = 0; shift < 32; shift += 8) raw.bytes.push_back(static_cast<std::byte>((number >> shift) & 0xFFu));
  ASSERT_TRUE(registry.WriteRawValue(root, keyPath, name, raw));
}

std::vector<std::wstring> ScanWorld::Names(const std::wstring& keyPath, RootHandle root) {
  std::vector<std::wstring> names;
  for (const ValueRow& row : registry.EnumValues(root, keyPath)) {
    if (row.name.empty()) break;
    names.push_back(row.name);
  }
  return names;
}

bool ScanWorld::KeyExists(const std::wstring& keyPath, RootHandle root) {
  KeyHandle key = 0;
  return api->OpenKeyEx(root, keyPath, kKeyQueryValue, key) == kRegSuccess && api->CloseKey(key) == kRegSuccess;
}

bool ScanWorld::ListsSortedByName() {
  const std::wstring probe = Key(L"order probe");
  Set(probe, L"b", L"");
  Set(probe, L"a", L"");
  const bool sorted = Names(probe).front() == L"a";
  registry.DeleteKey(kCurrentUser, probe);
  return sorted;
}

ChangeRow Created(const std::wstring& keyPath, const std::wstring& name, const std::wstring& live, bool checked,
                  RootHandle root) {
  return ChangeRow{{L"Created", name, live, BackupKeyFor(keyPath), keyPath}, root, checked};
}

ChangeRow Changed(const std::wstring& keyPath, const std::wstring& name, const std::wstring& live,
                  const std::wstring& backup, bool checked, RootHandle root) {
  return ChangeRow{{L"Changed", name, live, backup, BackupKeyFor(keyPath), keyPath}, root, checked};
}

ChangeRow Deleted(const std::wstring& keyPath, const std::wstring& name, const std::wstring& backup, bool checked,
                  RootHandle root) {
  return ChangeRow{{L"Deleted", name, backup, BackupKeyFor(keyPath), keyPath}, root, checked};
}

ChangeRow ValueEntryRow(const std::wstring& label, const std::wstring& keyPath, const std::wstring& name,
                        const std::wstring& live, RootHandle root) {
  return ChangeRow{{label, name, live, L"", keyPath}, root, false};
}

}  // namespace tavrel::test

namespace tavrel {
// Readable failure messages: a row as its kind of text, tag and mark.
void PrintTo(const ChangeRow& row, std::ostream* out) {
  *out << "{";
  for (std::size_t i = 0; i < row.Fields.size(); ++i) {
    if (i != 0) *out << " | ";
    *out << ::testing::PrintToString(row.Fields[i]);
  }
  *out << "} tag 0x" << std::hex << row.Tag << std::dec << (row.Checked ? " checked" : " unchecked");
}
}  // namespace tavrel
