#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/fuzz_targets.h"

namespace tavrel::fuzz {

void FuzzCheck(bool holds, const char* rule) {
  if (holds) return;
  std::fprintf(stderr, "fuzz rule broken: %s\n", rule);
  std::abort();
}

}  // namespace tavrel::fuzz
