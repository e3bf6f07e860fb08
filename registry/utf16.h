#pragma once
// REG_SZ data and wide names cross the registry as UTF-16 code units in
// little-endian byte order. wchar_t is 16 bits on Windows and 32 bits on
// Linux, so the conversion is written out once here for both.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

// The text's UTF-16LE bytes, without a terminating NUL. Characters beyond the
// Basic Multilingual Plane become surrogate pairs where wchar_t is 32 bits.
[[nodiscard]] std::vector<std::byte> EncodeUtf16Le(std::wstring_view text);

// The text held by UTF-16LE bytes. A trailing odd byte is ignored; a surrogate
// that is not part of a pair is kept as the code unit it is, so that every
// name the registry holds comes back unchanged.
[[nodiscard]] std::wstring DecodeUtf16Le(std::span<const std::byte> bytes);

}  // namespace tavrel
