#pragma once
#include <string>

namespace tavrel {

struct LocalTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;   // 0..23
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  [[nodiscard]] virtual LocalTime Now() const = 0;
  // The same reading in UTC, for stamps that leave the machine.
  [[nodiscard]] virtual LocalTime UtcNow() const = 0;
};

// "2026-12-03": year unpadded, month and day with a leading zero.
std::wstring DateStamp(const LocalTime& t);
// "09:05:07": 24-hour clock, each piece with a leading zero.
std::wstring TimeStamp(const LocalTime& t);
// Date stamp, one space, time stamp, from one reading of the clock (so the
// two halves never mix two instants).
std::wstring EntryStamp(const Clock& clock);
// "2026-12-06T22:41:02Z": one UTC reading, as ISO 8601.
std::wstring UtcStamp(const Clock& clock);

}  // namespace tavrel
