// Under Wine: the committed table is the system's upcase, which the real registry follows exactly.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "platform/fold_table.h"
#include "platform/text.h"

namespace tavrel {
namespace {

constexpr wchar_t kScratch[] = L"Software\\Tavrel case folding test";

struct ScratchKey {  // removed, with all it holds, when the test ends
  HKEY key = nullptr;
  ~ScratchKey() { RegCloseKey(key), RegDeleteTreeW(HKEY_CURRENT_USER, kScratch); }
};

// A value per code unit, named by it and holding it, written in ascending order: reading any
// name gives the last member of its class when the registry joins exactly what the table folds.
TEST(RegistryCaseFolding, TheTableIsTheSystemsAndTheRegistryJoinsExactlyWhatItFolds) {
  ScratchKey scratch;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch.key, nullptr),
            ERROR_SUCCESS);
  std::map<wchar_t, DWORD> lastOfClass;
  int differences = 0, failedWrites = 0, wrongReads = 0;
  for (DWORD u = 1; u < 0x10000; ++u) {
    const wchar_t name[2] = {static_cast<wchar_t>(u), L'\0'};
    differences += UpcaseFromTable(name[0]) != FoldCase(name[0]);
    failedWrites += RegSetValueExW(scratch.key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&u), 4) != 0;
    lastOfClass[FoldCase(name[0])] = u;
  }
  const auto read = [&](wchar_t c) {
    const wchar_t name[2] = {c, L'\0'};
    DWORD data = 0, size = 4;
    RegQueryValueExW(scratch.key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&data), &size);
    return data;
  };
  for (DWORD u = 1; u < 0x10000; ++u)
    wrongReads += read(static_cast<wchar_t>(u)) != lastOfClass[FoldCase(static_cast<wchar_t>(u))];
  EXPECT_EQ(std::tuple(differences, failedWrites, wrongReads), std::tuple(0, 0, 0));
  for (const wchar_t* pair : {L"ıI", L"ſS", L"µΜ", L"ςΣ"}) EXPECT_NE(read(pair[0]), read(pair[1])) << pair;
}

}  // namespace
}  // namespace tavrel
