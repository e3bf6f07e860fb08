#pragma once
// What the scan window and the review dialog share. One object per process,
// owned by the program context; it lives here, below both windows, so that the
// dialog needs nothing of the scan window.
#include <cstdint>

namespace tavrel {

struct SharedState {
  // The review dialog's OK action applies rows only when this is exactly 1.
  std::int16_t AutoRepair = 0;
  // Silent-mode flag: no alert sound when 0, no dialog shown when 1.
  std::int16_t tavrelsilent = 0;
  // Seconds left before the review dialog's OK action runs by itself.
  std::int16_t dtimer = 0;
};

}  // namespace tavrel
