#pragma once
// How a row shows a value's data, and when Compare counts two values as the same.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "registry/registry.h"

namespace tavrel {

// REG_SZ as its text; any other type as "(TYPE) data", TYPE a name or else
// "type 0x00000005": string types as text, REG_MULTI_SZ as "a | b", REG_DWORD
// and REG_QWORD of their size as "0x0000002a (42)", anything else as its
// first 64 bytes in hex, then "…". Nothing for no value.
[[nodiscard]] std::wstring ShownText(const std::optional<RawValue>& value);

// "REG_SZ", "REG_DWORD", ...; an unknown type as "type 0x00000005".
[[nodiscard]] std::wstring TypeName(std::uint32_t type);
// The strings of REG_MULTI_SZ data, without the list's terminators.
[[nodiscard]] std::vector<std::wstring> MultiStrings(const RawValue& value);
// The number held by REG_DWORD or REG_QWORD data of its size.
[[nodiscard]] std::optional<std::uint64_t> NumberOf(const RawValue& value);

// Same type, and for REG_SZ and REG_EXPAND_SZ the same text ignoring case as
// the registry folds it, for other types the same bytes.
[[nodiscard]] bool SameValue(const std::optional<RawValue>& a, const std::optional<RawValue>& b);

}  // namespace tavrel
