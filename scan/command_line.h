#pragma once
// What the argument text asks for: a start-up scan or an interactive run, and
// the host key whose settings the run reads and whose status values it writes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

struct CommandLine {
  bool startupScan = false;
  std::wstring hostKey;                    // below HKEY_CURRENT_USER; empty means the root itself
  std::optional<std::wstring> reportPath;  // from a third word "report=<path>"
  bool badArguments = false;               // a report= word without a usable path
  bool operator==(const CommandLine&) const = default;
};

// "/scannow" or "silentscan" at the very head, exactly and case-sensitively,
// asks for a start-up scan. The host key is the text between the first and
// the second "=" of everything after the first space, up to " report=" when
// a later word starts so: the rest of the text after it is the report's path
// (spaces and one pair of enclosing quotes allowed), since a host key may
// hold spaces itself.
[[nodiscard]] CommandLine ParseCommandLine(std::wstring_view argumentText);

// "/watch" at the very head, exactly so, asks for the resident watcher.
[[nodiscard]] inline bool AsksForWatch(std::wstring_view argumentText) noexcept {
  return argumentText.starts_with(L"/watch");
}

// A setting's text as a 16-bit number: a whole decimal number, optionally
// signed and surrounded by spaces. Any other text ("yes", "", "1.5", a number
// out of range) gives the fallback, as if the setting were absent.
[[nodiscard]] std::int16_t SettingValue(std::wstring_view text, std::int16_t fallback) noexcept;

}  // namespace tavrel
