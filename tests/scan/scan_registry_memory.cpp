// The native build's registry for the scan scenarios: the world's own, in memory.
#include "tests/fakes/world.h"

namespace tavrel::test {

std::unique_ptr<RegistryApi> MakeBuildRegistry() { return nullptr; }

}  // namespace tavrel::test
