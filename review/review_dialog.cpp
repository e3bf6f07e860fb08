#include "review/review_dialog.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/text.h"

namespace tavrel {
namespace {

constexpr wchar_t kLabelText[] =
    L"Changes have been made to the Registry and are outlined below.  Indicate which changes you want to keep by "
    L"adding a check to the boxes below:";
constexpr wchar_t kCheckCaption[] = L"Automatically accept changes in the future.";
constexpr wchar_t kSilentModeValue[] = L"Silent Mode";
constexpr std::uint32_t kButtonBackColor = 0x00F7E0BB;

GradientButtonSpec DialogButton(int left, const wchar_t* caption) {
  return {.button = {.rect = {left, 3720, 1455, 375}, .font = kArial825Bold, .caption = caption},
          .backColor = kButtonBackColor,
          .borderStyle = 1,
          .textAlign = 2};
}

// Fields each kind of row needs. A shorter row (the scan never makes one)
// is skipped whole: a missing key path would otherwise aim the call at the
// root key itself.
constexpr std::size_t kFieldsOfChangedRow = 6;
constexpr std::size_t kFieldsOfOtherRows = 5;

}  // namespace

ReviewDialog::ReviewDialog(Toolkit& toolkit, Registry& registry, UserWatchListWriter& userWatchList, SharedState& state,
                           ReviewOutcomeSink* outcomes) noexcept
    : toolkit_(toolkit), registry_(registry), userWatchList_(userWatchList), state_(state), outcomes_(outcomes) {}

ChangeList& ReviewDialog::LoadHidden() {
  if (rows_.Load()) Form_Load();
  return rows_.List();
}

void ReviewDialog::Form_Load() {
  form_ = toolkit_.CreateForm({.caption = kReviewDialogTitle, .clientWidth = 6645, .clientHeight = 4260});
  Form& form = *form_;
  form.AddDecoration({120, 120, 1575, 735}, Decoration::LogoBackdrop);  // Shape1
  form.AddDecoration({240, 120, 1305, 705}, Decoration::Logo);          // Image3
  // Created in tab order: OK, Label1, Cancel, List1, Check1.
  ButtonControl& ok = form.AddGradientButton(DialogButton(1800, L"OK"));
  form.AddLabel({1920, 120, 4575, 735}, kArial975, kLabelText);
  ButtonControl& cancel = form.AddGradientButton(DialogButton(3480, L"Cancel"));
  CheckedListControl& list = form.AddCheckedList({120, 960, 6375, 2280}, kArial825);
  CheckBoxControl& check = form.AddCheckBox({1560, 3360, 3495, 255}, kArial825, kCheckCaption);
  TimerControl& timer = form.AddTimer(1000);

  ok.OnClick = [this] { BrixButton1_Click(Decision::User); };
  ok.OnMouseDown = [this] { BrixButton1_MouseDown(); };
  cancel.OnClick = [this] { BrixButton2_Click(); };
  list.OnClick = [this] { List1_Click(); };
  list.OnCheckChanged = [this](std::size_t index, bool checked) { List1_CheckChanged(index, checked); };
  check.OnClick = [this] { Check1_Click(); };
  timer.OnTick = [this] { Timer1_Timer(); };
  // No handler of its own: closing from the frame applies nothing, like Cancel.
  form.OnFrameClose = [this] { Unload(); };
  ok_ = &ok;
  list_ = &list;
  check_ = &check;
  timer_ = &timer;

  state_.dtimer = kCountDownSeconds;
  list.SetTabStops({});
  list.SetTabStops({50, 125, 325});
  list.Redraw();
}

void ReviewDialog::Close(std::vector<RowResult> results, Decision decision) {
  if (!IsLoaded()) return;
  if (outcomes_) {
    results.resize(rows_.List().Count(), RowResult::Shown);
    outcomes_->RowsDone(rows_.List().Rows(), results, decision);
  }
  form_->Unload();
  rows_.Unload();
}

void ReviewDialog::EnableTimer() {
  if (IsLoaded()) timer_->SetEnabled(true);
}

void ReviewDialog::Show() {
  if (!IsLoaded()) return;
  // The scan has filled the rows while the dialog was hidden; the list shows
  // them from here on, and the user's ticks come back through OnCheckChanged.
  list_->Clear();
  for (const ChangeRow& row : rows_.List().Rows()) {
    list_->AddRow({.text = row.DisplayText(), .tag = row.Tag, .checked = row.Checked});
  }
  form_->Show();
}

void ReviewDialog::BrixButton1_Click(Decision decision) {
  if (!IsLoaded()) return;
  // Not a row's outcome: a user without administrator rights never has it
  // written, and nothing reads it back.
  (void)registry_.WriteStringValue(kLocalMachine, kProgramKey, kSilentModeValue, std::to_wstring(state_.tavrelsilent));
  std::vector<RowResult> results;
  if (state_.AutoRepair == 1) {
    const ChangeList& list = rows_.List();
    const std::size_t count = list.Count();
    // A key's rows come together, so its keys are opened once for all of them.
    const Registry::KeepKeysOpen keep(registry_);
    for (std::size_t i = 0; i < count; ++i) results.push_back(ApplyRow(list.Row(i)));
  }
  Close(std::move(results), decision);
}

RowResult ReviewDialog::ApplyRow(const ChangeRow& row) {
  const std::wstring kind = ToLower(row.Field(0));
  const RootHandle root = row.Tag;
  const std::wstring& name = row.Field(1);
  const bool changed = kind == L"changed";
  // A name the registry's calls would cut at its NUL reaches another value:
  // such a row is only ever shown.
  if (row.Fields.size() < (changed ? kFieldsOfChangedRow : kFieldsOfOtherRows) || !IsNameable(name)) {
    return RowResult::Shown;
  }
  const std::wstring& backupKey = row.Field(changed ? 4 : 3);
  const std::wstring& keyPath = row.Field(changed ? 5 : 4);

  // Writes the value as the row showed it, or nothing when it showed none.
  auto writeSeen = [&](const std::wstring& key, const std::optional<RawValue>& seen) {
    return !seen || registry_.WriteCopy(root, key, name, *seen);
  };
  auto kept = [](bool written) { return written ? RowResult::Kept : RowResult::Failed; };
  auto undone = [](bool written) { return written ? RowResult::Undone : RowResult::Failed; };
  // An undo acts only on the value the row showed: one changed since it was
  // shown is left as it is, for the next scan to report.
  auto liveIs = [&](const std::optional<RawValue>& seen) {
    return registry_.ReadRawValue(root, keyPath, name) == seen;
  };

  if (kind == L"created") {
    if (row.Checked) return kept(writeSeen(backupKey, row.Live));
    // Deleted only once its removal is on disk: otherwise it comes back unflagged.
    if (!userWatchList_.AppendUserWatchEntry(root, keyPath, name)) return RowResult::Failed;
    return liveIs(row.Live) ? undone(registry_.DeleteValue(root, keyPath, name)) : RowResult::Skipped;
  }
  if (changed) {
    if (row.Checked) return kept(writeSeen(backupKey, row.Live));
    return liveIs(row.Live) ? undone(writeSeen(keyPath, row.Backup)) : RowResult::Skipped;
  }
  if (kind == L"deleted") {
    if (row.Checked) return kept(registry_.DeleteValue(root, backupKey, name));
    return liveIs(std::nullopt) ? undone(writeSeen(keyPath, row.Backup)) : RowResult::Skipped;
  }
  // A value-entry row always shows its value; a row without one (a link met
  // on the way) is only ever shown.
  if (!row.Live) return RowResult::Shown;
  if (row.Checked) {
    userWatchList_.RemoveUserWatchEntry(keyPath, name);
    return RowResult::Kept;
  }
  return liveIs(row.Live) ? undone(registry_.DeleteValue(root, keyPath, name)) : RowResult::Skipped;
}

void ReviewDialog::BrixButton1_MouseDown() { state_.AutoRepair = 1; }

void ReviewDialog::BrixButton2_Click() { Unload(); }

void ReviewDialog::Check1_Click() { state_.tavrelsilent = check_->IsChecked() ? 1 : 0; }

void ReviewDialog::List1_Click() { state_.dtimer = kCountDownSeconds; }

void ReviewDialog::List1_CheckChanged(std::size_t index, bool checked) {
  if (index < rows_.List().Count()) rows_.List().Row(index).Checked = checked;
}

void ReviewDialog::Timer1_Timer() {
  state_.dtimer = static_cast<std::int16_t>(state_.dtimer - 1);
  ok_->SetCaption(L"OK [" + std::to_wstring(state_.dtimer) + L"]");
  if (state_.dtimer <= 0) BrixButton1_Click(Decision::Countdown);
}

}  // namespace tavrel
