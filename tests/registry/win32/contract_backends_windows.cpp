#include <windows.h>
// After windows.h:
#include <sddl.h>
#include <winternl.h>

#include <memory>
#include <type_traits>

#include "registry/win32/advapi_registry.h"
#include "tests/registry/contract_backend.h"

namespace {

using Key = std::unique_ptr<std::remove_pointer_t<HKEY>, decltype(&RegCloseKey)>;
Key Open(HKEY parent, const std::wstring& name, REGSAM access) {
  HKEY key = nullptr;
  return Key(RegOpenKeyExW(parent, name.c_str(), REG_OPTION_OPEN_LINK, access, &key) ? nullptr : key, &RegCloseKey);
}

// Deletes a key with everything below it, a link as itself: never what it names.
void RemoveTree(HKEY parent, const std::wstring& name) {
  const Key key = Open(parent, name, KEY_READ | DELETE);
  if (!key) return;
  if (RegQueryValueExW(key.get(), L"SymbolicLinkValue", nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    std::vector<std::wstring> subkeys;
    wchar_t sub[256];
    for (DWORD i = 0; RegEnumKeyW(key.get(), i, sub, 256) == ERROR_SUCCESS; ++i) subkeys.emplace_back(sub);
    for (const auto& subkey : subkeys) RemoveTree(key.get(), subkey);
  }
  (void)RegDeleteKeyW(key.get(), L"");
}

std::wstring CurrentUserInRegistry() {
  HANDLE token = nullptr;
  alignas(TOKEN_USER) BYTE user[256] = {};
  DWORD size = 0;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    (void)GetTokenInformation(token, TokenUser, user, sizeof user, &size);
    CloseHandle(token);
  }
  wchar_t* sid = nullptr;
  if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, &sid)) return L"";
  const std::unique_ptr<wchar_t, decltype(&LocalFree)> owned(sid, &LocalFree);
  return L"\\Registry\\User\\" + std::wstring(sid);
}

// ntdll's NtSetValueKey takes a counted name, so a NUL inside it is kept.
void PutExactName(tavrel::RegistryApi&, const std::wstring& path, const std::wstring& name,
                  const tavrel::RawValue& value) {
  using SetValueKey = LONG(WINAPI*)(HANDLE, UNICODE_STRING*, ULONG, ULONG, const void*, ULONG);
  const auto set = reinterpret_cast<SetValueKey>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSetValueKey")));
  const Key key = Open(HKEY_CURRENT_USER, path, KEY_SET_VALUE);
  const auto bytes = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  UNICODE_STRING text{bytes, bytes, const_cast<wchar_t*>(name.data())};
  if (set != nullptr && key)
    (void)set(key.get(), &text, 0, value.type, value.bytes.data(), static_cast<ULONG>(value.bytes.size()));
}

}  // namespace

std::vector<tavrel::test::Backend> tavrel::test::AvailableBackends() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const bool wine = ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  const auto removeTree = [](RootHandle root, const std::wstring& path) {
    RemoveTree(reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(root))), path);
  };
  return {MemoryBackend(),
          {"advapi32", [] { return std::make_unique<AdvapiRegistry>(); }, wine, removeTree, CurrentUserInRegistry(),
           PutExactName}};
}
