#include "registry/registry.h"

#include <algorithm>
#include <limits>
#include <span>
#include <utility>

#include "platform/text.h"
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
constexpr std::uint32_t kFirstDataBuffer = 1024;
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

[[nodiscard]] bool SetWhole(RegistryApi& api, KeyHandle key, const std::wstring& valueName, std::uint32_t type,
                            std::span<const std::byte> bytes) {
  if (key == 0 || bytes.size() > std::numeric_limits<std::uint32_t>::max()) return false;
  // advapi32 looks at the code units around the end of string data and counts
  // a NUL that follows unterminated data in the caller's memory as part of it.
  // Non-NUL guards on both sides keep what is stored exactly what was given
  // (and keep that look inside memory we own, even for a 1-byte value).
  constexpr std::size_t kGuard = 2;
  std::vector<std::byte> guarded(bytes.size() + 2 * kGuard, std::byte{0xFF});
  std::copy(bytes.begin(), bytes.end(), guarded.begin() + static_cast<std::ptrdiff_t>(kGuard));
  return Succeeded(
      api.SetValue(key, valueName, type, guarded.data() + kGuard, static_cast<std::uint32_t>(bytes.size())));
}

// A scope keeps the few keys its work goes back to; an older one is closed
// first, so that a long run (the OK action over every row) holds no more.
constexpr std::size_t kMostKeptKeys = 16;

}  // namespace

std::wstring StringText(const RawValue& value) {
  std::wstring text = DecodeUtf16Le(value.bytes);
  text.resize(std::min(text.find(L'\0'), text.size()));
  return text;
}

std::optional<RawValue> TakeValue(ValueRow& row) {
  if (!row.data || !IsNameable(row.name)) return std::nullopt;
  return RawValue{row.type, std::move(*row.data)};
}

Registry::KeepKeysOpen::KeepKeysOpen(Registry& registry) noexcept : registry_(registry) { ++registry_.keepDepth_; }

Registry::KeepKeysOpen::~KeepKeysOpen() {
  if (--registry_.keepDepth_ == 0) registry_.kept_.clear();
}

KeyHandle Registry::Open(RootHandle root, const std::wstring& path, bool create, std::uint32_t access,
                         ScopedKey& owned) {
  if (const KeyHandle kept = Kept(root, path, create, access)) return kept;
  if (OpenPath(api_, root, path, create, access, owned) != Reach::Key) return 0;
  return Keep(root, path, create, access, owned);
}

KeyHandle Registry::Kept(RootHandle root, const std::wstring& path, bool create, std::uint32_t access) const {
  for (const KeptKey& kept : kept_) {
    if (kept.root == root && kept.create == create && kept.access == access && kept.path == path) {
      return kept.key.Get();
    }
  }
  return 0;
}

KeyHandle Registry::Keep(RootHandle root, const std::wstring& path, bool create, std::uint32_t access,
                         ScopedKey& owned) {
  if (keepDepth_ == 0) return owned.Get();
  if (const KeyHandle kept = Kept(root, path, create, access)) return kept;
  if (kept_.size() >= kMostKeptKeys) kept_.erase(kept_.begin());
  kept_.push_back(KeptKey{root, path, create, access, std::move(owned)});
  return kept_.back().key.Get();
}

void Registry::DeleteKey(RootHandle root, const std::wstring& subKey) noexcept {
  try {
    ScopedKey key(api_, 0);
    // An empty path names the root itself, which is never ours to delete. The
    // key is deleted through the handle that opened it as itself, never by name.
    // Kept handles of the key or below it would outlive it: closed first.
    std::erase_if(kept_, [&](const KeptKey& kept) {
      return kept.root == root && kept.path.size() >= subKey.size() &&
             EqualsNoCase(std::wstring_view(kept.path).substr(0, subKey.size()), subKey) &&
             (kept.path.size() == subKey.size() || kept.path[subKey.size()] == L'\\');
    });
    if (!subKey.empty() && OpenPath(api_, root, subKey, false, kDelete, key) == Reach::Key) {
      (void)api_.DeleteKey(key.Get(), L"");
    }
  } catch (...) {
  }
}

bool Registry::DeleteValue(RootHandle root, const std::wstring& subKey, const std::wstring& valueName) noexcept {
  return Silently(false, [&] {
    ScopedKey key(api_, 0);
    const KeyHandle opened = IsNameable(valueName) ? Open(root, subKey, false, kKeySetValue, key) : 0;
    if (opened == 0) return false;
    const RegStatus status = api_.DeleteValue(opened, valueName);
    return status == kRegSuccess || status == kRegFileNotFound;
  });
}

std::wstring Registry::ReadStringValue(RootHandle root, const std::wstring& subKey, const std::wstring& valueName,
                                       const std::wstring& defaultText) noexcept {
  return Silently(defaultText, [&]() -> std::wstring {
    ScopedKey key(api_, 0);
    const KeyHandle opened = IsNameable(valueName) ? Open(root, subKey, false, kKeyQueryValue, key) : 0;
    if (opened == 0) return defaultText;
    const auto value = QueryWhole(api_, opened, valueName, kRegSz);
    return value ? StringText(*value) : defaultText;
  });
}

bool Registry::WriteStringValue(RootHandle root, const std::wstring& subKey, const std::wstring& valueName,
                                const std::wstring& text) noexcept {
  return Silently(false, [&] {
    std::vector<std::byte> bytes = EncodeUtf16Le(text);
    bytes.resize(bytes.size() + 2);  // the terminating NUL code unit
    ScopedKey key(api_, 0);
    return IsNameable(valueName) &&
           SetWhole(api_, Open(root, subKey, true, kKeySetValue, key), valueName, kRegSz, bytes);
  });
}

ValueTable Registry::EnumValues(RootHandle root, const std::wstring& subKey) noexcept {
  return List(root, subKey, false);
}

ValueTable Registry::ReadValues(RootHandle root, const std::wstring& subKey) noexcept {
  return List(root, subKey, true);
}

ValueTable Registry::List(RootHandle root, const std::wstring& subKey, bool withData) noexcept {
  ValueTable table;
  try {
    ScopedKey key(api_, 0);
    const KeyHandle opened = Open(root, subKey, false, kKeyQueryValue, key);
    if (opened == 0) return table;
    std::vector<wchar_t> name(kFirstNameBuffer);
    // Grown to the largest value met, then kept for the rest of this key only.
    std::vector<std::byte> data(withData ? kFirstDataBuffer : 0);
    std::uint32_t index = 0;
    for (int growths = 0;;) {
      auto length = static_cast<std::uint32_t>(name.size());
      auto size = static_cast<std::uint32_t>(data.size());
      std::uint32_t type = 0;
      const RegStatus status = api_.EnumValue(opened, index, name.data(), &length, &type,
                                              withData ? data.data() : nullptr, withData ? &size : nullptr);
      // A name without room is not written and leaves its length as it was.
      const bool nameFits = length < name.size();
      if (status == kRegMoreData) {
        // The same index again, with room for what did not fit (either or both).
        const bool longerName = !nameFits && name.size() < kMaxNameBuffer;
        const bool moreData = size > data.size() && ++growths < kReadAttempts;
        if (longerName) name.resize(std::min<std::size_t>(name.size() * 2, kMaxNameBuffer));
        if (moreData) data.resize(size);
        if (longerName || moreData) continue;
        if (!nameFits) break;  // no name is that long: the backend is not answering sanely
        // Data still growing after a few tries is listed unread rather than end the listing.
      } else if (!Succeeded(status)) {
        break;  // normally 259, no more values
      }
      ValueRow& row = table.emplace_back(ValueRow{type, std::wstring(name.data(), length)});
      if (withData && Succeeded(status))
        row.data.emplace(data.begin(),
                         data.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(size, data.size())));
      ++index;
      growths = 0;
    }
  } catch (...) {
  }
  return table;
}

std::optional<RawValue> Registry::ReadRawValue(RootHandle root, const std::wstring& subKey,
                                               const std::wstring& valueName) noexcept {
  return Silently(std::optional<RawValue>{}, [&]() -> std::optional<RawValue> {
    ScopedKey key(api_, 0);
    const KeyHandle opened = IsNameable(valueName) ? Open(root, subKey, false, kKeyQueryValue, key) : 0;
    if (opened == 0) return std::nullopt;
    return QueryWhole(api_, opened, valueName, std::nullopt);
  });
}

bool Registry::WriteRawValue(RootHandle root, const std::wstring& subKey, const std::wstring& valueName,
                             const RawValue& value) noexcept {
  return Silently(false, [&] {
    ScopedKey key(api_, 0);
    return IsNameable(valueName) &&
           SetWhole(api_, Open(root, subKey, true, kKeySetValue, key), valueName, value.type, value.bytes);
  });
}

bool Registry::WriteCopy(RootHandle root, const std::wstring& subKey, const std::wstring& valueName,
                         const RawValue& value) noexcept {
  return Silently(false, [&] {
    return value.type == kRegSz ? WriteStringValue(root, subKey, valueName, StringText(value))
                                : WriteRawValue(root, subKey, valueName, value);
  });
}

bool Registry::PathHasLink(RootHandle root, const std::wstring& subKey) noexcept {
  return Silently(true, [&] {  // out of memory: the answer that touches nothing
    ScopedKey key(api_, 0);
    const Reach reach = OpenPath(api_, root, subKey, false, kKeyQueryValue, key);
    // The key checked is the key read next: kept as a read would keep it.
    if (reach == Reach::Key) (void)Keep(root, subKey, false, kKeyQueryValue, key);
    return reach == Reach::Link;
  });
}

}  // namespace tavrel
