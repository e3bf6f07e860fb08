#include "scan/command_line.h"

#include <algorithm>

#include "platform/text.h"

namespace tavrel {

namespace {

constexpr std::wstring_view kReportWord = L" report=";
constexpr std::wstring_view kQuotedReportWord = L" \"report=";

// A path no Windows file can have: empty, or holding a character no name may hold.
bool UsablePath(std::wstring_view path) {
  if (path.empty()) return false;
  for (const wchar_t c : path) {
    if (c < L' ' || std::wstring_view(L"<>|?*\"").find(c) != std::wstring_view::npos) return false;
  }
  return true;
}

}  // namespace

CommandLine ParseCommandLine(std::wstring_view argumentText) {
  CommandLine result;
  result.startupScan = argumentText.starts_with(L"/scannow") || argumentText.starts_with(L"silentscan");
  const std::size_t space = argumentText.find(L' ');
  if (space != std::wstring_view::npos) {
    std::wstring_view rest = argumentText.substr(space + 1);
    // A host may quote the path (report="C:\My Files\r.jsonl") or the whole
    // word, as a program that quotes each argument with spaces does.
    const std::size_t plain = rest.find(kReportWord), quoted = rest.find(kQuotedReportWord);
    if (const std::size_t report = std::min(plain, quoted); report != std::wstring_view::npos) {
      bool inQuotes = report == quoted;
      std::wstring_view path = TrimSpaces(rest.substr(report + (inQuotes ? kQuotedReportWord : kReportWord).size()));
      if (!inQuotes && path.starts_with(L'"')) {
        path.remove_prefix(1);
        inQuotes = true;
      }
      if (inQuotes && path.ends_with(L'"')) path.remove_suffix(1);
      result.badArguments = !UsablePath(path);
      if (!result.badArguments) result.reportPath = std::wstring(path);
      rest = rest.substr(0, report);
    }
    // A second word without any "=" names no host key: the run then uses the
    // root itself, as when there is no second word.
    const auto parts = Split(rest, L'=');
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
