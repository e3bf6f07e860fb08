#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/fuzz_targets.h"
#include "tests/fuzz/memory_files.h"
#include "watchlist/user_watch_list.h"
#include "watchlist/watch_list.h"

namespace tavrel::fuzz {
namespace {

constexpr wchar_t kFolder[] = L"C:\\Tavrel";
constexpr std::size_t kMaxOperations = 8;
constexpr std::size_t kMaxTextLength = 4096;

class StillClock final : public Clock {
 public:
  [[nodiscard]] LocalTime Now() const override { return {2026, 7, 4, 23, 59, 58}; }
};

std::wstring UserPath() { return std::wstring(kFolder) + kUserWatchListFileName; }

// The file's lines as the writer reads them back, trimmed.
std::vector<std::wstring> TrimmedLines(const MemoryFiles& files) {
  const auto lines = ReadAnsiLines(files, UserPath());
  std::vector<std::wstring> trimmed;
  if (lines) {
    for (const auto& line : *lines) trimmed.emplace_back(TrimSpaces(line));
  }
  return trimmed;
}

std::vector<WatchEntry> UserEntries(const MemoryFiles& files) {
  MemoryFiles userOnly;
  if (const auto found = files.contents.find(UserPath()); found != files.contents.end()) {
    userOnly.contents[UserPath()] = found->second;
  }
  WatchList list;
  list.LoadWatchList(userOnly, kFolder);
  return list.WatchEntries;
}

bool IsSubsequence(const std::vector<std::wstring>& part, const std::vector<std::wstring>& whole) {
  std::size_t next = 0;
  for (const auto& line : whole) {
    if (next < part.size() && part[next] == line) ++next;
  }
  return next == part.size();
}

// A key path and value name that one line of the file can carry and give back
// unchanged: nothing the ANSI code page loses, no line end, no separator in
// the value name, and no space at the end of the line (lines are trimmed).
bool FitsOneLine(const std::wstring& keyPath, const std::wstring& valueName) {
  for (const std::wstring* text : {&keyPath, &valueName}) {
    if (FromAnsi(ToAnsi(*text)) != *text || text->find_first_of(L"\r\n") != std::wstring::npos) return false;
  }
  return valueName.find(L'\\') == std::wstring::npos && (valueName.empty() || valueName.back() != L' ');
}

}  // namespace

// Input: a flags byte (bit 0: the file exists at the start), the file's
// length (16 bits) and bytes, then operations: a byte (bit 0: append or
// remove; bits 1-3 pick the root, 7 being no root), a key path and a value name.
void FuzzUserWatchList(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::uint8_t flags = input.Byte();
  const std::string initial = input.Bytes(input.Number16());

  MemoryFiles files;
  if ((flags & 1) != 0) files.contents[UserPath()] = initial;
  const StillClock clock;
  UserWatchListWriter writer(files, clock, kFolder);

  for (std::size_t op = 0; op < kMaxOperations && !input.Empty(); ++op) {
    const std::uint8_t code = input.Byte();
    const std::uint8_t rootNumber = static_cast<std::uint8_t>((code >> 1) & 7);
    const RootHandle root = rootNumber == 7 ? kNoRoot : kClassesRoot + rootNumber;
    const std::wstring keyPath = input.Text(kMaxTextLength);
    const std::wstring valueName = input.Text(kMaxTextLength);

    const bool existed = files.contents.contains(UserPath());
    const std::string contentBefore = existed ? files.contents[UserPath()] : std::string();
    const std::vector<std::wstring> before = TrimmedLines(files);
    const std::vector<WatchEntry> entriesBefore = UserEntries(files);

    if ((code & 1) == 0) {
      writer.AppendUserWatchEntry(root, keyPath, valueName);
      const std::vector<std::wstring> after = TrimmedLines(files);
      FuzzCheck(files.contents.contains(UserPath()), "append leaves a file");
      FuzzCheck(after.size() >= before.size() && std::equal(before.begin(), before.end(), after.begin()),
                "append keeps every line before the new one");
      // One entry at most: a name never smuggles lines of its own into the file.
      const std::vector<WatchEntry> entriesAfter = UserEntries(files);
      FuzzCheck(entriesAfter.size() <= entriesBefore.size() + 1 &&
                    std::equal(entriesBefore.begin(), entriesBefore.end(), entriesAfter.begin()),
                "append adds at most the one entry it was given");
      for (std::size_t i = entriesBefore.size(); i < entriesAfter.size(); ++i) {
        FuzzCheck(entriesAfter[i].Label == EntryStamp(clock), "the added entry is labelled with the stamp");
      }
      if (FitsOneLine(keyPath, valueName)) {
        // Removing what was just added gives what removing it alone gives.
        MemoryFiles alone;
        if (existed) alone.contents[UserPath()] = contentBefore;
        MemoryFiles undone = files;
        UserWatchListWriter(alone, clock, kFolder).RemoveUserWatchEntry(keyPath, valueName);
        UserWatchListWriter(undone, clock, kFolder).RemoveUserWatchEntry(keyPath, valueName);
        FuzzCheck(TrimmedLines(undone) == TrimmedLines(alone), "an added line is removed again by its own names");
      }
    } else {
      writer.RemoveUserWatchEntry(keyPath, valueName);
      const std::vector<std::wstring> after = TrimmedLines(files);
      FuzzCheck(existed == files.contents.contains(UserPath()), "removal neither makes nor deletes the file");
      FuzzCheck(IsSubsequence(after, before), "removal only takes lines out, in order");
      for (const auto& line : before) {
        const bool kept = std::find(after.begin(), after.end(), line) != after.end();
        FuzzCheck(kept || (line.find(L'\t') != std::wstring::npos && line.front() != L'\''),
                  "only data lines with a TAB are removed");
      }
      const std::string once = files.contents.contains(UserPath()) ? files.contents[UserPath()] : std::string();
      writer.RemoveUserWatchEntry(keyPath, valueName);
      const std::string twice = files.contents.contains(UserPath()) ? files.contents[UserPath()] : std::string();
      FuzzCheck(once == twice, "a second removal changes nothing");
    }
    FuzzCheck(!files.contents.contains(ReplacementPath(UserPath())), "no temporary file is left behind");
  }
}

}  // namespace tavrel::fuzz
