// The registry compares names by upper-casing each code unit with the system's
// upcase table, the one RtlUpcaseUnicodeChar reads (the SDK declares it nowhere).
#include <windows.h>

#include "platform/text.h"

extern "C" __declspec(dllimport) WCHAR NTAPI RtlUpcaseUnicodeChar(WCHAR c);

namespace tavrel {

wchar_t FoldCase(wchar_t c) noexcept { return RtlUpcaseUnicodeChar(c); }

}  // namespace tavrel
