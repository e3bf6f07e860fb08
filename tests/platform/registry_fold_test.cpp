// Under Wine: the committed table is the system's upcase, and the real registry
// joins two value names exactly when FoldCase does.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "platform/fold_table.h"
#include "platform/text.h"

namespace tavrel {
namespace {

constexpr wchar_t kScratch[] = L"Software\\Tavrel case folding test";

struct ScratchKey {
  HKEY key = nullptr;
  ScratchKey() { RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr); }
  ~ScratchKey() {
    if (key) RegCloseKey(key);
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
  }
};

// One value per code unit, named by it and holding it, written in ascending order: the registry
// keeps one value per class, named by its first member and holding its last, ı, ſ, µ and ς alone.
TEST(RegistryCaseFolding, TheTableIsTheSystemsAndTheRegistryJoinsExactlyWhatItFolds) {
  const ScratchKey scratch;
  ASSERT_NE(scratch.key, nullptr);
  std::map<wchar_t, wchar_t> firstOfClass;
  std::map<wchar_t, DWORD> expected, listed;
  int differences = 0, failedWrites = 0;
  for (DWORD u = 1; u < 0x10000; ++u) {
    const wchar_t name[2] = {static_cast<wchar_t>(u), L'\0'};
    differences += UpcaseFromTable(name[0]) != FoldCase(name[0]);
    expected[firstOfClass.try_emplace(FoldCase(name[0]), name[0]).first->second] = u;
    failedWrites += RegSetValueExW(scratch.key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&u), 4) != 0;
  }
  for (DWORD i = 0, data = 0;; ++i) {
    wchar_t name[4];
    DWORD nameLength = 4, size = 4;
    const auto bytes = reinterpret_cast<BYTE*>(&data);
    if (RegEnumValueW(scratch.key, i, name, &nameLength, nullptr, nullptr, bytes, &size) != ERROR_SUCCESS) break;
    listed[name[0]] = data;
  }
  EXPECT_EQ(std::pair(differences, failedWrites), std::pair(0, 0));
  EXPECT_TRUE(listed == expected) << listed.size() << " values listed, " << expected.size() << " expected";
  for (const wchar_t c : {L'\x0131', L'\x017F', L'\x00B5', L'\x03C2'}) EXPECT_EQ(listed[c], c);
}

}  // namespace
}  // namespace tavrel
