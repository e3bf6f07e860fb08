#include <set>

#include "platform/text.h"
#include "registry/utf16.h"
#include "scan/backup_key.h"
#include "tests/fakes/world.h"
#include "tests/fuzz/fuzz_targets.h"

namespace tavrel::fuzz {
namespace {

constexpr wchar_t kWatched[] = L"Software\\Watched";
constexpr wchar_t kFlagged[] = L"Software\\Flagged";

// String types as UTF-16LE with or without the NUL, other types from the text's low bytes.
std::vector<std::byte> DataOf(std::uint32_t type, const std::wstring& text, bool terminated) {
  if (type == kRegSz || type == kRegExpandSz) return EncodeUtf16Le(terminated ? text + L'\0' : text);
  std::vector<std::byte> bytes;
  for (const wchar_t c : text) bytes.push_back(static_cast<std::byte>(c & 0xFF));
  if (type == kRegDword) bytes.resize(4);
  return bytes;
}

bool IsChangeKind(const std::wstring& kind) { return kind == L"Created" || kind == L"Changed" || kind == L"Deleted"; }

}  // namespace

// Input: flags (bit 0: value entries come before the monitor entry), a count of values and for
// each an item byte -- bits 0-1: live only, backup only, both alike, both with their own data;
// bits 2-4: type (0-3 REG_SZ, 4 REG_EXPAND_SZ, 5 REG_DWORD, 6 REG_BINARY, 7 REG_SZ without NUL);
// bit 6: a value entry watches the name in another key; bit 7: that key holds it too -- then its
// name and data texts (and the backup's data). The bytes left over check the rows, bit 0 each.
void FuzzChangeRows(const std::uint8_t* data, std::size_t size) {
  FuzzInput input{data, size};
  test::World world;
  const auto compare = [&world] {
    world.Scan(kScanCompare);
    return world.Rows();
  };
  const std::uint8_t flags = input.Byte();
  const std::size_t count = std::min<std::size_t>(input.Byte(), 24);
  std::vector<WatchEntry> valueEntries;
  for (std::size_t i = 0; i < count && !input.Empty(); ++i) {
    const std::uint8_t item = input.Byte();
    const std::wstring name = input.Text(16383), liveText = input.Text(40000);  // the registry's own name limit
    const std::wstring backupText = (item & 3) == 3 ? input.Text(40000) : liveText;
    const unsigned selector = (item >> 2) & 7;
    const std::uint32_t type = selector == 4   ? kRegExpandSz
                               : selector == 5 ? kRegDword
                               : selector == 6 ? kRegBinary
                                               : kRegSz;
    if ((item & 3) != 1)
      world.memory.PutValue(kCurrentUser, kWatched, name, type, DataOf(type, liveText, selector != 7));
    if ((item & 3) != 0)
      world.memory.PutValue(kCurrentUser, BackupKeyFor(kWatched), name, type, DataOf(type, backupText, selector != 7));
    if ((item & 0x40) != 0) valueEntries.push_back({L"Flag", kCurrentUser, kFlagged, name});
    if ((item & 0x80) != 0) world.memory.PutValue(kCurrentUser, kFlagged, name, kRegSz, DataOf(kRegSz, liveText, true));
  }
  auto& entries = world.watchList.WatchEntries = valueEntries;
  entries.insert((flags & 1) == 0 ? entries.begin() : entries.end(),
                 WatchEntry{kMonitorLabel, kCurrentUser, kWatched, L""});

  std::set<std::wstring> reported, takenByValueEntries;
  for (const ChangeRow& row : compare()) {
    if (!IsChangeKind(row.Field(0)))
      takenByValueEntries.insert(ToLower(row.Field(1)));
    else
      FuzzCheck(reported.insert(ToLower(row.Field(1))).second, "each value is reported once");
  }

  ChangeList& list = world.dialog.LoadHidden();
  for (std::size_t r = 0; r < list.Count() && !input.Empty(); ++r) list.Row(r).Checked = (input.Byte() & 1) != 0;
  world.dialog.BrixButton1_Click();
  FuzzCheck(!world.dialog.IsLoaded() && world.memory.OpenHandleCount() == 0,
            "the OK action unloads the dialog; every key the scan or it opened is closed");

  // What was kept went into the backup copy and what was undone back into the key, so nothing is left to report --
  // except values whose row a value-entry row took over, and names with a NUL, which are only ever shown.
  for (const ChangeRow& row : compare())
    FuzzCheck(
        !IsChangeKind(row.Field(0)) || takenByValueEntries.contains(ToLower(row.Field(1))) || !IsNameable(row.Field(1)),
        "applied rows leave nothing to report");
}

}  // namespace tavrel::fuzz
