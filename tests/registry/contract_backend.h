#pragma once
// The backends the registry contract suite runs against in this build: the
// in-memory registry everywhere, and advapi32 in the Windows build.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "registry/registry_api.h"

namespace tavrel::test {

// The order in which a backend lists a key's values.
enum class ValueOrder {
  kCreation,          // Windows, and the in-memory registry
  kSortedIgnoringCase // Wine
};

class ContractBackend {
 public:
  virtual ~ContractBackend() = default;
  [[nodiscard]] virtual RegistryApi& Api() = 0;
  [[nodiscard]] virtual ValueOrder Order() const = 0;
  // Removes a key with everything below it (test setup and clean-up only).
  virtual void RemoveTree(RootHandle root, const std::wstring& path) = 0;
};

struct BackendFactory {
  std::string name;
  std::function<std::unique_ptr<ContractBackend>()> make;
};

[[nodiscard]] BackendFactory MemoryBackendFactory();
// Defined once per build: the native build has the memory backend only.
[[nodiscard]] std::vector<BackendFactory> AvailableBackends();

}  // namespace tavrel::test
