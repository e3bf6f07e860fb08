#pragma once
// The system's application log: one record per scan, for the fleet tools that
// already collect it. A log that cannot be written never changes the scan.
#include <cstdint>
#include <string>

namespace tavrel {

// What a scan came to; the value is the record's event ID.
enum class ScanEventKind : std::uint16_t {
  Clean = 1,                   // nothing found
  ChangesKept = 2,             // findings, all kept
  ChangesUndoneOrFlagged = 3,  // something undone, or a flagged value present
  Failure = 4,                 // a write failed, or the watch list could not be read
};

class EventLog {
 public:
  virtual ~EventLog() = default;
  // Writes one record whose insertion string is the scan's summary (one JSON
  // object); failures are swallowed.
  virtual void Record(ScanEventKind kind, const std::wstring& summaryJson) noexcept = 0;
};

}  // namespace tavrel
