#pragma once
// How a scan's record is filed in the Application log under the event source
// "Tavrel", and the two administrator commands that register that source.
// Plain C++, so that the mapping is the same on every build and tested natively.
#include <cstdint>
#include <string_view>

#include "platform/event_log.h"

namespace tavrel {

inline constexpr wchar_t kEventSourceName[] = L"Tavrel";

// The record's type, with the values of EVENTLOG_ERROR_TYPE, _WARNING_TYPE and _INFORMATION_TYPE.
enum class EventType : std::uint16_t { Error = 1, Warning = 2, Information = 4 };

struct EventClass {
  EventType type;
  // The message table's identifier: severity in the top two bits, the kind in
  // the low word, which is the "Event ID" Event Viewer shows (1 to 4).
  std::uint32_t id;
};

[[nodiscard]] constexpr EventClass ClassifyScanEvent(ScanEventKind kind) noexcept {
  const auto code = static_cast<std::uint32_t>(kind);
  switch (kind) {
    case ScanEventKind::Clean:
    case ScanEventKind::ChangesKept:
      return {EventType::Information, 0x40000000u | code};
    case ScanEventKind::ChangesUndoneOrFlagged:
      return {EventType::Warning, 0x80000000u | code};
    case ScanEventKind::Failure:
      break;
  }
  return {EventType::Error, 0xC0000000u | code};
}

enum class EventSourceCommand { None, Register, Unregister };

// "/register-eventsource" or "/unregister-eventsource" as the whole first word
// of the arguments, exactly and case-sensitively, as "/scannow" is taken.
[[nodiscard]] EventSourceCommand ParseEventSourceCommand(std::wstring_view argumentText) noexcept;

}  // namespace tavrel
