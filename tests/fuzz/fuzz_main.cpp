// libFuzzer's entry for the target this program is built for.
#include "tests/fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tavrel::fuzz::TAVREL_FUZZ_TARGET(data, size);
  return 0;
}
