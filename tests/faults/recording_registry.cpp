#include "tests/faults/recording_registry.h"

#include "platform/text.h"

namespace tavrel::faults {

std::wstring KeyId(RootHandle root, const std::wstring& keyPath) {
  return std::to_wstring(root) + L":" + ToLower(keyPath);
}

std::wstring RecordingRegistry::PathOf(KeyHandle key) const {
  const auto found = paths_.find(key);
  if (found != paths_.end()) return found->second;
  return std::to_wstring(key) + L":";  // a root handle
}

std::wstring RecordingRegistry::Below(KeyHandle parent, const std::wstring& subKey) const {
  std::wstring path = PathOf(parent);
  if (!subKey.empty()) {
    if (path.back() != L':') path += L'\\';
    path += ToLower(subKey);
  }
  return path;
}

RegStatus RecordingRegistry::Opened(RegStatus status, KeyHandle key, std::wstring path) {
  if (status == kRegSuccess) paths_[key] = std::move(path);
  return status;
}

RegStatus RecordingRegistry::OpenKey(KeyHandle parent, const std::wstring& subKey, KeyHandle& key) {
  calls.push_back({RegCall::OpenKey, Below(parent, subKey), L"", 0});
  const RegStatus status = inner_.OpenKey(parent, subKey, key);  // sets key before it is looked at
  return Opened(status, key, Below(parent, subKey));
}

RegStatus RecordingRegistry::OpenKeyEx(KeyHandle parent, const std::wstring& subKey, std::uint32_t access,
                                       KeyHandle& key) {
  calls.push_back({RegCall::OpenKeyEx, Below(parent, subKey), L"", 0});
  const RegStatus status = inner_.OpenKeyEx(parent, subKey, access, key);  // sets key before it is looked at
  return Opened(status, key, Below(parent, subKey));
}

RegStatus RecordingRegistry::CreateKey(KeyHandle parent, const std::wstring& subKey, KeyHandle& key) {
  calls.push_back({RegCall::CreateKey, Below(parent, subKey), L"", 0});
  const RegStatus status = inner_.CreateKey(parent, subKey, key);  // sets key before it is looked at
  return Opened(status, key, Below(parent, subKey));
}

RegStatus RecordingRegistry::QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t* type,
                                        std::byte* data, std::uint32_t* size) {
  calls.push_back({RegCall::QueryValue, PathOf(key), name, 0});
  return inner_.QueryValue(key, name, type, data, size);
}

RegStatus RecordingRegistry::SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type,
                                      const std::byte* data, std::uint32_t size) {
  calls.push_back({RegCall::SetValue, PathOf(key), name, 0});
  return inner_.SetValue(key, name, type, data, size);
}

RegStatus RecordingRegistry::EnumValue(KeyHandle key, std::uint32_t index, wchar_t* name,
                                       std::uint32_t* nameLength, std::uint32_t* type, std::byte* data,
                                       std::uint32_t* dataSize) {
  calls.push_back({RegCall::EnumValue, PathOf(key), L"", index});
  return inner_.EnumValue(key, index, name, nameLength, type, data, dataSize);
}

RegStatus RecordingRegistry::DeleteKey(KeyHandle parent, const std::wstring& subKey) {
  calls.push_back({RegCall::DeleteKey, Below(parent, subKey), L"", 0});
  return inner_.DeleteKey(parent, subKey);
}

RegStatus RecordingRegistry::DeleteValue(KeyHandle key, const std::wstring& name) {
  calls.push_back({RegCall::DeleteValue, PathOf(key), name, 0});
  return inner_.DeleteValue(key, name);
}

RegStatus RecordingRegistry::CloseKey(KeyHandle key) {
  calls.push_back({RegCall::CloseKey, PathOf(key), L"", 0});
  const RegStatus status = inner_.CloseKey(key);
  paths_.erase(key);
  return status;
}

}  // namespace tavrel::faults
