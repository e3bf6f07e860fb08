#include <algorithm>
#include <array>

#include "platform/text.h"
#include "platform/text_file.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/memory_files.h"
#include "tests/fuzz/fuzz_targets.h"
#include "watchlist/user_line_escape.h"
#include "watchlist/user_watch_list.h"
#include "watchlist/watch_list.h"

namespace tavrel::fuzz {
namespace {

const std::wstring kFolder = L"C:\\Tavrel", kPath = kFolder + kUserWatchListFileName;

// The file's lines as the writer reads them back (trimmed), and the entries a load takes from them -- each one the
// grammar can write back as a line, its names escaped, whatever bytes the file started with.
std::vector<std::wstring> Lines(const MemoryFiles& files) {
  std::vector<std::wstring> lines = ReadAnsiLines(files, kPath).value_or(std::vector<std::wstring>{});
  for (auto& line : lines) line = std::wstring(TrimSpaces(line));
  return lines;
}

std::pair<std::vector<std::wstring>, std::vector<WatchEntry>> Read(const MemoryFiles& files) {
  WatchList list;  // the files hold no main watch list
  list.LoadWatchList(files, kFolder);
  for (const WatchEntry& entry : list.WatchEntries) {
    const std::wstring line =
        entry.Label + L'\t' + RootName(entry.Root) + L'\\' + EscapeUserName(entry.KeyPath, UserName::KeyPath) +
        (entry.Label == kMonitorLabel ? L"" : L'\\' + EscapeUserName(entry.ValueName, UserName::ValueName));
    FuzzCheck(entry.Label.find_first_of(L"\r\n\t") == std::wstring::npos && entry.Label.find_first_of(L" '") != 0 &&
                  (entry.Root == kNoRoot || ParseUserWatchEntry(line) == entry),
              "no label holds a line end, TAB, leading space or comment mark; an entry written as a line parses back");
  }
  return {Lines(files), list.WatchEntries};
}

template <typename T>
bool StartsWith(const std::vector<T>& whole, const std::vector<T>& part) {
  return whole.size() >= part.size() && std::equal(part.begin(), part.end(), whole.begin());
}

}  // namespace

// Input: flags (bit 0: the file exists; bits 1-2 its byte-order mark: none, UTF-8, UTF-16LE, UTF-16BE), its length
// (16 bits) and bytes; then up to 8 operations: a byte (bit 0 append/remove, bits 1-3 root, 7 none), key path, name.
void FuzzUserWatchList(const std::uint8_t* data, std::size_t size) {
  FuzzInput input{data, size};
  MemoryFiles files;
  const unsigned flags = input.Byte(), exists = flags & 1;
  const std::string mark =
      std::array<std::string, 4>{"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}[exists ? (flags >> 1) & 3 : 0];
  if (const std::string initial = mark + input.Bytes(input.Number16()); exists) files.contents[kPath] = initial;
  const FakeClock clock;
  UserWatchListWriter writer(files, clock, kFolder);
  for (int op = 0; op < 8 && !input.Empty(); ++op) {
    const unsigned code = input.Byte(), rootNumber = (code >> 1) & 7;
    const RootHandle root = rootNumber == 7 ? kNoRoot : kClassesRoot + rootNumber;
    const std::wstring keyPath = input.Text(4096), valueName = input.Text(4096);
    FuzzCheck(UnescapeUserName(EscapeUserName(keyPath, UserName::KeyPath)) == keyPath &&
                  UnescapeUserName(EscapeUserName(valueName, UserName::ValueName)) == valueName,
              "a name escaped decodes to itself");
    const MemoryFiles before = files;
    const auto [linesBefore, entriesBefore] = Read(files);
    if ((code & 1) == 0) {
      const bool appended = writer.AppendUserWatchEntry(root, keyPath, valueName);
      const auto [lines, entries] = Read(files);
      FuzzCheck(appended && files.contents.contains(kPath) && StartsWith(lines, linesBefore),
                "append keeps every line before the new one");
      FuzzCheck(entries.size() == entriesBefore.size() + 1 && StartsWith(entries, entriesBefore) &&
                    entries.back() == WatchEntry{EntryStamp(clock), root, keyPath, valueName},
                "append adds exactly the entry it was given, whatever its names hold, labelled with the stamp");
      MemoryFiles alone = before, undone = files;
      UserWatchListWriter(alone, clock, kFolder).RemoveUserWatchEntry(keyPath, valueName);
      UserWatchListWriter(undone, clock, kFolder).RemoveUserWatchEntry(keyPath, valueName);
      FuzzCheck(Lines(undone) == Lines(alone), "an added line is removed again by its own names");
    } else {
      writer.RemoveUserWatchEntry(keyPath, valueName);
      FuzzCheck(before.contents.contains(kPath) == files.contents.contains(kPath),
                "removal neither makes nor deletes the file");
      const std::vector<std::wstring> after = Lines(files);
      auto kept = after.begin();
      for (const auto& line : linesBefore) {
        if (kept != after.end() && *kept == line)
          ++kept;
        else
          FuzzCheck(line.find(L'\t') != std::wstring::npos && line.front() != L'\'', "only data lines are removed");
      }
      FuzzCheck(kept == after.end(), "removal only takes lines out, in order");
    }
    FuzzCheck(files.contents.size() == files.contents.count(kPath), "no temporary file is left behind");
    FuzzCheck(!before.contents.contains(kPath) || files.contents.at(kPath).starts_with(mark),
              "a rewrite keeps the byte-order mark");
  }
}

}  // namespace tavrel::fuzz
