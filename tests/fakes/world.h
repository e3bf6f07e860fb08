#pragma once
// The one test world: a machine (registry, files, clock, instance lock, sound, headless toolkit), the scan engine and
// the review dialog wired to it as one process holds them, and on demand a whole Tavrel process on the same machine.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "registry/memory/memory_registry.h"
#include "registry/utf16.h"
#include "scan/change_rows.h"
#include "scan/scan_driver.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_process.h"
#include "tests/fakes/faulty_file_system.h"
#include "ui/headless/headless_toolkit.h"

namespace tavrel::test {

inline constexpr wchar_t kAbsent[] = L"<absent>";
inline constexpr wchar_t kFolder[] = L"C:\\Tavrel";
using Text = const std::wstring&;
// A REG_SZ value as the layer writes the text: UTF-16LE with its NUL.
inline RawValue Sz(Text text) { return {kRegSz, EncodeUtf16Le(text + L'\0')}; }

struct RecordingSound final : SoundPlayer {
  void PlayAsync(Text path) override { played.push_back(path); }
  std::vector<std::wstring> played;
};

struct RecordingEventLog final : EventLog {
  void Record(ScanEventKind kind, Text summaryJson) noexcept override { records.push_back({kind, summaryJson}); }
  std::vector<std::pair<ScanEventKind, std::wstring>> records;
};

class World {
 public:
  // On the in-memory registry, or on the one given (advapi32 under Wine),
  // where the test's scratch keys are cleared before and after.
  explicit World(std::unique_ptr<RegistryApi> realRegistry = nullptr);
  ~World();

  // A scratch key of this test: Run, Run\Sub, Other or Probe.
  [[nodiscard]] std::wstring Key(Text name) const { return base_ + L"\\" + name; }
  // A watch-list line, for the engine's watch list and for tavrel.ini alike.
  void Watch(Text line);
  void WatchKey(Text key, RootHandle root = kCurrentUser) { Watch(L"MONITOR\t" + RootName(root) + L"\\" + key); }
  void WatchValue(Text label, Text key, Text name, RootHandle root = kCurrentUser) {
    Watch(label + L"\t" + RootName(root) + L"\\" + key + L"\\" + name);
  }
  void Set(Text key, Text name, Text text, RootHandle root = kCurrentUser) {
    (void)registry.WriteStringValue(root, key, name, text);
  }
  void Set(Text key, std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> values) {
    for (const auto& [name, text] : values) Set(key, name, text);
  }
  [[nodiscard]] std::wstring Get(Text key, Text name, RootHandle root = kCurrentUser) {
    return registry.ReadStringValue(root, key, name, kAbsent);
  }
  [[nodiscard]] bool KeyExists(Text key);
  // Values are listed by name (Wine) or in creation order (Windows, in memory): probed.
  [[nodiscard]] bool ListsSortedByName();

  // One scan of the engine, with a fresh dialog and count, and its rows.
  void Scan(Text scanType);
  [[nodiscard]] std::vector<ChangeRow> Rows() {
    return dialog.IsLoaded() ? dialog.LoadHidden().Rows() : std::vector<ChangeRow>{};
  }

  // A Tavrel process on this machine (ending the one before), not started yet.
  Program& New(Text argumentText);
  [[nodiscard]] HeadlessForm* ScanForm() const { return toolkit.LoadedForm(kScanWindowTitle); }
  [[nodiscard]] HeadlessForm* DialogForm() const { return toolkit.LoadedForm(kReviewDialogTitle); }

  MemoryRegistry memory;
  std::unique_ptr<RegistryApi> real;
  RegistryApi& api;
  Registry registry{api};
  FaultyFileSystem files;
  FakeClock clock{LocalTime{2027, 3, 5, 9, 5, 7}};
  FakeInstanceLock lock;
  RecordingSound sound;
  RecordingEventLog eventLog;
  HeadlessToolkit toolkit;

  WatchList watchList;
  UserWatchListWriter userWatchList{files, clock, kFolder};
  SharedState state{.AutoRepair = 1, .tavrelsilent = 1};
  ReviewDialog dialog{toolkit, registry, userWatchList, state};
  ChangeRowBuilder rows{watchList, dialog};
  NoScanProgress progress;
  ScanDriver driver{registry, watchList, rows, progress};

  std::unique_ptr<FakeProcess> process;
  std::unique_ptr<Program> program;

 private:
  void Clean();
  std::wstring base_;
};

}  // namespace tavrel::test
