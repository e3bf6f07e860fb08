#include "scan/command_line.h"

#include "platform/text.h"

namespace tavrel {

CommandLine ParseCommandLine(std::wstring_view argumentText) {
  CommandLine result;
  result.startupScan = argumentText.starts_with(L"/scannow") || argumentText.starts_with(L"silentscan");
  const std::size_t space = argumentText.find(L' ');
  if (space != std::wstring_view::npos) {
    // A second word without any "=" names no host key: the run then uses the
    // root itself, as when there is no second word.
    const auto parts = Split(argumentText.substr(space + 1), L'=');
    if (parts.size() >= 2) result.hostKey = parts[1];
  }
  return result;
}

std::int16_t SettingValue(std::wstring_view text, std::int16_t fallback) noexcept {
  const std::wstring_view trimmed = TrimSpaces(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < trimmed.size() && (trimmed[i] == L'+' || trimmed[i] == L'-')) {
    negative = trimmed[i] == L'-';
    ++i;
  }
  if (i == trimmed.size()) return fallback;
  long value = 0;
  for (; i < trimmed.size(); ++i) {
    const wchar_t c = trimmed[i];
    if (c < L'0' || c > L'9') return fallback;
    value = value * 10 + (c - L'0');
    if (value > 32768) return fallback;
  }
  if (negative) value = -value;
  if (value > 32767) return fallback;
  return static_cast<std::int16_t>(value);
}

}  // namespace tavrel
