#pragma once
// The outcome of a scan, left in the registry for whoever asked for it: a
// colour number, the count of flagged findings and when the scan ran.
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "registry/registry.h"

namespace tavrel {

inline constexpr wchar_t kStatusFlagged[] = L"255";  // red, 0x0000FF
inline constexpr wchar_t kStatusClean[] = L"65280";  // green, 0x00FF00

struct StatusTarget {
  std::wstring key;  // below HKEY_CURRENT_USER
  std::wstring statusName;
  std::wstring foundName;
  std::wstring lastCheckName;
};

// After an interactive scan: the program's own key.
[[nodiscard]] StatusTarget InteractiveStatusTarget();
// After a start-up scan: the host key named on the command line.
[[nodiscard]] StatusTarget StartupStatusTarget(const std::wstring& hostKey);

// Writes status, found and last check, in that order; failures are ignored.
void WriteScanStatus(Registry& registry, const Clock& clock, const StatusTarget& target, std::int16_t foundCount);

}  // namespace tavrel
