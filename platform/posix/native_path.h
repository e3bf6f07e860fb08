#pragma once
// Wide text to and from the bytes of a POSIX file name or argument.
#include <string>
#include <string_view>

namespace tavrel {

// UTF-8. A byte that is not valid UTF-8 becomes U+DC80 + byte, and back, so
// any name the system hands over round-trips.
[[nodiscard]] std::string ToNativeBytes(std::wstring_view text);
[[nodiscard]] std::wstring FromNativeBytes(std::string_view bytes);

// The program joins its folder and file names with '\' as Windows does; here
// every '\' is taken as the separator, so a folder plus "\tavrel.ini" names
// the file inside it. (A POSIX name holding a real backslash is out of reach,
// and the native build never needs one.)
[[nodiscard]] std::string ToNativePath(std::wstring_view path);

}  // namespace tavrel
