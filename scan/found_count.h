#pragma once
// FoundCount is a 16-bit count. It saturates at its maximum rather than
// wrapping: a wrapped count could read as "nothing flagged" or come to equal
// the number of rows by accident, and the scan finish would then apply rows
// without showing them to the user.
#include <cstdint>
#include <limits>

namespace tavrel {

inline void CountFinding(std::int16_t& foundCount) noexcept {
  if (foundCount < std::numeric_limits<std::int16_t>::max()) ++foundCount;
}

}  // namespace tavrel
