#include "review/change_list.h"

#include <utility>

namespace tavrel {

const std::wstring& ChangeRow::Field(std::size_t index) const noexcept {
  static const std::wstring kEmpty;
  return index < Fields.size() ? Fields[index] : kEmpty;
}

std::wstring ChangeRow::DisplayText() const {
  std::wstring text;
  for (std::size_t i = 0; i < Fields.size(); ++i) {
    if (i != 0) text += L'\t';
    for (const wchar_t c : Fields[i]) {
      text += (c == L'\t' || c == L'\r' || c == L'\n') ? L' ' : c == L'\0' ? L'\u2400' : c;
    }
  }
  return text;
}

std::size_t ChangeList::Append(ChangeRow row) {
  rows_.push_back(std::move(row));
  return rows_.size() - 1;
}

bool ReviewList::Load() noexcept {
  if (loaded_) return false;
  loaded_ = true;
  return true;
}

void ReviewList::Unload() noexcept {
  list_.Clear();
  loaded_ = false;
}

ChangeList& ReviewList::LoadHidden() {
  (void)Load();
  return list_;
}

}  // namespace tavrel
