#pragma once
// The registry seam over advapi32's wide entry points. A KeyHandle carries the
// HKEY value; the predefined roots travel as their 32-bit numbers (0x80000001
// for HKEY_CURRENT_USER) and are widened here the way the system headers do.
#include "registry/registry_api.h"

namespace tavrel {

class AdvapiRegistry final : public RegistryApi {
 public:
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
};

}  // namespace tavrel
