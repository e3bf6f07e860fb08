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
    for (const std::wstring& key : {Key(L"Run\\Sub"), Key(L"Run"), Key(L"Other"), Key(L"Probe"), base_}) {
      registry.DeleteKey(root, key);
      registry.DeleteKey(root, BackupKeyFor(key));
    }
  }
}

void World::Watch(Text line) {
  watchList.ParseWatchLine(line);
  files.contents[std::wstring(kFolder) + L"\\tavrel.ini"] += ToAnsi(line) + "\r\n";
}

bool World::KeyExists(Text key) {
  KeyHandle handle = 0;
  return api.OpenKeyEx(kCurrentUser, key, 0, kKeyQueryValue, handle) == kRegSuccess &&
         api.CloseKey(handle) == kRegSuccess;
}

bool World::ListsSortedByName() {
  Set(Key(L"Probe"), {{L"b", L""}, {L"a", L""}});
  return registry.EnumValues(kCurrentUser, Key(L"Probe")).front().name == L"a";
}

void World::Scan(Text scanType) {
  dialog.Unload();
  watchList.FoundCount = 0;
  driver.ScanWatchList(scanType);
}

Program& World::New(Text argumentText) {
  program.reset();
  process = std::make_unique<FakeProcess>();
  process->argumentText = argumentText;
  process->programFolder = kFolder;
  program = std::make_unique<Program>(ProgramServices{*process, lock, files, clock, sound, eventLog, api, toolkit});
  return *program;
}

}  // namespace tavrel::test
