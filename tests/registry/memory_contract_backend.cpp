#include "registry/memory/memory_registry.h"
#include "tests/registry/contract_backend.h"

namespace tavrel::test {
namespace {

class MemoryBackend final : public ContractBackend {
 public:
  RegistryApi& Api() override { return registry_; }
  ValueOrder Order() const override { return ValueOrder::kCreation; }
  // Every test gets a fresh registry, so there is never anything to remove.
  void RemoveTree(RootHandle, const std::wstring&) override {}

 private:
  MemoryRegistry registry_;
};

}  // namespace

BackendFactory MemoryBackendFactory() {
  return {"memory", [] { return std::make_unique<MemoryBackend>(); }};
}

}  // namespace tavrel::test
