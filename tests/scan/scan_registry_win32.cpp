// The Windows build's registry for the scan scenarios: advapi32 itself (run
// under Wine, in the build folder's own prefix).
#include "registry/win32/advapi_registry.h"
#include "tests/fakes/world.h"

namespace tavrel::test {

std::unique_ptr<RegistryApi> MakeBuildRegistry() { return std::make_unique<AdvapiRegistry>(); }

}  // namespace tavrel::test
