#include "platform/process.h"

namespace tavrel {

std::wstring_view ArgumentsAfterProgramName(std::wstring_view commandLine) noexcept {
  std::size_t i = 0;
  bool quoted = false;
  for (; i < commandLine.size(); ++i) {
    const wchar_t c = commandLine[i];
    if (c == L'"') {
      quoted = !quoted;
    } else if (!quoted && (c == L' ' || c == L'\t')) {
      break;
    }
  }
  while (i < commandLine.size() && (commandLine[i] == L' ' || commandLine[i] == L'\t')) ++i;
  return commandLine.substr(i);
}

}  // namespace tavrel
