#include "tests/app/test_world.h"

#include "platform/text.h"

namespace tavrel::testing {

std::optional<std::uint64_t> MemoryFileSystem::FileLength(const std::wstring& path) const {
  ++calls;
  const auto found = contents.find(path);
  if (found == contents.end()) return std::nullopt;
  return found->second.size();
}

std::optional<std::string> MemoryFileSystem::ReadAll(const std::wstring& path) const {
  ++calls;
  const auto found = contents.find(path);
  if (found == contents.end()) return std::nullopt;
  return found->second;
}

bool MemoryFileSystem::WriteAndFlush(const std::wstring& path, const std::string& bytes) {
  ++calls;
  contents[path] = bytes;
  return true;
}

bool MemoryFileSystem::ReplaceWith(const std::wstring& from, const std::wstring& to) {
  ++calls;
  const auto found = contents.find(from);
  if (found == contents.end()) return false;
  contents[to] = found->second;
  contents.erase(from);
  return true;
}

void MemoryFileSystem::Remove(const std::wstring& path) {
  ++calls;
  contents.erase(path);
}

TestWorld::TestWorld() = default;

void TestWorld::WriteWatchList(const std::vector<std::wstring>& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += ToAnsi(line) + "\r\n";
  files.contents[std::wstring(kProgramFolder) + L"\\tavrel.ini"] = bytes;
}

std::wstring TestWorld::UserWatchList() const {
  const auto found = files.contents.find(std::wstring(kProgramFolder) + L"\\tavrel-user.ini");
  return found == files.contents.end() ? kAbsent : FromAnsi(found->second);
}

void TestWorld::Put(RootHandle root, const std::wstring& key, const std::wstring& name, const std::wstring& text) {
  (void)registry.WriteStringValue(root, key, name, text);
}

std::wstring TestWorld::Get(RootHandle root, const std::wstring& key, const std::wstring& name) {
  return registry.ReadStringValue(root, key, name, kAbsent);
}

void TestWorld::CountRegistryCalls() {
  registryApi.SetFaultHook([this](RegCall) -> std::optional<RegStatus> {
    ++registryCalls;
    return std::nullopt;
  });
}

HeadlessForm* TestWorld::ScanForm() const { return toolkit.LoadedForm(L"Brix Tavrel"); }
HeadlessForm* TestWorld::DialogForm() const { return toolkit.LoadedForm(L"Brix Tavrel:  Registry Question"); }

TavrelProcess::TavrelProcess(TestWorld& world, const std::wstring& argumentText)
    : process(argumentText, kProgramFolder),
      program({process, world.instanceLock, world.files, world.clock, world.sound, world.registryApi,
               world.toolkit}) {}

void SeedOrdinaryChanges(TestWorld& world) {
  world.WriteWatchList({L"MONITOR\tHKEY_CURRENT_USER\\Software\\Example\\Run"});
  world.Put(kCurrentUser, kBackupKey, L"Keep", L"k");
  world.Put(kCurrentUser, kBackupKey, L"Old", L"o");
  world.Put(kCurrentUser, kWatchedKey, L"Keep", L"k");
  world.Put(kCurrentUser, kWatchedKey, L"Old", L"changed");
  world.Put(kCurrentUser, kWatchedKey, L"Updater", L"u");
}

}  // namespace tavrel::testing
