#include "tests/fakes/world.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "scan/backup_key.h"

namespace tavrel::test {

World::World(std::unique_ptr<RegistryApi> realRegistry) : real(std::move(realRegistry)), api(real ? *real : memory) {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  base_ = L"Software\\TavrelTests\\" + FromAnsi(test ? std::string(test->test_suite_name()) + "." + test->name() : "");
  Clean();
}

World::~World() {
  program.reset();
  Clean();
}

void World::Clean() {
  // Deepest first: a key with subkeys is not deleted.
  for (const RootHandle root : {kCurrentUser, kLocalMachine}) {
    for (const wchar_t* name : {L"Run\\Sub", L"Run", L"Other", L"Probe", L""}) {
      const std::wstring key = *name ? Key(name) : base_;
      registry.DeleteKey(root, key);
      registry.DeleteKey(root, BackupKeyFor(key));
    }
  }
}

void World::Watch(const std::wstring& line) {
  watchList.ParseWatchLine(line);
  files.Contents()[std::wstring(kFolder) + L"\\tavrel.ini"] += ToAnsi(line) + "\r\n";
}

std::vector<std::wstring> World::Names(const std::wstring& key) {
  std::vector<std::wstring> names;
  for (const ValueRow& row : registry.EnumValues(kCurrentUser, key)) {
    if (row.name.empty()) break;
    names.push_back(row.name);
  }
  return names;
}

bool World::KeyExists(const std::wstring& key) {
  KeyHandle handle = 0;
  return api.OpenKeyEx(kCurrentUser, key, kKeyQueryValue, handle) == kRegSuccess && api.CloseKey(handle) == kRegSuccess;
}

bool World::ListsSortedByName() {
  Set(Key(L"Probe"), L"b", L"");
  Set(Key(L"Probe"), L"a", L"");
  return Names(Key(L"Probe")).front() == L"a";
}

void World::Scan(const std::wstring& scanType) {
  dialog.Unload();
  watchList.FoundCount = 0;
  driver.ScanWatchList(scanType);
}

std::vector<ChangeRow> World::Rows() { return dialog.IsLoaded() ? dialog.LoadHidden().Rows() : std::vector<ChangeRow>{}; }

Program& World::New(const std::wstring& argumentText) {
  program.reset();
  process = std::make_unique<FakeProcess>(argumentText, kFolder);
  program = std::make_unique<Program>(ProgramServices{*process, lock, files, clock, sound, api, toolkit});
  return *program;
}

}  // namespace tavrel::test
