// The Windows build's registry for the scan tests: advapi32 itself (run under
// Wine, in the build folder's own prefix).
#include "registry/win32/advapi_registry.h"
#include "tests/scan/scan_world.h"

namespace tavrel::test {

std::unique_ptr<RegistryApi> MakeTestRegistryApi() { return std::make_unique<AdvapiRegistry>(); }

}  // namespace tavrel::test
