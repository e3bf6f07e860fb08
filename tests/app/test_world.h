#pragma once
// A whole "machine" for one test: an in-memory registry and file system, a
// clock, an instance lock, a sound recorder and the headless toolkit; and a
// "process" of Tavrel started on it with a given argument text.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "registry/memory/memory_registry.h"
#include "registry/registry.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_process.h"
#include "ui/headless/headless_toolkit.h"

namespace tavrel::testing {

class MemoryFileSystem final : public FileSystem {
 public:
  [[nodiscard]] std::optional<std::uint64_t> FileLength(const std::wstring& path) const override;
  [[nodiscard]] std::optional<std::string> ReadAll(const std::wstring& path) const override;
  [[nodiscard]] bool WriteAndFlush(const std::wstring& path, const std::string& bytes) override;
  [[nodiscard]] bool ReplaceWith(const std::wstring& from, const std::wstring& to) override;
  void Remove(const std::wstring& path) override;

  std::map<std::wstring, std::string> contents;
  mutable int calls = 0;
};

class RecordingSound final : public SoundPlayer {
 public:
  void PlayAsync(const std::wstring& path) override { played.push_back(path); }
  std::vector<std::wstring> played;
};

inline constexpr wchar_t kAbsent[] = L"<absent>";
inline constexpr wchar_t kProgramFolder[] = L"C:\\Program Files\\Tavrel";

struct TestWorld {
  TestWorld();

  MemoryRegistry registryApi;
  Registry registry{registryApi};
  MemoryFileSystem files;
  FakeClock clock{LocalTime{2027, 3, 5, 9, 5, 7}};
  FakeInstanceLock instanceLock;
  RecordingSound sound;
  HeadlessToolkit toolkit;

  // tavrel.ini, lines joined by CR LF.
  void WriteWatchList(const std::vector<std::wstring>& lines);
  [[nodiscard]] std::wstring UserWatchList() const;
  void Put(RootHandle root, const std::wstring& key, const std::wstring& name, const std::wstring& text);
  [[nodiscard]] std::wstring Get(RootHandle root, const std::wstring& key, const std::wstring& name);
  // Counts every registry call from now on.
  void CountRegistryCalls();
  int registryCalls = 0;

  [[nodiscard]] HeadlessForm* ScanForm() const;
  [[nodiscard]] HeadlessForm* DialogForm() const;
};

// One run of the program on the world.
struct TavrelProcess {
  TavrelProcess(TestWorld& world, const std::wstring& argumentText);
  FakeProcess process;
  Program program;
};

// The typical road: HKCU\Software\Example\Run is watched, its backup copy
// holds Keep="k" and Old="o", and the live key holds Keep="k", Old="changed"
// and a new value Updater="u": one Changed and one Created row, none flagged.
void SeedOrdinaryChanges(TestWorld& world);
inline constexpr wchar_t kWatchedKey[] = L"Software\\Example\\Run";
inline constexpr wchar_t kBackupKey[] = L"Software\\Brix Computers\\Tavrel\\Software\\Example\\Run";

}  // namespace tavrel::testing
