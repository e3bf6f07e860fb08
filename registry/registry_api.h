#pragma once
// The registry seam: exactly the advapi32 calls the registry layer needs, wide
// entry points, with advapi32's status codes. Backends: advapi32 (win32/) and
// an in-memory registry that behaves like it (memory/).
#include <cstddef>
#include <cstdint>
#include <string>

namespace tavrel {

using RootHandle = std::uint32_t;
inline constexpr RootHandle kNoRoot = 0;
inline constexpr RootHandle kClassesRoot = 0x80000000u;
inline constexpr RootHandle kCurrentUser = 0x80000001u;
inline constexpr RootHandle kLocalMachine = 0x80000002u;
inline constexpr RootHandle kUsers = 0x80000003u;
inline constexpr RootHandle kPerformanceData = 0x80000004u;
inline constexpr RootHandle kCurrentConfig = 0x80000005u;
inline constexpr RootHandle kDynData = 0x80000006u;

// advapi32 status codes (Win32 error numbers).
using RegStatus = long;
inline constexpr RegStatus kRegSuccess = 0;
inline constexpr RegStatus kRegFileNotFound = 2;
inline constexpr RegStatus kRegAccessDenied = 5;
inline constexpr RegStatus kRegInvalidHandle = 6;
inline constexpr RegStatus kRegInvalidParameter = 87;  // e.g. a key name over 255 characters
inline constexpr RegStatus kRegBadPathname = 161;      // a subkey path that starts with "\"
inline constexpr RegStatus kRegAlreadyExists = 183;    // a link created where a key already is
inline constexpr RegStatus kRegMoreData = 234;
inline constexpr RegStatus kRegNoMoreItems = 259;
inline constexpr RegStatus kRegNoAccess = 998;     // no data pointer for a non-zero size
inline constexpr RegStatus kRegKeyDeleted = 1018;  // the key was deleted while this handle was open

// Registry value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegLink = 6;  // a link's target, "\Registry\User\...", with no NUL
inline constexpr std::uint32_t kRegMultiSz = 7;

// Access rights.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
inline constexpr std::uint32_t kDelete = 0x00010000;

// Open and create options. A key created as a link sends every open of it to
// the key named by its value "SymbolicLinkValue", unless opened as itself.
inline constexpr std::uint32_t kRegOptionCreateLink = 2;
inline constexpr std::uint32_t kRegOptionOpenLink = 8;

// A key handle as advapi32 hands it out: a root handle value or an opened key.
// 0 is no key.
using KeyHandle = std::uintptr_t;

class RegistryApi {
 public:
  virtual ~RegistryApi() = default;
  // RegOpenKeyExW. A predefined root opened with an empty subKey is answered with itself.
  [[nodiscard]] virtual RegStatus OpenKeyEx(KeyHandle parent, const std::wstring& subKey, std::uint32_t options,
                                            std::uint32_t access, KeyHandle& key) = 0;
  // RegCreateKeyExW (non-volatile): opens parent\subKey, creating every missing key along the path.
  [[nodiscard]] virtual RegStatus CreateKeyEx(KeyHandle parent, const std::wstring& subKey, std::uint32_t options,
                                              std::uint32_t access, KeyHandle& key) = 0;
  // The value calls take a name up to its first NUL (RegEnumValueW lists a name whole).
  // RegQueryValueExW. data may be null to ask for type and size only; size is in bytes.
  [[nodiscard]] virtual RegStatus QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t* type,
                                             std::byte* data, std::uint32_t* size) = 0;
  // RegSetValueExW; size is in bytes (for REG_SZ, UTF-16 code units times two).
  [[nodiscard]] virtual RegStatus SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type,
                                           const std::byte* data, std::uint32_t size) = 0;
  // RegEnumValueW. nameLength is in characters, in: buffer size including the
  // NUL, out: length without it. data may be null, then dataSize may be null too.
  [[nodiscard]] virtual RegStatus EnumValue(KeyHandle key, std::uint32_t index, wchar_t* name,
                                            std::uint32_t* nameLength, std::uint32_t* type, std::byte* data,
                                            std::uint32_t* dataSize) = 0;
  // RegDeleteKeyW: deletes parent\subKey with its values (parent's own key for an
  // empty subKey); refused while it has subkeys.
  [[nodiscard]] virtual RegStatus DeleteKey(KeyHandle parent, const std::wstring& subKey) = 0;
  // RegDeleteValueW.
  [[nodiscard]] virtual RegStatus DeleteValue(KeyHandle key, const std::wstring& name) = 0;
  // RegCloseKey. Closing a root handle is harmless.
  virtual RegStatus CloseKey(KeyHandle key) = 0;
};

}  // namespace tavrel
