#pragma once
// Where the backup copy of a monitored key lives: below the same root, under
// the program's own key followed by the key's path.
#include <string>

namespace tavrel {

inline constexpr wchar_t kBackupKeyPrefix[] = L"Software\\Brix Computers\\Tavrel\\";

[[nodiscard]] inline std::wstring BackupKeyFor(const std::wstring& keyPath) { return kBackupKeyPrefix + keyPath; }

}  // namespace tavrel
