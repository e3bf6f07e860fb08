#pragma once
// An in-memory registry that answers the registry seam the way advapi32 does:
// the predefined roots as parents, fresh handle numbers for opened keys,
// case-insensitive names that keep the case they were created with, values
// listed in creation order, and advapi32's status codes. A link is stored as
// Wine stores one (a key holding "SymbolicLinkValue" of type REG_LINK) but is
// never followed: the registry layer opens every key as itself. Used by the
// native build and its tests; a test can also make chosen calls fail.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "registry/registry_api.h"

namespace tavrel {

enum class RegCall { OpenKeyEx, CreateKeyEx, QueryValue, SetValue, EnumValue, DeleteKey, DeleteValue, CloseKey };

struct StoredValue {
  std::wstring name;
  std::uint32_t type = kRegNone;
  std::vector<std::byte> bytes;
  bool operator==(const StoredValue&) const = default;
};

class MemoryRegistry final : public RegistryApi {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;
  MemoryRegistry(const MemoryRegistry&) = delete;
  MemoryRegistry& operator=(const MemoryRegistry&) = delete;

  [[nodiscard]] RegStatus OpenKeyEx(KeyHandle parent, const std::wstring& subKey, std::uint32_t options,
                                    std::uint32_t access, KeyHandle& key) override;
  [[nodiscard]] RegStatus CreateKeyEx(KeyHandle parent, const std::wstring& subKey, std::uint32_t options,
                                      std::uint32_t access, KeyHandle& key) override;
  [[nodiscard]] RegStatus QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t* type, std::byte* data,
                                     std::uint32_t* size) override;
  [[nodiscard]] RegStatus SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type, const std::byte* data,
                                   std::uint32_t size) override;
  [[nodiscard]] RegStatus EnumValue(KeyHandle key, std::uint32_t index, wchar_t* name, std::uint32_t* nameLength,
                                    std::uint32_t* type, std::byte* data, std::uint32_t* dataSize) override;
  [[nodiscard]] RegStatus DeleteKey(KeyHandle parent, const std::wstring& subKey) override;
  [[nodiscard]] RegStatus DeleteValue(KeyHandle key, const std::wstring& name) override;
  RegStatus CloseKey(KeyHandle key) override;

  // Fault injection. Before a call acts, the hook may answer a status for it;
  // the call then returns that status and changes nothing (except CloseKey,
  // which still releases the handle: nobody can retry a close).
  using FaultHook = std::function<std::optional<RegStatus>(RegCall call)>;
  void SetFaultHook(FaultHook hook);

  // For tests: store any type and bytes directly (creating missing keys) under
  // exactly the name given, NUL included, and look at what a key holds
  // without going through handles.
  void PutValue(RootHandle root, const std::wstring& path, const std::wstring& name, std::uint32_t type,
                std::vector<std::byte> bytes);
  // The key's values in enumeration order; empty when the key does not exist.
  [[nodiscard]] std::vector<StoredValue> Values(RootHandle root, const std::wstring& path) const;
  [[nodiscard]] bool KeyExists(RootHandle root, const std::wstring& path) const;
  [[nodiscard]] std::size_t OpenHandleCount() const noexcept;

 private:
  struct Key;
  using KeyPtr = std::shared_ptr<Key>;
  struct OpenKeyEntry {
    KeyPtr key;
    std::uint32_t access;
  };
  // What a handle names, after the checks every call makes on it.
  struct Target {
    RegStatus status = kRegSuccess;
    KeyPtr key;  // null for the performance-data root, which holds no keys
    std::uint32_t access = 0;
    bool root = false;
  };

  [[nodiscard]] std::optional<RegStatus> InjectedFault(RegCall call);
  [[nodiscard]] Target Resolve(KeyHandle handle) const;
  [[nodiscard]] static RegStatus Walk(const KeyPtr& from, const std::wstring& subKey, bool create, KeyPtr& found);
  [[nodiscard]] RegStatus OpenPath(KeyHandle parent, const std::wstring& subKey, bool create, std::uint32_t access,
                                   KeyHandle& key);
  [[nodiscard]] KeyHandle NewHandle(KeyPtr key, std::uint32_t access);
  [[nodiscard]] KeyPtr FindKey(RootHandle root, const std::wstring& path) const;

  std::vector<KeyPtr> roots_;
  std::map<KeyHandle, OpenKeyEntry> handles_;
  KeyHandle nextHandle_;
  FaultHook faultHook_;
};

}  // namespace tavrel
