#include <algorithm>

#include "platform/text.h"
#include "platform/text_file.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/memory_files.h"
#include "tests/fuzz/fuzz_targets.h"
#include "watchlist/user_watch_list.h"
#include "watchlist/watch_list.h"

namespace tavrel::fuzz {
namespace {

const std::wstring kFolder = L"C:\\Tavrel", kPath = kFolder + kUserWatchListFileName;

// The file's lines as the writer reads them back (trimmed), and the entries a load takes from them -- each one the
// grammar can write back as a line, whatever bytes the file started with.
std::pair<std::vector<std::wstring>, std::vector<WatchEntry>> Read(const MemoryFiles& files) {
  std::vector<std::wstring> lines = ReadAnsiLines(files, kPath).value_or(std::vector<std::wstring>{});
  for (auto& line : lines) line = std::wstring(TrimSpaces(line));
  WatchList list;  // the files hold no main watch list
  list.LoadWatchList(files, kFolder);
  for (const WatchEntry& entry : list.WatchEntries) {
    FuzzCheck((entry.Label + entry.KeyPath + entry.ValueName).find_first_of(L"\r\n\t") == std::wstring::npos &&
                  entry.ValueName.find(L'\\') == std::wstring::npos && entry.Label.find_first_of(L" '") != 0,
              "no field holds a line end or TAB, no value name a separator, no label a leading space or comment mark");
    const std::wstring line = entry.Label + L'\t' + RootName(entry.Root) + L'\\' + entry.KeyPath +
                              (entry.Label == kMonitorLabel ? L"" : L'\\' + entry.ValueName);
    FuzzCheck(entry.Root == kNoRoot || ParseWatchEntry(line) == entry,
              "an entry written as a line parses back to itself");
  }
  return {lines, list.WatchEntries};
}

template <typename T>
bool StartsWith(const std::vector<T>& whole, const std::vector<T>& part) {
  return whole.size() >= part.size() && std::equal(part.begin(), part.end(), whole.begin());
}

}  // namespace

// Input: flags (bit 0: the file exists), the file's length (16 bits) and bytes, then up to 8
// operations: a byte (bit 0: append or remove; bits 1-3 the root, 7 none), key path, value name.
void FuzzUserWatchList(const std::uint8_t* data, std::size_t size) {
  FuzzInput input{data, size};
  MemoryFiles files;
  const bool exists = (input.Byte() & 1) != 0;
  if (const std::string initial = input.Bytes(input.Number16()); exists) files.contents[kPath] = initial;
  const FakeClock clock;
  UserWatchListWriter writer(files, clock, kFolder);
  for (int op = 0; op < 8 && !input.Empty(); ++op) {
    const unsigned code = input.Byte(), rootNumber = (code >> 1) & 7;
    const RootHandle root = rootNumber == 7 ? kNoRoot : kClassesRoot + rootNumber;
    const std::wstring keyPath = input.Text(4096), valueName = input.Text(4096);
    const MemoryFiles before = files;
    const auto [linesBefore, entriesBefore] = Read(files);
    if ((code & 1) == 0) {
      (void)writer.AppendUserWatchEntry(root, keyPath, valueName);
      const auto [lines, entries] = Read(files);
      FuzzCheck(files.contents.contains(kPath) && StartsWith(lines, linesBefore),
                "append keeps every line before the new one");
      // A name never smuggles lines of its own into the file.
      FuzzCheck(entries.size() <= entriesBefore.size() + 1 && StartsWith(entries, entriesBefore) &&
                    (entries.size() == entriesBefore.size() || entries.back().Label == EntryStamp(clock)),
                "append adds at most the one entry it was given, labelled with the stamp");
      // Names a line carries unchanged (nothing the code page loses, no line end, no separator or
      // trailing space in the value name) are removed again by themselves.
      if (FromAnsi(ToAnsi(keyPath + valueName)) == keyPath + valueName &&
          (keyPath + valueName).find_first_of(L"\r\n") == std::wstring::npos &&
          valueName.find(L'\\') == std::wstring::npos && (valueName.empty() || valueName.back() != L' ')) {
        MemoryFiles alone = before, undone = files;
        UserWatchListWriter(alone, clock, kFolder).RemoveUserWatchEntry(keyPath, valueName);
        UserWatchListWriter(undone, clock, kFolder).RemoveUserWatchEntry(keyPath, valueName);
        FuzzCheck(Read(undone).first == Read(alone).first, "an added line is removed again by its own names");
      }
    } else {
      writer.RemoveUserWatchEntry(keyPath, valueName);
      FuzzCheck(before.contents.contains(kPath) == files.contents.contains(kPath),
                "removal neither makes nor deletes the file");
      const std::vector<std::wstring> after = Read(files).first;
      auto kept = after.begin();
      for (const auto& line : linesBefore) {
        if (kept != after.end() && *kept == line)
          ++kept;
        else
          FuzzCheck(line.find(L'\t') != std::wstring::npos && line.front() != L'\'', "only data lines are removed");
      }
      FuzzCheck(kept == after.end(), "removal only takes lines out, in order");
    }
    FuzzCheck(!files.contents.contains(ReplacementPath(kPath)), "no temporary file is left behind");
  }
}

}  // namespace tavrel::fuzz
