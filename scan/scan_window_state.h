#pragma once
// The scan window's public members that the review dialog reads and writes.
// One object per process, owned by the program context.
#include <cstdint>

namespace tavrel {

struct ScanWindowState {
  // The review dialog's OK action applies rows only when this is exactly 1.
  std::int16_t AutoRepair = 0;
  // Silent-mode flag: no alert sound when 0, no dialog shown when 1.
  std::int16_t tavrelsilent = 0;
};

}  // namespace tavrel
