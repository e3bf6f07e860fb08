#pragma once
// Pieces of the line grammar shared by the loader and the writer.
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

// Neither blank nor a comment (first character an apostrophe).
[[nodiscard]] inline bool IsDataLine(std::wstring_view trimmed) noexcept {
  return !trimmed.empty() && trimmed.front() != L'\'';
}

// parts[first] .. parts[end - 1] joined by "\", empty parts kept.
[[nodiscard]] inline std::wstring JoinComponents(const std::vector<std::wstring>& parts, std::size_t first,
                                                 std::size_t end) {
  std::wstring joined;
  for (std::size_t i = first; i < end; ++i) {
    if (i != first) joined += L'\\';
    joined += parts[i];
  }
  return joined;
}

}  // namespace tavrel
