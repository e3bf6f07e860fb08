#include "scan/value_name_index.h"

#include <bit>

#include "platform/text.h"

namespace tavrel {
namespace {

std::size_t FoldedHash(std::wstring_view name) noexcept {
  std::size_t hash = 14695981039346656037ull;  // FNV-1a over the folded characters
  for (const wchar_t c : name) {
    hash ^= static_cast<std::size_t>(FoldCase(c));
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace

ValueNameIndex::ValueNameIndex(const ValueTable& table)
    : table_(table),
      slots_(std::bit_ceil(table.size() * 2 + 1), kNone),
      hashes_(table.size(), 0),
      nextRow_(table.size(), kNone),
      lastRow_(table.size(), kNone),
      usedUp_(table.size(), false) {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t row = 0; row < table.size(); ++row) {
    const std::wstring& name = table[row].name;
    const std::size_t hash = hashes_[row] = FoldedHash(name);
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
      const std::size_t first = slots_[slot];
      if (first == kNone) {
        slots_[slot] = lastRow_[row] = row;
        break;
      }
      if (hashes_[first] == hash && EqualsNoCase(table[first].name, name)) {
        nextRow_[lastRow_[first]] = row;
        lastRow_[first] = row;
        break;
      }
    }
  }
}

std::size_t ValueNameIndex::FindFirstRow(std::wstring_view name, std::size_t hash) const noexcept {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const std::size_t first = slots_[slot];
    if (first == kNone) return kNone;
    if (hashes_[first] == hash && EqualsNoCase(table_[first].name, name)) return first;
  }
}

std::size_t ValueNameIndex::TakeRows(std::wstring_view name) noexcept {
  const std::size_t first = FindFirstRow(name, FoldedHash(name));
  // A name's rows are used up together, so its first row tells for all.
  if (first == kNone || usedUp_[first]) return kNone;
  for (std::size_t row = first; row != kNone; row = nextRow_[row]) usedUp_[row] = true;
  return first;
}

}  // namespace tavrel
