#pragma once
// The registry layer: the program's only road to the registry. Every
// operation opens and closes its own key inside the call and fails silently,
// leaving a default outcome (the writes answer false). A path is
// opened one key at a time, each key as itself, and an operation whose path
// holds a registry link does nothing: Tavrel never works through a link.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/key_handle.h"
#include "registry/registry_api.h"

namespace tavrel {

struct ValueRow {
  std::uint32_t type = 0;
  std::wstring name;  // empty for the unnamed value; may hold a NUL (see IsNameable)
  // The data as the listing read it; only ReadValues reads it, and not for a
  // value that kept growing while it was read.
  std::optional<std::vector<std::byte>> data = std::nullopt;
  bool operator==(const ValueRow&) const = default;
};

// One row per value, in the registry's enumeration order, and nothing else.
// Every value is listed, however long its name or data.
using ValueTable = std::vector<ValueRow>;

// A value as stored: type and bytes, for copies that must not lose data.
struct RawValue {
  std::uint32_t type = kRegNone;
  std::vector<std::byte> bytes;
  bool operator==(const RawValue&) const = default;
};

// The registry's calls take a value name up to its first NUL, so a name with
// a NUL inside (a known way to hide a value) would reach a different value:
// such a name is listed and reported, never read, written or deleted (the
// layer refuses it without asking the registry).
[[nodiscard]] inline bool IsNameable(std::wstring_view name) noexcept {
  return name.find(L'\0') == std::wstring_view::npos;
}

// String data's text: up to its first NUL, or all of it.
[[nodiscard]] std::wstring StringText(const RawValue& value);

// A listed value as ReadRawValue would give it (nothing for a name holding a
// NUL or data not read), its data moved out of the row.
[[nodiscard]] std::optional<RawValue> TakeValue(ValueRow& row);

class Registry {
 public:
  explicit Registry(RegistryApi& api) noexcept : api_(api) {}

  void DeleteKey(RootHandle root, const std::wstring& subKey) noexcept;
  // True when the value is gone: deleted now, or already missing from its key.
  bool DeleteValue(RootHandle root, const std::wstring& subKey, const std::wstring& valueName) noexcept;
  // The REG_SZ value's text up to its first NUL; defaultText when the key or
  // value is missing or the value is of another type.
  [[nodiscard]] std::wstring ReadStringValue(RootHandle root, const std::wstring& subKey, const std::wstring& valueName,
                                             const std::wstring& defaultText) noexcept;
  // Stores text as REG_SZ with its NUL, creating every missing key of the path.
  bool WriteStringValue(RootHandle root, const std::wstring& subKey, const std::wstring& valueName,
                        const std::wstring& text) noexcept;
  [[nodiscard]] ValueTable EnumValues(RootHandle root, const std::wstring& subKey) noexcept;
  // The listing with each value's data, taken by the same calls: a whole key
  // read at one call per value. Data that does not fit is asked for again.
  [[nodiscard]] ValueTable ReadValues(RootHandle root, const std::wstring& subKey) noexcept;

  // Raw copies keep non-string values whole between a watched key and its backup.
  [[nodiscard]] std::optional<RawValue> ReadRawValue(RootHandle root, const std::wstring& subKey,
                                                     const std::wstring& valueName) noexcept;
  bool WriteRawValue(RootHandle root, const std::wstring& subKey, const std::wstring& valueName,
                     const RawValue& value) noexcept;
  // A copy between a watched key and its backup copy: REG_SZ as its text (as
  // WriteStringValue stores it), every other type whole.
  bool WriteCopy(RootHandle root, const std::wstring& subKey, const std::wstring& valueName,
                 const RawValue& value) noexcept;

  // True when a key along the path, the key itself included, is a registry
  // link. Tavrel never works through one: it is reported instead. While a
  // KeepKeysOpen scope lives, a key found to be no link stays open for reads.
  [[nodiscard]] bool PathHasLink(RootHandle root, const std::wstring& subKey) noexcept;

  // While one lives, the keys the operations open stay open and later calls
  // for the same key reuse them, so a key's values cost no walk of its path
  // each; a handle keeps the key it opened even if the path is changed after.
  // Deleting a key first closes what is kept of it. Scopes nest.
  class [[nodiscard]] KeepKeysOpen {
   public:
    explicit KeepKeysOpen(Registry& registry) noexcept;
    ~KeepKeysOpen();
    KeepKeysOpen(const KeepKeysOpen&) = delete;
    KeepKeysOpen& operator=(const KeepKeysOpen&) = delete;

   private:
    Registry& registry_;
  };

 private:
  struct KeptKey {
    RootHandle root;
    std::wstring path;
    bool create;
    std::uint32_t access;
    ScopedKey key;
  };
  // The opened key (kept, or owned by `owned`), or 0 when it is missing or a
  // link is on its path.
  [[nodiscard]] KeyHandle Open(RootHandle root, const std::wstring& path, bool create, std::uint32_t access,
                               ScopedKey& owned);
  // The handle kept for this key and way of opening it, or 0.
  [[nodiscard]] KeyHandle Kept(RootHandle root, const std::wstring& path, bool create, std::uint32_t access) const;
  // Keeps an opened key while a scope lives (once); answers the handle to use.
  KeyHandle Keep(RootHandle root, const std::wstring& path, bool create, std::uint32_t access, ScopedKey& owned);
  [[nodiscard]] ValueTable List(RootHandle root, const std::wstring& subKey, bool withData) noexcept;

  RegistryApi& api_;
  std::vector<KeptKey> kept_;
  int keepDepth_ = 0;
};

}  // namespace tavrel
