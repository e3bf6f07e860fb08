#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/text.h"
#include "registry/memory/memory_registry.h"
#include "registry/registry.h"
#include "registry/utf16.h"
#include "review/review_dialog.h"
#include "scan/backup_key.h"
#include "scan/change_rows.h"
#include "scan/scan_driver.h"
#include "scan/scan_progress.h"
#include "scan/scan_window_state.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/fuzz_targets.h"
#include "tests/fuzz/memory_files.h"
#include "ui/headless/headless_toolkit.h"
#include "watchlist/user_watch_list.h"
#include "watchlist/watch_list.h"

namespace tavrel::fuzz {
namespace {

constexpr wchar_t kFolder[] = L"C:\\Tavrel";
constexpr wchar_t kWatched[] = L"Software\\Watched";
constexpr wchar_t kFlagged[] = L"Software\\Flagged";
constexpr std::size_t kMaxValues = 24;
constexpr std::size_t kMaxNameLength = 16383;  // the registry's own limit
constexpr std::size_t kMaxDataLength = 40000;

class StillClock final : public Clock {
 public:
  [[nodiscard]] LocalTime Now() const override { return {2026, 1, 2, 3, 4, 5}; }
};

// Value data of the chosen type made from a text: string types as UTF-16LE
// with or without the NUL, other types from the text's low bytes.
std::vector<std::byte> DataOf(std::uint32_t type, const std::wstring& text, bool terminated) {
  if (type == kRegSz || type == kRegExpandSz) {
    std::vector<std::byte> bytes = EncodeUtf16Le(text);
    if (terminated) bytes.resize(bytes.size() + 2);
    return bytes;
  }
  std::vector<std::byte> bytes;
  for (const wchar_t c : text) bytes.push_back(static_cast<std::byte>(c & 0xFF));
  if (type == kRegDword) bytes.resize(4);
  return bytes;
}

std::uint32_t TypeOf(unsigned selector) {
  switch (selector) {
    case 4: return kRegExpandSz;
    case 5: return kRegDword;
    case 6: return kRegBinary;
    default: return kRegSz;
  }
}

bool IsChangeKind(const std::wstring& kind) { return kind == L"Created" || kind == L"Changed" || kind == L"Deleted"; }

struct Machine {
  MemoryRegistry api;
  Registry registry{api};
  WatchList watchList;
  HeadlessToolkit toolkit;
  MemoryFiles files;
  StillClock clock;
  UserWatchListWriter userWatchList{files, clock, kFolder};
  ScanWindowState state{.AutoRepair = 1, .tavrelsilent = 1};
  ReviewDialog dialog{toolkit, registry, userWatchList, state};
  ChangeRowBuilder rows{registry, watchList, dialog};
  NoScanProgress progress;
  ScanDriver driver{registry, watchList, rows, progress};

  std::vector<ChangeRow> Compare() {
    watchList.FoundCount = 0;
    driver.ScanWatchList(kScanCompare);
    std::vector<ChangeRow> found = dialog.LoadHidden().Rows();
    return found;
  }
};

}  // namespace

// Input: a flags byte (bit 0: value entries come before the monitor entry),
// a count of values, and for each an item byte
//   bits 0-1: live only, backup only, both alike, both with their own data
//   bits 2-4: type (0-3 REG_SZ, 4 REG_EXPAND_SZ, 5 REG_DWORD, 6 REG_BINARY,
//             7 REG_SZ without its NUL)
//   bit 6:    a value entry watches the name (in another key)
//   bit 7:    that other key holds the name with the live data too
// followed by its name and data texts (and the backup's data). The bytes left
// over are the check marks of the rows, one bit 0 per row.
void FuzzChangeRows(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  Machine machine;
  const std::uint8_t flags = input.Byte();
  const std::size_t count = std::min<std::size_t>(input.Byte(), kMaxValues);
  const std::wstring backupKey = BackupKeyFor(kWatched);

  std::vector<WatchEntry> valueEntries;
  std::size_t liveCount = 0;
  std::size_t backupCount = 0;
  for (std::size_t i = 0; i < count && !input.Empty(); ++i) {
    const std::uint8_t item = input.Byte();
    const std::wstring name = input.Text(kMaxNameLength);
    const std::wstring liveText = input.Text(kMaxDataLength);
    const std::wstring backupText = (item & 3) == 3 ? input.Text(kMaxDataLength) : liveText;
    const unsigned selector = (item >> 2) & 7;
    const std::uint32_t type = TypeOf(selector);
    const bool terminated = selector != 7;
    if ((item & 3) != 1) {
      machine.api.PutValue(kCurrentUser, kWatched, name, type, DataOf(type, liveText, terminated));
      ++liveCount;
    }
    if ((item & 3) != 0) {
      machine.api.PutValue(kCurrentUser, backupKey, name, type, DataOf(type, backupText, terminated));
      ++backupCount;
    }
    if ((item & 0x40) != 0) valueEntries.push_back({L"Flag", kCurrentUser, kFlagged, name});
    if ((item & 0x80) != 0) machine.api.PutValue(kCurrentUser, kFlagged, name, kRegSz, DataOf(kRegSz, liveText, true));
  }
  const WatchEntry monitor{kMonitorLabel, kCurrentUser, kWatched, L""};
  auto& entries = machine.watchList.WatchEntries;
  if ((flags & 1) == 0) entries.push_back(monitor);
  entries.insert(entries.end(), valueEntries.begin(), valueEntries.end());
  if ((flags & 1) != 0) entries.push_back(monitor);

  const std::vector<ChangeRow> rows = machine.Compare();
  FuzzCheck(machine.api.OpenHandleCount() == 0, "every key opened by the scan is closed");
  FuzzCheck(rows.size() <= liveCount + backupCount + valueEntries.size(), "no more rows than values");
  std::set<std::wstring> reported;
  std::set<std::wstring> takenByValueEntries;
  for (const ChangeRow& row : rows) {
    const std::wstring& kind = row.Field(0);
    FuzzCheck(row.Tag == kCurrentUser, "rows carry the key's root");
    if (!IsChangeKind(kind)) {
      FuzzCheck(kind == L"Flag" && row.Fields.size() == 5 && !row.Checked, "a value-entry row, unchecked");
      takenByValueEntries.insert(ToLower(row.Field(1)));
      continue;
    }
    FuzzCheck(row.Fields.size() == (kind == L"Changed" ? 6u : 5u), "a change row has its fields");
    FuzzCheck(row.Fields[row.Fields.size() - 2] == backupKey && row.Fields.back() == kWatched,
              "a change row ends with the backup key and the key path");
    FuzzCheck(reported.insert(ToLower(row.Field(1))).second, "each value is reported once");
  }

  // Any check marks; the OK action applies every row.
  ChangeList& list = machine.dialog.LoadHidden();
  for (std::size_t r = 0; r < list.Count() && !input.Empty(); ++r) list.Row(r).Checked = (input.Byte() & 1) != 0;
  std::size_t appended = 0;
  for (const ChangeRow& row : list.Rows()) appended += (row.Field(0) == L"Created" && !row.Checked) ? 1 : 0;
  machine.dialog.BrixButton1_Click();
  FuzzCheck(!machine.dialog.IsLoaded(), "the OK action unloads the dialog");
  FuzzCheck(machine.api.OpenHandleCount() == 0, "every key opened by the OK action is closed");

  // Whatever was kept went into the backup copy and whatever was undone went
  // back into the key, so nothing is left to report -- except for values whose
  // row a value-entry row took over, and behind an unnamed value, where every
  // walk of the key ends.
  bool unnamedLive = false;
  for (const StoredValue& value : machine.api.Values(kCurrentUser, kWatched)) unnamedLive |= value.name.empty();
  if (!unnamedLive) {
    for (const ChangeRow& row : machine.Compare()) {
      if (IsChangeKind(row.Field(0))) {
        FuzzCheck(takenByValueEntries.contains(ToLower(row.Field(1))), "applied rows leave nothing to report");
      }
    }
  }
  machine.dialog.Unload();

  // The user watch-list file gains one entry per removed new value, at most,
  // and none that a value's name could smuggle in.
  WatchList fromFile;
  fromFile.LoadWatchList(machine.files, kFolder);
  FuzzCheck(fromFile.WatchEntries.size() <= appended, "one user entry at most per removed value");
  for (const WatchEntry& entry : fromFile.WatchEntries) {
    FuzzCheck(entry.Label == EntryStamp(machine.clock), "user entries carry the stamp");
  }
}

}  // namespace tavrel::fuzz
