// The registry compares names by upper-casing each code unit with the system's
// upcase table, the one RtlUpcaseUnicodeChar reads (the SDK declares it nowhere).
#include <windows.h>

#include "platform/text.h"

extern "C" __declspec(dllimport) WCHAR NTAPI RtlUpcaseUnicodeChar(WCHAR c);

namespace tavrel {

// ASCII, which almost every name is, folds here exactly as the table folds it,
// without a call into ntdll for each code unit of each compared name.
wchar_t FoldCase(wchar_t c) noexcept {
  if (c < 0x80) return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - (L'a' - L'A')) : c;
  return RtlUpcaseUnicodeChar(c);
}

}  // namespace tavrel
