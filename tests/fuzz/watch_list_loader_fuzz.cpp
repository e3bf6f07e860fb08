#include <algorithm>

#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/fuzz_targets.h"
#include "tests/fuzz/memory_files.h"
#include "watchlist/watch_list.h"

namespace tavrel::fuzz {

// Input: a flags byte (bits 0/1: the main/user file is missing, bits 2/3: it
// exists but cannot be read), the main file's length (16 bits), its bytes,
// then the user file's bytes.
void FuzzWatchListLoader(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::uint8_t flags = input.Byte();
  const std::string bytes[2] = {input.Bytes(input.Number16()), input.Bytes(size)};
  const std::wstring folder = L"C:\\Tavrel", paths[2] = {folder + kWatchListFileName, folder + kUserWatchListFileName};
  MemoryFiles both, alone[2];
  WatchList list, joined;
  for (int f = 0; f < 2; ++f) {
    for (MemoryFiles* files : {&both, &alone[f]}) {
      if ((flags & (1 << f)) == 0) files->contents[paths[f]] = bytes[f];
      if ((flags & (4 << f)) != 0) files->unreadable.insert(paths[f]);
    }
    const std::size_t before = joined.WatchEntries.size();
    joined.LoadWatchList(alone[f], folder);
    const auto lineEnds = std::count_if(bytes[f].begin(), bytes[f].end(), [](char c) { return c == '\r' || c == '\n'; });
    FuzzCheck(joined.WatchEntries.size() - before <= static_cast<std::size_t>(lineEnds) + 1, "at most one entry per line");
    FuzzCheck((flags & (5 << f)) == 0 || joined.WatchEntries.size() == before, "a missing or unreadable file adds nothing");
  }
  list.LoadWatchList(both, folder);
  FuzzCheck(list.WatchEntries == joined.WatchEntries, "entries are the main file's followed by the user file's");
  for (const WatchEntry& entry : list.WatchEntries) {
    FuzzCheck((entry.Label + entry.KeyPath + entry.ValueName).find_first_of(L"\r\n\t") == std::wstring::npos &&
                  entry.ValueName.find(L'\\') == std::wstring::npos,
              "no field holds a line end or a TAB, and a value name no separator");
    FuzzCheck(entry.Label.empty() || (entry.Label.front() != L' ' && entry.Label.front() != L'\''),
              "comment lines and leading spaces never make a label");
    FuzzCheck(entry.Label != kMonitorLabel || (!entry.KeyPath.empty() && entry.ValueName.empty()),
              "a monitor entry names a key, not a value");
    // Written back the way the grammar reads it, a line gives the same entry.
    const std::wstring line = entry.Label + L'\t' + RootName(entry.Root) + L'\\' + entry.KeyPath +
                              (entry.Label == kMonitorLabel ? L"" : L'\\' + entry.ValueName);
    FuzzCheck(entry.Root == kNoRoot || ParseWatchEntry(line) == entry, "an entry written as a line parses back to itself");
  }
}

}  // namespace tavrel::fuzz
