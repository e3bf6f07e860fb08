#pragma once
// Passes every call to another registry and writes down what each one
// touched: which key (by path) and which value, or which listing position.
// A fault sweep records one clean run this way, then makes call number i fail
// in a fresh run and knows from the record what that call was about.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "registry/memory/memory_registry.h"
#include "registry/registry_api.h"

namespace tavrel::faults {

struct CallRecord {
  RegCall call;
  std::wstring path;  // "<root>:<key path>", folded; for DeleteKey the deleted key
  std::wstring name;  // the value's name, for QueryValue, SetValue and DeleteValue
  std::uint32_t index = 0;  // the listing position, for EnumValue
};

class RecordingRegistry final : public RegistryApi {
 public:
  explicit RecordingRegistry(RegistryApi& inner) : inner_(inner) {}

  [[nodiscard]] RegStatus OpenKey(KeyHandle parent, const std::wstring& subKey, KeyHandle& key) override;
  [[nodiscard]] RegStatus OpenKeyEx(KeyHandle parent, const std::wstring& subKey, std::uint32_t access,
                                    KeyHandle& key) override;
  [[nodiscard]] RegStatus CreateKey(KeyHandle parent, const std::wstring& subKey, KeyHandle& key) override;
  [[nodiscard]] RegStatus QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t* type, std::byte* data,
                                     std::uint32_t* size) override;
  [[nodiscard]] RegStatus SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type,
                                   const std::byte* data, std::uint32_t size) override;
  [[nodiscard]] RegStatus EnumValue(KeyHandle key, std::uint32_t index, wchar_t* name, std::uint32_t* nameLength,
                                    std::uint32_t* type, std::byte* data, std::uint32_t* dataSize) override;
  [[nodiscard]] RegStatus DeleteKey(KeyHandle parent, const std::wstring& subKey) override;
  [[nodiscard]] RegStatus DeleteValue(KeyHandle key, const std::wstring& name) override;
  RegStatus CloseKey(KeyHandle key) override;

  std::vector<CallRecord> calls;

 private:
  [[nodiscard]] std::wstring PathOf(KeyHandle key) const;
  [[nodiscard]] std::wstring Below(KeyHandle parent, const std::wstring& subKey) const;
  RegStatus Opened(RegStatus status, KeyHandle key, std::wstring path);

  RegistryApi& inner_;
  std::map<KeyHandle, std::wstring> paths_;
};

// The key of a snapshot entry or a record's path: "<root>:<key path>", folded.
[[nodiscard]] std::wstring KeyId(RootHandle root, const std::wstring& keyPath);

}  // namespace tavrel::faults
