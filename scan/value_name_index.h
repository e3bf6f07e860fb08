#pragma once
// The rows of a value table by name, ignoring letter case as the registry
// does, for Compare: a live value finds its backup rows in one look-up, so a
// key's comparison costs time in proportion to its number of values.
#include <cstddef>
#include <string_view>
#include <vector>

#include "registry/registry.h"

namespace tavrel {

class ValueNameIndex {
 public:
  // Indexes every row of the table (an empty name is the unnamed value's),
  // which must outlive the index.
  explicit ValueNameIndex(const ValueTable& table);

  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // Uses up every row whose name equals name ignoring case and answers the
  // first of them, or kNone when there is none left; NextRow gives the
  // others in table order. A registry holds each name once, so a name has
  // several rows only in odd cases.
  [[nodiscard]] std::size_t TakeRows(std::wstring_view name) noexcept;
  [[nodiscard]] std::size_t NextRow(std::size_t row) const noexcept { return nextRow_[row]; }
  [[nodiscard]] bool IsUsedUp(std::size_t row) const noexcept { return usedUp_[row]; }

 private:
  [[nodiscard]] std::size_t FindFirstRow(std::wstring_view name, std::size_t hash) const noexcept;

  const ValueTable& table_;
  std::vector<std::size_t> slots_;    // open addressing: the first row of a name, or kNone
  std::vector<std::size_t> hashes_;   // per row
  std::vector<std::size_t> nextRow_;  // per row: the next row of the same name, or kNone
  std::vector<std::size_t> lastRow_;  // per first row: the last row of its name
  std::vector<bool> usedUp_;
};

}  // namespace tavrel
