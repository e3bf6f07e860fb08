#pragma once
// The backends the registry contract suite runs against in this build: the
// in-memory registry everywhere, and advapi32 in the Windows build.
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "registry/memory/memory_registry.h"

namespace tavrel::test {

struct Backend {
  std::string name;
  std::function<std::unique_ptr<RegistryApi>()> make;
  bool sortsIgnoringCase = false;  // Wine lists values so; Windows and the in-memory registry in creation order
  // Removes a key with everything below it; a fresh in-memory registry has nothing to remove.
  std::function<void(RootHandle, const std::wstring&)> removeTree = [](RootHandle, const std::wstring&) {};
  std::wstring currentUser = L"\\Registry\\User\\S-1-5-21-0-0-0-1000";  // HKEY_CURRENT_USER as a link names it
  // Stores an empty REG_SZ under exactly this name, NUL included; advapi32 only (the in-memory registry's PutValue
  // can).
  std::function<void(RegistryApi&, const std::wstring& path, const std::wstring& valueName)> putExactName = nullptr;
};

inline void PrintTo(const Backend& backend, std::ostream* out) { *out << backend.name; }
inline Backend MemoryBackend() {
  return {"memory", [] { return std::make_unique<MemoryRegistry>(); }};
}
std::vector<Backend> AvailableBackends();  // defined once per build

}  // namespace tavrel::test
