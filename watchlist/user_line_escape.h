#pragma once
// Names as tavrel-user.ini lines carry them: exactly, whatever they hold.
// '%' -> %25, '\' -> %5C (value names only: in a key path it separates keys),
// TAB -> %09, CR -> %0D, LF -> %0A, NUL -> %00, a space at either end of a
// value name -> %20 (the line's own spaces are trimmed away), and a character
// the ANSI code page cannot hold -> %uXXXX (its UTF-16 code unit in hex).
#include <string>
#include <string_view>

namespace tavrel {

enum class UserName { KeyPath, ValueName };

[[nodiscard]] std::wstring EscapeUserName(std::wstring_view name, UserName kind);

// The reverse, for either kind. Only the escapes above count (hex digits in
// either case); any other '%' is literal, as in lines written by hand or by an
// older Tavrel.
[[nodiscard]] std::wstring UnescapeUserName(std::wstring_view text);

}  // namespace tavrel
