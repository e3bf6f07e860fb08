#include "registry/win32/advapi_registry.h"

#include <windows.h>

#include <cstdint>

namespace tavrel {
namespace {

static_assert(sizeof(wchar_t) == sizeof(WCHAR), "the wide entry points take wchar_t text");
static_assert(sizeof(DWORD) == sizeof(std::uint32_t));
static_assert(kRegOptionOpenLink == REG_OPTION_OPEN_LINK && kRegOptionCreateLink == REG_OPTION_CREATE_LINK &&
              kRegLink == REG_LINK && kKeyCreateSubKey == KEY_CREATE_SUB_KEY && kDelete == DELETE &&
              kRegAlreadyExists == ERROR_ALREADY_EXISTS);

// Predefined roots are 32-bit values that the system headers sign-extend into
// a pointer-sized HKEY; every other handle is a plain handle value.
[[nodiscard]] HKEY ToHkey(KeyHandle key) noexcept {
  if (key >= 0x80000000u && key <= 0xFFFFFFFFu) {
    const auto narrow = static_cast<std::int32_t>(static_cast<std::uint32_t>(key));
    return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(narrow));
  }
  return reinterpret_cast<HKEY>(key);
}

[[nodiscard]] KeyHandle FromHkey(HKEY hkey) noexcept {
  const auto value = reinterpret_cast<std::intptr_t>(hkey);
  if (value >= INT32_MIN && value < 0) {
    return static_cast<KeyHandle>(static_cast<std::uint32_t>(static_cast<std::int32_t>(value)));
  }
  return static_cast<KeyHandle>(reinterpret_cast<std::uintptr_t>(hkey));
}

// DWORD is unsigned long here, so in/out numbers pass through a DWORD of
// their own rather than through a cast pointer.
class DwordArg {
 public:
  explicit DwordArg(std::uint32_t* target) noexcept : target_(target), value_(target ? *target : 0) {}
  DwordArg(const DwordArg&) = delete;
  DwordArg& operator=(const DwordArg&) = delete;
  ~DwordArg() {
    if (target_ != nullptr) *target_ = static_cast<std::uint32_t>(value_);
  }
  [[nodiscard]] DWORD* Get() noexcept { return target_ != nullptr ? &value_ : nullptr; }

 private:
  std::uint32_t* target_;
  DWORD value_;
};

[[nodiscard]] RegStatus Opened(LSTATUS status, HKEY hkey, KeyHandle& key) noexcept {
  key = status == ERROR_SUCCESS ? FromHkey(hkey) : 0;
  return status;
}

}  // namespace

RegStatus AdvapiRegistry::OpenKeyEx(KeyHandle parent, const std::wstring& subKey, std::uint32_t options,
                                    std::uint32_t access, KeyHandle& key) {
  HKEY hkey = nullptr;
  const LSTATUS status = RegOpenKeyExW(ToHkey(parent), subKey.c_str(), options, access, &hkey);
  return Opened(status, hkey, key);
}

RegStatus AdvapiRegistry::CreateKeyEx(KeyHandle parent, const std::wstring& subKey, std::uint32_t options,
                                      std::uint32_t access, KeyHandle& key) {
  HKEY hkey = nullptr;
  const LSTATUS status =
      RegCreateKeyExW(ToHkey(parent), subKey.c_str(), 0, nullptr, options, access, nullptr, &hkey, nullptr);
  return Opened(status, hkey, key);
}

RegStatus AdvapiRegistry::QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t* type, std::byte* data,
                                     std::uint32_t* size) {
  DwordArg typeArg(type);
  DwordArg sizeArg(size);
  return RegQueryValueExW(ToHkey(key), name.c_str(), nullptr, typeArg.Get(), reinterpret_cast<BYTE*>(data),
                          sizeArg.Get());
}

RegStatus AdvapiRegistry::SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type, const std::byte* data,
                                   std::uint32_t size) {
  return RegSetValueExW(ToHkey(key), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data), size);
}

RegStatus AdvapiRegistry::EnumValue(KeyHandle key, std::uint32_t index, wchar_t* name, std::uint32_t* nameLength,
                                    std::uint32_t* type, std::byte* data, std::uint32_t* dataSize) {
  DwordArg nameLengthArg(nameLength);
  DwordArg typeArg(type);
  DwordArg dataSizeArg(dataSize);
  return RegEnumValueW(ToHkey(key), index, name, nameLengthArg.Get(), nullptr, typeArg.Get(),
                       reinterpret_cast<BYTE*>(data), dataSizeArg.Get());
}

RegStatus AdvapiRegistry::DeleteKey(KeyHandle parent, const std::wstring& subKey) {
  return RegDeleteKeyW(ToHkey(parent), subKey.c_str());
}

RegStatus AdvapiRegistry::DeleteValue(KeyHandle key, const std::wstring& name) {
  return RegDeleteValueW(ToHkey(key), name.c_str());
}

RegStatus AdvapiRegistry::CloseKey(KeyHandle key) { return RegCloseKey(ToHkey(key)); }

}  // namespace tavrel
