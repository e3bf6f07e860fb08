#pragma once
// Passes every call to another registry and writes down what each one touched
// (key path, value name or listing position), so a sweep can record one clean
// run, make call number i fail in a fresh run and know what that call was about.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/text.h"
#include "registry/memory/memory_registry.h"
#include "registry/registry_api.h"

namespace tavrel::faults {

struct CallRecord {
  RegCall call;
  std::wstring path;  // "<root>:<key path>", folded; for DeleteKey the deleted key
  std::wstring name;  // for QueryValue, SetValue and DeleteValue
  std::uint32_t index = 0;  // for EnumValue
};

// The key of a snapshot entry or a record's path: "<root>:<key path>", folded.
inline std::wstring KeyId(RootHandle root, const std::wstring& keyPath) {
  return std::to_wstring(root) + L":" + ToLower(keyPath);
}

class RecordingRegistry final : public RegistryApi {
 public:
  explicit RecordingRegistry(RegistryApi& inner) : inner_(inner) {}

  RegStatus OpenKey(KeyHandle parent, const std::wstring& sub, KeyHandle& key) override {
    return Opened(RegCall::OpenKey, parent, sub, key, [&] { return inner_.OpenKey(parent, sub, key); });
  }
  RegStatus OpenKeyEx(KeyHandle parent, const std::wstring& sub, std::uint32_t access, KeyHandle& key) override {
    return Opened(RegCall::OpenKeyEx, parent, sub, key, [&] { return inner_.OpenKeyEx(parent, sub, access, key); });
  }
  RegStatus CreateKey(KeyHandle parent, const std::wstring& sub, KeyHandle& key) override {
    return Opened(RegCall::CreateKey, parent, sub, key, [&] { return inner_.CreateKey(parent, sub, key); });
  }
  RegStatus QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t* type, std::byte* data,
                       std::uint32_t* size) override {
    calls.push_back({RegCall::QueryValue, PathOf(key), name});
    return inner_.QueryValue(key, name, type, data, size);
  }
  RegStatus SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type, const std::byte* data,
                     std::uint32_t size) override {
    calls.push_back({RegCall::SetValue, PathOf(key), name});
    return inner_.SetValue(key, name, type, data, size);
  }
  RegStatus EnumValue(KeyHandle key, std::uint32_t index, wchar_t* name, std::uint32_t* nameLength,
                      std::uint32_t* type, std::byte* data, std::uint32_t* dataSize) override {
    calls.push_back({RegCall::EnumValue, PathOf(key), L"", index});
    return inner_.EnumValue(key, index, name, nameLength, type, data, dataSize);
  }
  RegStatus DeleteKey(KeyHandle parent, const std::wstring& sub) override {
    calls.push_back({RegCall::DeleteKey, Below(parent, sub), L""});
    return inner_.DeleteKey(parent, sub);
  }
  RegStatus DeleteValue(KeyHandle key, const std::wstring& name) override {
    calls.push_back({RegCall::DeleteValue, PathOf(key), name});
    return inner_.DeleteValue(key, name);
  }
  RegStatus CloseKey(KeyHandle key) override {
    calls.push_back({RegCall::CloseKey, PathOf(key), L""});
    const RegStatus status = inner_.CloseKey(key);
    paths_.erase(key);
    return status;
  }

  std::vector<CallRecord> calls;

 private:
  [[nodiscard]] std::wstring PathOf(KeyHandle key) const {
    const auto found = paths_.find(key);
    return found != paths_.end() ? found->second : std::to_wstring(key) + L":";  // a root handle
  }
  [[nodiscard]] std::wstring Below(KeyHandle parent, const std::wstring& sub) const {
    std::wstring path = PathOf(parent);
    if (!sub.empty()) path += (path.back() != L':' ? L"\\" : L"") + ToLower(sub);
    return path;
  }
  template <class Call>
  RegStatus Opened(RegCall call, KeyHandle parent, const std::wstring& sub, KeyHandle& key, Call inner) {
    std::wstring path = Below(parent, sub);
    calls.push_back({call, path, L""});
    const RegStatus status = inner();  // sets key before it is looked at
    if (status == kRegSuccess) paths_[key] = std::move(path);
    return status;
  }

  RegistryApi& inner_;
  std::map<KeyHandle, std::wstring> paths_;
};

}  // namespace tavrel::faults
