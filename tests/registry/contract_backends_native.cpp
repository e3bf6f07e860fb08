#include "tests/registry/contract_backend.h"

std::vector<tavrel::test::Backend> tavrel::test::AvailableBackends() { return {MemoryBackend()}; }
