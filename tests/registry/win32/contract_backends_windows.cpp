#include <windows.h>

#include <sddl.h>
#include <winternl.h>

#include <memory>

#include "registry/key_handle.h"
#include "registry/win32/advapi_registry.h"
#include "tests/registry/contract_backend.h"

namespace tavrel::test {
namespace {

std::wstring CurrentUserInRegistry() {  // "\\Registry\\User\\<the user's SID>"
  HANDLE token = nullptr;
  alignas(TOKEN_USER) BYTE user[256] = {};
  DWORD size = 0;
  wchar_t* sid = nullptr;
  (void)OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
  const std::unique_ptr<void, decltype(&CloseHandle)> ownedToken(token, &CloseHandle);
  (void)GetTokenInformation(token, TokenUser, user, sizeof user, &size);
  (void)ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, &sid);
  const std::unique_ptr<wchar_t, decltype(&LocalFree)> ownedSid(sid, &LocalFree);
  return L"\\Registry\\User\\" + std::wstring(sid != nullptr ? sid : L"");
}

// ntdll's NtSetValueKey takes a counted name, so a NUL inside it is kept.
void PutExactName(RegistryApi& api, const std::wstring& path, const std::wstring& name) {
  using SetValueKey = LONG(WINAPI*)(HANDLE, UNICODE_STRING*, ULONG, ULONG, const void*, ULONG);
  const auto set = reinterpret_cast<SetValueKey>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSetValueKey")));
  KeyHandle raw = 0;
  if (set == nullptr || api.OpenKeyEx(kCurrentUser, path, 0, kKeySetValue, raw) != kRegSuccess) return;
  const ScopedKey key(api, raw);
  const auto bytes = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  UNICODE_STRING text{bytes, bytes, const_cast<wchar_t*>(name.data())};
  (void)set(reinterpret_cast<HANDLE>(raw), &text, 0, REG_SZ, nullptr, 0);
}

}  // namespace

std::vector<Backend> AvailableBackends() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const bool wine = ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  const auto removeTree = [](RootHandle root, const std::wstring& path) {
    const auto hkey = reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(root)));
    (void)RegDeleteTreeW(hkey, path.c_str());
    (void)RegDeleteKeyW(hkey, path.c_str());
  };
  return {MemoryBackend(),
          {"advapi32", [] { return std::make_unique<AdvapiRegistry>(); }, wine, removeTree, CurrentUserInRegistry(),
           PutExactName}};
}

}  // namespace tavrel::test
