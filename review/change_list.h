#pragma once
// The rows of the change review dialog's list. A row keeps its fields apart,
// so a TAB inside a value name or text never shifts a field; the text shown
// in the list is built from them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "registry/registry.h"

namespace tavrel {

struct ChangeRow {
  ChangeRow(std::vector<std::wstring> fields = {}, std::uint32_t tag = 0, bool checked = false,
            std::optional<RawValue> live = {}, std::optional<RawValue> backup = {})
      : Fields(std::move(fields)),
        Tag(tag),
        Checked(checked),
        Flagged(!checked),
        Live(std::move(live)),
        Backup(std::move(backup)) {}

  std::vector<std::wstring> Fields;
  std::uint32_t Tag = 0;  // root handle of the key
  bool Checked = false;   // checked means keep
  // The scan flags a row by adding it unchecked: this stays when the user
  // ticks it.
  bool Flagged = true;
  // The values as the row shows them: keeping or undoing writes exactly
  // these, or nothing.
  std::optional<RawValue> Live, Backup;
  bool operator==(const ChangeRow&) const = default;

  // The field, or the empty text when the row has fewer fields.
  [[nodiscard]] const std::wstring& Field(std::size_t index) const noexcept;
  // Fields joined by TAB for the list's tab stops; TAB, CR and LF inside a
  // field are shown as spaces so that the columns stay in place, and a NUL
  // (a name that hides a value) as U+2400 so that it is seen.
  [[nodiscard]] std::wstring DisplayText() const;
};

// Rows in list order: appended at the end, read by index from 0, rewritten in
// place; the scan never removes one.
class ChangeList {
 public:
  [[nodiscard]] std::size_t Count() const noexcept { return rows_.size(); }
  [[nodiscard]] const ChangeRow& Row(std::size_t index) const { return rows_.at(index); }
  [[nodiscard]] ChangeRow& Row(std::size_t index) { return rows_.at(index); }
  // Appends a row and answers its index.
  std::size_t Append(ChangeRow row);
  [[nodiscard]] const std::vector<ChangeRow>& Rows() const noexcept { return rows_; }
  void Clear() noexcept { rows_.clear(); }

 private:
  std::vector<ChangeRow> rows_;
};

// What the scan needs of the review dialog: loading it hidden (a loaded
// dialog stays as it is, rows included) and the rows of its list. The
// reference stays valid until the dialog is unloaded.
class ChangeListHost {
 public:
  virtual ~ChangeListHost() = default;
  virtual ChangeList& LoadHidden() = 0;
};

// The dialog's list together with the dialog's loaded state, as a plain
// object: the dialog window adds its behaviour on top (its load step runs when
// Load answers true). Rows live while the dialog is loaded and die when it is
// unloaded. Used directly as the host where no window exists (tests, benches).
class ReviewList final : public ChangeListHost {
 public:
  // Marks the dialog loaded; true only when it was not loaded before.
  [[nodiscard]] bool Load() noexcept;
  // Discards the rows; the next Load starts from an empty list.
  void Unload() noexcept;
  [[nodiscard]] bool IsLoaded() const noexcept { return loaded_; }
  // The list; empty while the dialog is not loaded.
  [[nodiscard]] ChangeList& List() noexcept { return list_; }
  [[nodiscard]] const ChangeList& List() const noexcept { return list_; }

  ChangeList& LoadHidden() override;

 private:
  ChangeList list_;
  bool loaded_ = false;
};

}  // namespace tavrel
