#include "registry/registry.h"

#include <algorithm>
#include <limits>
#include <span>
#include <utility>

#include "registry/key_handle.h"
#include "registry/utf16.h"

namespace tavrel {
namespace {

// Every registry failure is silent. An operation that meets a failed call (or
// runs out of memory) stops there and leaves its default outcome: nothing
// deleted, the caller's default text, the rows listed so far, or false. This
// is the one place that decides it; the operations below only ask Succeeded.
[[nodiscard]] constexpr bool Succeeded(RegStatus status) noexcept { return status == kRegSuccess; }

template <typename Result, typename Operation>
[[nodiscard]] Result Silently(const Result& fallback, Operation&& operation) noexcept {
  try {
    return std::forward<Operation>(operation)();
  } catch (...) {
    return fallback;
  }
}

// Only the seven predefined roots name a key. Any other number (0 for a root
// name that was not recognised) is refused here rather than handed to the
// system, where it could be mistaken for some unrelated open handle.
[[nodiscard]] std::optional<KeyHandle> RootKey(RootHandle root) noexcept {
  if (root < kClassesRoot || root > kDynData) return std::nullopt;
  return static_cast<KeyHandle>(root);
}

// Registry value names hold at most 16383 characters; with the NUL the
// enumeration buffer never needs more than this.
constexpr std::uint32_t kMaxNameBuffer = 16384;
constexpr std::uint32_t kFirstNameBuffer = 256;
// A value may grow between its size query and its read; read it again a few
// times with the new size before giving up.
constexpr int kReadAttempts = 4;

// The value's type and bytes, read whole, or nothing when it is missing or
// (when a type is asked for) of another type.
[[nodiscard]] std::optional<RawValue> QueryWhole(RegistryApi& api, KeyHandle key, const std::wstring& name,
                                                 std::optional<std::uint32_t> onlyType) {
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (!Succeeded(api.QueryValue(key, name, &type, nullptr, &size))) return std::nullopt;
  for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
    if (onlyType && type != *onlyType) return std::nullopt;
    RawValue value{type, std::vector<std::byte>(size)};
    if (size == 0) return value;
    std::uint32_t filled = size;
    const RegStatus status = api.QueryValue(key, name, &type, value.bytes.data(), &filled);
    if (Succeeded(status)) {
      if (onlyType && type != *onlyType) return std::nullopt;
      value.type = type;
      value.bytes.resize(std::min(filled, size));
      return value;
    }
    // Any failure but growth means the value is not readable now: the caller's
    // default is a truer answer than a buffer the call did not fill.
    if (status != kRegMoreData || filled <= size) return std::nullopt;
    size = filled;
  }
  return std::nullopt;
}

// REG_SZ data: the text up to the first NUL code unit, or all of it.
[[nodiscard]] std::wstring TextOfStringData(std::span<const std::byte> bytes) {
  std::wstring text = DecodeUtf16Le(bytes);
  const std::size_t nul = text.find(L'\0');
  if (nul != std::wstring::npos) text.resize(nul);
  return text;
}

[[nodiscard]] bool SetWhole(RegistryApi& api, RootHandle root, const std::wstring& subKey,
                            const std::wstring& valueName, std::uint32_t type, std::span<const std::byte> bytes) {
  const auto rootKey = RootKey(root);
  if (!rootKey || bytes.size() > std::numeric_limits<std::uint32_t>::max()) return false;
  KeyHandle raw = 0;
  if (!Succeeded(api.CreateKey(*rootKey, subKey, raw))) return false;
  const ScopedKey key(api, raw);
  // advapi32 looks at the code units around the end of string data and counts
  // a NUL that follows unterminated data in the caller's memory as part of it.
  // Non-NUL guards on both sides keep what is stored exactly what was given
  // (and keep that look inside memory we own, even for a 1-byte value).
  constexpr std::size_t kGuard = 2;
  std::vector<std::byte> guarded(bytes.size() + 2 * kGuard, std::byte{0xFF});
  std::copy(bytes.begin(), bytes.end(), guarded.begin() + static_cast<std::ptrdiff_t>(kGuard));
  return Succeeded(
      api.SetValue(key.Get(), valueName, type, guarded.data() + kGuard, static_cast<std::uint32_t>(bytes.size())));
}

}  // namespace

void Registry::DeleteKey(RootHandle root, const std::wstring& subKey) noexcept {
  const auto rootKey = RootKey(root);
  // An empty path names the root itself, which is never ours to delete.
  if (!rootKey || subKey.empty()) return;
  (void)api_.DeleteKey(*rootKey, subKey);
}

void Registry::DeleteValue(RootHandle root, const std::wstring& subKey, const std::wstring& valueName) noexcept {
  const auto rootKey = RootKey(root);
  if (!rootKey) return;
  KeyHandle raw = 0;
  if (!Succeeded(api_.OpenKey(*rootKey, subKey, raw))) return;
  const ScopedKey key(api_, raw);
  (void)api_.DeleteValue(key.Get(), valueName);
}

std::wstring Registry::ReadStringValue(RootHandle root, const std::wstring& subKey, const std::wstring& valueName,
                                       const std::wstring& defaultText) noexcept {
  return Silently(defaultText, [&]() -> std::wstring {
    const auto rootKey = RootKey(root);
    if (!rootKey) return defaultText;
    KeyHandle raw = 0;
    if (!Succeeded(api_.OpenKey(*rootKey, subKey, raw))) return defaultText;
    const ScopedKey key(api_, raw);
    const auto value = QueryWhole(api_, key.Get(), valueName, kRegSz);
    return value ? TextOfStringData(value->bytes) : defaultText;
  });
}

bool Registry::WriteStringValue(RootHandle root, const std::wstring& subKey, const std::wstring& valueName,
                                const std::wstring& text) noexcept {
  return Silently(false, [&] {
    std::vector<std::byte> bytes = EncodeUtf16Le(text);
    bytes.resize(bytes.size() + 2);  // the terminating NUL code unit
    return SetWhole(api_, root, subKey, valueName, kRegSz, bytes);
  });
}

ValueTable Registry::EnumValues(RootHandle root, const std::wstring& subKey) noexcept {
  ValueTable table;
  auto pad = [&table]() noexcept {
    // Growing by up to 51 small rows; if even that fails the table stays short.
    try {
      if (table.size() < kMinValueTableRows) table.resize(kMinValueTableRows);
    } catch (...) {
    }
  };
  try {
    const auto rootKey = RootKey(root);
    KeyHandle raw = 0;
    if (!rootKey || !Succeeded(api_.OpenKeyEx(*rootKey, subKey, kKeyQueryValue, raw))) {
      pad();
      return table;
    }
    const ScopedKey key(api_, raw);
    std::vector<wchar_t> name(kFirstNameBuffer);
    std::uint32_t index = 0;
    for (;;) {
      std::uint32_t length = static_cast<std::uint32_t>(name.size());
      std::uint32_t type = 0;
      // The data is not read: a long value must never end the listing.
      const RegStatus status = api_.EnumValue(key.Get(), index, name.data(), &length, &type, nullptr, nullptr);
      if (status == kRegMoreData && name.size() < kMaxNameBuffer) {
        // The same index again, with room for a longer name.
        name.resize(std::min<std::size_t>(name.size() * 2, kMaxNameBuffer));
        continue;
      }
      if (!Succeeded(status)) break;  // normally 259, no more values
      table.push_back(ValueRow{type, std::wstring(name.data(), std::min<std::size_t>(length, name.size()))});
      ++index;
    }
  } catch (...) {
  }
  pad();
  return table;
}

std::optional<RawValue> Registry::ReadRawValue(RootHandle root, const std::wstring& subKey,
                                               const std::wstring& valueName) noexcept {
  return Silently(std::optional<RawValue>{}, [&]() -> std::optional<RawValue> {
    const auto rootKey = RootKey(root);
    if (!rootKey) return std::nullopt;
    KeyHandle raw = 0;
    if (!Succeeded(api_.OpenKey(*rootKey, subKey, raw))) return std::nullopt;
    const ScopedKey key(api_, raw);
    return QueryWhole(api_, key.Get(), valueName, std::nullopt);
  });
}

bool Registry::WriteRawValue(RootHandle root, const std::wstring& subKey, const std::wstring& valueName,
                             const RawValue& value) noexcept {
  return Silently(false, [&] { return SetWhole(api_, root, subKey, valueName, value.type, value.bytes); });
}

bool Registry::PathHasLink(RootHandle root, const std::wstring& subKey) noexcept {
  (void)root;
  (void)subKey;
  return false;
}

}  // namespace tavrel
