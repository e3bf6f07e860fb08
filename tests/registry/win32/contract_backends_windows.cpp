#include <windows.h>

#include "registry/win32/advapi_registry.h"
#include "tests/registry/contract_backend.h"

namespace tavrel::test {
namespace {

[[nodiscard]] bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

[[nodiscard]] HKEY RootHkey(RootHandle root) {
  return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(root)));
}

class AdvapiBackend final : public ContractBackend {
 public:
  RegistryApi& Api() override { return registry_; }
  ValueOrder Order() const override {
    return RunningUnderWine() ? ValueOrder::kSortedIgnoringCase : ValueOrder::kCreation;
  }
  void RemoveTree(RootHandle root, const std::wstring& path) override {
    (void)RegDeleteTreeW(RootHkey(root), path.c_str());
    (void)RegDeleteKeyW(RootHkey(root), path.c_str());
  }

 private:
  AdvapiRegistry registry_;
};

}  // namespace

std::vector<BackendFactory> AvailableBackends() {
  return {MemoryBackendFactory(), {"advapi32", [] { return std::make_unique<AdvapiBackend>(); }}};
}

}  // namespace tavrel::test
