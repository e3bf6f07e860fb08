#include <windows.h>

#include "registry/win32/advapi_registry.h"
#include "tests/registry/contract_backend.h"

std::vector<tavrel::test::Backend> tavrel::test::AvailableBackends() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const bool wine = ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  const auto removeTree = [](RootHandle root, const std::wstring& path) {
    const auto hkey = reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(root)));
    (void)RegDeleteTreeW(hkey, path.c_str());
    (void)RegDeleteKeyW(hkey, path.c_str());
  };
  return {MemoryBackend(), {"advapi32", [] { return std::make_unique<AdvapiRegistry>(); }, wine, removeTree}};
}
