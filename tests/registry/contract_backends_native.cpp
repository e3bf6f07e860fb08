#include "tests/registry/contract_backend.h"

namespace tavrel::test {

std::vector<BackendFactory> AvailableBackends() { return {MemoryBackendFactory()}; }

}  // namespace tavrel::test
