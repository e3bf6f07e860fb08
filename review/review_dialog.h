#pragma once
// frmMessage, the change review dialog: lists the scan's findings with check
// marks, counts down from 30 and applies the user's choices row by row.
// Plain logic over the toolkit seam.
#include <cstdint>
#include <memory>

#include "registry/registry.h"
#include "review/change_list.h"
#include "review/review_outcome.h"
#include "review/shared_state.h"
#include "ui/toolkit.h"
#include "watchlist/user_watch_list.h"

namespace tavrel {

inline constexpr wchar_t kReviewDialogTitle[] = L"Brix Tavrel:  Registry Question";
inline constexpr wchar_t kProgramKey[] = L"Software\\Brix Computers\\Tavrel";
inline constexpr std::int16_t kCountDownSeconds = 30;

class ReviewDialog final : public ChangeListHost {
 public:
  // outcomes (may be null) hears what became of the rows each time the dialog unloads.
  ReviewDialog(Toolkit& toolkit, Registry& registry, UserWatchListWriter& userWatchList, SharedState& state,
               ReviewOutcomeSink* outcomes = nullptr) noexcept;

  // Loads the dialog hidden on first use (running its load step) and answers
  // its rows; a loaded dialog stays as it is.
  ChangeList& LoadHidden() override;
  // Unloads without applying anything.
  void Unload() { Close({}, Decision::None); }
  [[nodiscard]] bool IsLoaded() const noexcept { return rows_.IsLoaded(); }

  // What the scan finish does with a loaded dialog.
  void EnableTimer();
  void Show();
  // The OK action: "Silent Mode", then the rows when AutoRepair is 1, then
  // unload; decision says what ran it.
  void BrixButton1_Click(Decision decision = Decision::User);

 private:
  void Form_Load();
  void BrixButton1_MouseDown();
  void BrixButton2_Click();
  void Check1_Click();
  void List1_Click();
  void List1_CheckChanged(std::size_t index, bool checked);
  void Timer1_Timer();
  [[nodiscard]] RowResult ApplyRow(const ChangeRow& row);
  // Tells outcomes what became of the rows (results short of a row count as
  // Shown), then unloads.
  void Close(std::vector<RowResult> results, Decision decision);

  Toolkit& toolkit_;
  Registry& registry_;
  UserWatchListWriter& userWatchList_;
  SharedState& state_;
  ReviewOutcomeSink* outcomes_;

  ReviewList rows_;
  // Kept after unloading: a handler may unload the form it runs in.
  std::unique_ptr<Form> form_;
  ButtonControl* ok_ = nullptr;
  CheckedListControl* list_ = nullptr;
  CheckBoxControl* check_ = nullptr;
  TimerControl* timer_ = nullptr;
};

}  // namespace tavrel
