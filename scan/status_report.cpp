#include "scan/status_report.h"

namespace tavrel {

StatusTarget InteractiveStatusTarget() {
  return {L"Software\\Brix Computers\\Tavrel", L"Status", L"Found", L"Last Check"};
}

StatusTarget StartupStatusTarget(const std::wstring& hostKey) {
  return {hostKey, L"Tavrel Status", L"Tavrel Found", L"Tavrel Last Check"};
}

void WriteScanStatus(Registry& registry, const Clock& clock, const StatusTarget& target, std::int16_t foundCount) {
  (void)registry.WriteStringValue(kCurrentUser, target.key, target.statusName,
                                  foundCount >= 1 ? kStatusFlagged : kStatusClean);
  (void)registry.WriteStringValue(kCurrentUser, target.key, target.foundName, std::to_wstring(foundCount));
  (void)registry.WriteStringValue(kCurrentUser, target.key, target.lastCheckName, EntryStamp(clock));
}

}  // namespace tavrel
