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

// The value that makes a key a link. Any type counts: Wine follows a link
// whatever the type of its value, and refusing a plain key that merely holds
// such a value costs nothing.
constexpr wchar_t kLinkValueName[] = L"SymbolicLinkValue";

enum class Reach { Key, Missing, Link };

// Opens (or creates) root\path one key at a time, each with
// REG_OPTION_OPEN_LINK so that no link is ever followed, and stops at the
// first key that is a link. A key that cannot be asked whether it is one is
// not reached, as when its open fails. Every key on the way is opened only to
// be asked that and to reach the next (Wine takes anything opened below a link
// to its target); the last gets `access` too. Repeated and trailing
// separators are skipped, as advapi32 does; a path starting with one names no
// key. An empty path gives the root itself.
[[nodiscard]] Reach OpenPath(RegistryApi& api, RootHandle root, const std::wstring& path, bool create,
                             std::uint32_t access, ScopedKey& key) {
  const auto rootKey = RootKey(root);
  if (!rootKey || path.starts_with(L'\\')) return Reach::Missing;
  key = ScopedKey(api, *rootKey);
  for (std::size_t start = 0, end = 0; start < path.size(); start = end + 1) {
    end = std::min(path.find(L'\\', start), path.size());
    if (end == start) continue;
    const bool last = path.find_first_not_of(L'\\', end) == std::wstring::npos;
    const std::uint32_t need = kKeyQueryValue | (last ? access : create ? kKeyCreateSubKey : 0);
    const std::wstring name = path.substr(start, end - start);
    KeyHandle raw = 0;
    const RegStatus status = create ? api.CreateKeyEx(key.Get(), name, kRegOptionOpenLink, need, raw)
                                    : api.OpenKeyEx(key.Get(), name, kRegOptionOpenLink, need, raw);
    if (!Succeeded(status)) return Reach::Missing;
    key = ScopedKey(api, raw);
    const RegStatus link = api.QueryValue(key.Get(), kLinkValueName, nullptr, nullptr, nullptr);
    if (link != kRegFileNotFound) return Succeeded(link) ? Reach::Link : Reach::Missing;
  }
  return Reach::Key;
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
  ScopedKey key(api, 0);
  if (!IsNameable(valueName) || bytes.size() > std::numeric_limits<std::uint32_t>::max() ||
      OpenPath(api, root, subKey, true, kKeySetValue, key) != Reach::Key) {
    return false;
  }
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
  try {
    ScopedKey key(api_, 0);
    // An empty path names the root itself, which is never ours to delete. The
    // key is deleted through the handle that opened it as itself, never by name.
    if (!subKey.empty() && OpenPath(api_, root, subKey, false, kDelete, key) == Reach::Key) {
      (void)api_.DeleteKey(key.Get(), L"");
    }
  } catch (...) {
  }
}

void Registry::DeleteValue(RootHandle root, const std::wstring& subKey, const std::wstring& valueName) noexcept {
  try {
    ScopedKey key(api_, 0);
    if (IsNameable(valueName) && OpenPath(api_, root, subKey, false, kKeySetValue, key) == Reach::Key) {
      (void)api_.DeleteValue(key.Get(), valueName);
    }
  } catch (...) {
  }
}

std::wstring Registry::ReadStringValue(RootHandle root, const std::wstring& subKey, const std::wstring& valueName,
                                       const std::wstring& defaultText) noexcept {
  return Silently(defaultText, [&]() -> std::wstring {
    ScopedKey key(api_, 0);
    if (!IsNameable(valueName) || OpenPath(api_, root, subKey, false, kKeyQueryValue, key) != Reach::Key) {
      return defaultText;
    }
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
  try {
    ScopedKey key(api_, 0);
    if (OpenPath(api_, root, subKey, false, kKeyQueryValue, key) != Reach::Key) return table;
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
  return table;
}

std::optional<RawValue> Registry::ReadRawValue(RootHandle root, const std::wstring& subKey,
                                               const std::wstring& valueName) noexcept {
  return Silently(std::optional<RawValue>{}, [&]() -> std::optional<RawValue> {
    ScopedKey key(api_, 0);
    if (!IsNameable(valueName) || OpenPath(api_, root, subKey, false, kKeyQueryValue, key) != Reach::Key) {
      return std::nullopt;
    }
    return QueryWhole(api_, key.Get(), valueName, std::nullopt);
  });
}

bool Registry::WriteRawValue(RootHandle root, const std::wstring& subKey, const std::wstring& valueName,
                             const RawValue& value) noexcept {
  return Silently(false, [&] { return SetWhole(api_, root, subKey, valueName, value.type, value.bytes); });
}

bool Registry::PathHasLink(RootHandle root, const std::wstring& subKey) noexcept {
  return Silently(true, [&] {  // out of memory: the answer that touches nothing
    ScopedKey key(api_, 0);
    return OpenPath(api_, root, subKey, false, kKeyQueryValue, key) == Reach::Link;
  });
}

}  // namespace tavrel
