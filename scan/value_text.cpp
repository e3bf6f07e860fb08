#include "scan/value_text.h"

#include <algorithm>
#include <cstdint>

#include "platform/text.h"
#include "registry/utf16.h"

namespace tavrel {
namespace {

constexpr std::uint32_t kRegQword = 11;
constexpr std::size_t kShownBytes = 64;

[[nodiscard]] bool IsText(std::uint32_t type) noexcept { return type == kRegSz || type == kRegExpandSz; }

std::wstring Data(const RawValue& value) {
  const auto& bytes = value.bytes;
  if (IsText(value.type)) return StringText(value);
  if (value.type == kRegMultiSz) return Join(MultiStrings(value), L" | ");
  if (const auto n = NumberOf(value)) return L"0x" + Hex(*n, bytes.size() * 2) + L" (" + std::to_wstring(*n) + L")";
  std::wstring text;
  for (std::size_t i = 0; i < std::min(bytes.size(), kShownBytes); ++i)
    text += (i == 0 ? L"" : L" ") + Hex(std::to_integer<std::uint64_t>(bytes[i]), 2);
  return bytes.size() > kShownBytes ? text + L" \u2026" : text;
}

}  // namespace

std::wstring TypeName(std::uint32_t type) {
  switch (type) {
    case kRegNone:
      return L"REG_NONE";
    case kRegSz:
      return L"REG_SZ";
    case kRegExpandSz:
      return L"REG_EXPAND_SZ";
    case kRegBinary:
      return L"REG_BINARY";
    case kRegDword:
      return L"REG_DWORD";
    case kRegMultiSz:
      return L"REG_MULTI_SZ";
    case kRegQword:
      return L"REG_QWORD";
    default:
      return L"type 0x" + Hex(type, 8);
  }
}

std::vector<std::wstring> MultiStrings(const RawValue& value) {
  std::wstring text = DecodeUtf16Le(value.bytes);
  while (!text.empty() && text.back() == L'\0') text.pop_back();  // the list's terminators
  return Split(text, L'\0');
}

std::optional<std::uint64_t> NumberOf(const RawValue& value) {
  const auto& bytes = value.bytes;
  if (!(value.type == kRegDword && bytes.size() == 4) && !(value.type == kRegQword && bytes.size() == 8)) return {};
  std::uint64_t n = 0;
  for (auto b = bytes.rbegin(); b != bytes.rend(); ++b) n = n << 8 | std::to_integer<std::uint64_t>(*b);
  return n;
}

std::wstring ShownText(const std::optional<RawValue>& value) {
  if (!value) return {};
  return value->type == kRegSz ? StringText(*value) : L"(" + TypeName(value->type) + L") " + Data(*value);
}

bool SameValue(const std::optional<RawValue>& a, const std::optional<RawValue>& b) {
  if (!a || !b || a->type != b->type) return !a && !b;
  return IsText(a->type) ? EqualsNoCase(StringText(*a), StringText(*b)) : a->bytes == b->bytes;
}

}  // namespace tavrel
