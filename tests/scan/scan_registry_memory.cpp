// The native build's registry for the scan tests: a fresh in-memory one.
#include "registry/memory/memory_registry.h"
#include "tests/scan/scan_world.h"

namespace tavrel::test {

std::unique_ptr<RegistryApi> MakeTestRegistryApi() { return std::make_unique<MemoryRegistry>(); }

}  // namespace tavrel::test
