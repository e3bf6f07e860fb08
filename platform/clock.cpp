#include "platform/clock.h"

namespace tavrel {
namespace {

// Appends a number with at least two digits (a leading "0" for one digit).
void AppendTwoDigits(std::wstring& out, int value) {
  if (value >= 0 && value < 10) out += L'0';
  out += std::to_wstring(value);
}

}  // namespace

std::wstring DateStamp(const LocalTime& t) {
  std::wstring stamp = std::to_wstring(t.year);
  stamp += L'-';
  AppendTwoDigits(stamp, t.month);
  stamp += L'-';
  AppendTwoDigits(stamp, t.day);
  return stamp;
}

std::wstring TimeStamp(const LocalTime& t) {
  std::wstring stamp;
  AppendTwoDigits(stamp, t.hour);
  stamp += L':';
  AppendTwoDigits(stamp, t.minute);
  stamp += L':';
  AppendTwoDigits(stamp, t.second);
  return stamp;
}

std::wstring EntryStamp(const Clock& clock) {
  const LocalTime now = clock.Now();
  return DateStamp(now) + L' ' + TimeStamp(now);
}

std::wstring UtcStamp(const Clock& clock) {
  const LocalTime now = clock.UtcNow();
  return DateStamp(now) + L'T' + TimeStamp(now) + L'Z';
}

}  // namespace tavrel
