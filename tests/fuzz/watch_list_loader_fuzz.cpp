#include <algorithm>
#include <string>

#include "platform/text_file.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/fuzz_targets.h"
#include "tests/fuzz/memory_files.h"
#include "watchlist/watch_list.h"

namespace tavrel::fuzz {
namespace {

constexpr wchar_t kFolder[] = L"C:\\Tavrel";

bool HasAny(const std::wstring& text, const wchar_t* characters) {
  return text.find_first_of(characters) != std::wstring::npos;
}

bool KnownRoot(RootHandle root) { return root == kNoRoot || (root >= kClassesRoot && root <= kDynData); }

// How many lines a loader can see in the bytes: one more than the line ends, at most.
std::size_t LineBound(const std::string& bytes) {
  return 1 + static_cast<std::size_t>(std::count_if(bytes.begin(), bytes.end(),
                                                    [](char c) { return c == '\r' || c == '\n'; }));
}

WatchList LoadFrom(const MemoryFiles& files) {
  WatchList list;
  list.LoadWatchList(files, kFolder);
  return list;
}

}  // namespace

// Input: a flags byte (bits 0/1: the main/user file is missing, bits 2/3: it
// exists but cannot be read), the main file's length (16 bits), its bytes,
// then the user file's bytes.
void FuzzWatchListLoader(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::uint8_t flags = input.Byte();
  const std::string mainBytes = input.Bytes(input.Number16());
  const std::string userBytes = input.Rest();
  const std::wstring mainPath = std::wstring(kFolder) + kWatchListFileName;
  const std::wstring userPath = std::wstring(kFolder) + kUserWatchListFileName;

  MemoryFiles both;
  MemoryFiles mainOnly;
  MemoryFiles userOnly;
  for (MemoryFiles* files : {&both, &mainOnly}) {
    if ((flags & 1) == 0) files->contents[mainPath] = mainBytes;
    if ((flags & 4) != 0) files->unreadable.insert(mainPath);
  }
  for (MemoryFiles* files : {&both, &userOnly}) {
    if ((flags & 2) == 0) files->contents[userPath] = userBytes;
    if ((flags & 8) != 0) files->unreadable.insert(userPath);
  }

  WatchList list = LoadFrom(both);
  const WatchList fromMain = LoadFrom(mainOnly);
  const WatchList fromUser = LoadFrom(userOnly);
  const auto& entries = list.WatchEntries;

  // The two files are read independently, the main one first.
  std::vector<WatchEntry> joined = fromMain.WatchEntries;
  joined.insert(joined.end(), fromUser.WatchEntries.begin(), fromUser.WatchEntries.end());
  FuzzCheck(entries == joined, "entries are the main file's followed by the user file's");
  FuzzCheck(fromMain.WatchEntries.size() <= LineBound(mainBytes), "at most one entry per line (main)");
  FuzzCheck(fromUser.WatchEntries.size() <= LineBound(userBytes), "at most one entry per line (user)");
  FuzzCheck((flags & 5) == 0 || fromMain.WatchEntries.empty(), "a missing or unreadable main file adds nothing");
  FuzzCheck((flags & 10) == 0 || fromUser.WatchEntries.empty(), "a missing or unreadable user file adds nothing");
  FuzzCheck(list.FoundCount == 0, "loading counts no finding");

  for (const WatchEntry& entry : entries) {
    FuzzCheck(!HasAny(entry.Label, L"\r\n\t") && !HasAny(entry.KeyPath, L"\r\n\t") &&
                  !HasAny(entry.ValueName, L"\r\n\t\\"),
              "no field holds a line end or a TAB, and a value name no separator");
    FuzzCheck(entry.Label.empty() || (entry.Label.front() != L' ' && entry.Label.front() != L'\''),
              "comment lines and leading spaces never make a label");
    FuzzCheck(KnownRoot(entry.Root), "the root is a predefined root or none");
    if (entry.Label == kMonitorLabel) {
      FuzzCheck(!entry.KeyPath.empty() && entry.ValueName.empty(), "a monitor entry names a key, not a value");
    }
    // Written back the way the grammar reads it, a line gives the same entry.
    if (entry.Root != kNoRoot) {
      std::wstring line = entry.Label + L'\t' + RootName(entry.Root) + L'\\' + entry.KeyPath;
      if (entry.Label != kMonitorLabel) line += L'\\' + entry.ValueName;
      const auto reparsed = ParseWatchEntry(line);
      FuzzCheck(reparsed && *reparsed == entry, "an entry written as a line parses back to itself");
    }
  }

  // The accessors agree with the list, and loading again appends the same entries again.
  const int last = list.LastWatchIndex();
  FuzzCheck(last == (entries.empty() ? 0 : static_cast<int>(entries.size()) - 1), "LastWatchIndex");
  for (int i = 0; i <= last && !entries.empty(); ++i) {
    FuzzCheck(list.GetWatchEntry(i) == entries[static_cast<std::size_t>(i)], "GetWatchEntry in range");
  }
  FuzzCheck(list.GetWatchEntry(-1) == WatchEntry{} && list.GetWatchEntry(last + 1) == WatchEntry{},
            "GetWatchEntry out of range gives the empty entry");
  const std::size_t count = entries.size();
  list.LoadWatchList(both, kFolder);
  FuzzCheck(entries.size() == 2 * count &&
                std::equal(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(count),
                           entries.begin() + static_cast<std::ptrdiff_t>(count)),
            "a second load appends the same entries");
}

}  // namespace tavrel::fuzz
