// libFuzzer's entry for one target, chosen when the program is built.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tavrel::fuzz::TAVREL_FUZZ_TARGET(data, size);
  return 0;
}
