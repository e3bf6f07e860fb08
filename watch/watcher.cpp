#include "watch/watcher.h"

#include <algorithm>
#include <utility>

#include "platform/text.h"
#include "scan/backup_key.h"
#include "watch/backup_digest.h"

namespace tavrel {
namespace {

constexpr wchar_t kLinkKind[] = L"Link";
// The report's reason for a row the cap leaves alone.
constexpr char kTugOfWar[] = "tug-of-war";

// Root, key and name of the value a row shows, folded: the same value each time it comes back.
std::wstring ValueId(const ChangeRow& row) {
  const std::wstring& key = row.Field(row.Field(0) == L"Changed" ? 5 : 4);
  return std::to_wstring(row.Tag) + L'\n' + ToLower(key) + L'\n' + ToLower(row.Field(1));
}

// A flagged row of a value that is there: the finish undoes it unless the user keeps it.
bool UndoesPresentValue(const ChangeRow& row) {
  return !row.Checked && row.Live && row.Field(0) != kLinkKind && IsNameable(row.Field(1));
}

std::wstring BackupId(RootHandle root, const std::wstring& key) { return std::to_wstring(root) + L'\n' + ToLower(key); }

}  // namespace

Watcher::Watcher(WatcherParts parts) : parts_(parts) {
  const auto& entries = parts_.watchList.WatchEntries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const WatchEntry& entry = entries[i];
    if (entry.Root == kNoRoot) continue;
    AddTarget({entry.Root, entry.KeyPath}, false, i);
    if (entry.Label == kMonitorLabel) AddTarget({entry.Root, BackupKeyFor(entry.KeyPath)}, true, i);
  }
  parts_.services.changes.OnChange = [this](std::size_t target) { Changed(target); };
  parts_.services.changes.OnTimer = [this] { Settled(); };
  parts_.services.tray.OnCommand = [this](TrayCommand command) { Command(command); };
  parts_.report.OnScanDone = [this](const ScanTotals& totals) { ScanDone(totals); };
}

Watcher::~Watcher() {
  parts_.report.OnScanDone = nullptr;
  parts_.services.tray.OnCommand = nullptr;
  parts_.services.changes.OnTimer = nullptr;
  parts_.services.changes.OnChange = nullptr;
  parts_.services.changes.Watch({});
}

void Watcher::AddTarget(WatchTarget where, bool backup, std::size_t entry) {
  for (Target& known : targets_) {
    if (known.backup == backup && known.where.root == where.root && EqualsNoCase(known.where.keyPath, where.keyPath)) {
      known.entries.push_back(entry);
      return;
    }
  }
  targets_.push_back({std::move(where), backup, {entry}, {}});
}

void Watcher::Start() {
  parts_.services.tray.reportPath = parts_.report.Path().value_or(L"");
  parts_.services.tray.Show();
  parts_.services.tray.SetPaused(false);
  TakeBaseline();
  Arm();
  ScanAll();
}

void Watcher::Arm() {
  std::vector<WatchTarget> where;
  for (const Target& target : targets_) where.push_back(target.where);
  parts_.services.changes.Watch(where);
}

void Watcher::Command(TrayCommand command) {
  switch (command) {
    case TrayCommand::ScanNow:
      // The user looks now: values left alone are undone again, if still flagged.
      undos_.clear();
      leftAlone_.clear();
      if (!paused_ && !parts_.dialog.IsLoaded()) ScanAll();
      break;
    case TrayCommand::PauseResume:
      paused_ = !paused_;
      pending_.clear();
      parts_.services.tray.SetPaused(paused_);
      if (paused_) {
        parts_.services.changes.Watch({});
        UpdateTooltip();
      } else {
        // What changed while paused is seen by a full Compare, and a backup
        // copy changed meanwhile (Tavrel wrote none) by its digest.
        for (Target& target : targets_) {
          if (target.backup) CheckBackup(target);
        }
        Arm();
        if (!parts_.dialog.IsLoaded()) ScanAll();
      }
      break;
    case TrayCommand::Exit:
      ending_ = true;
      parts_.services.changes.Watch({});
      parts_.dialog.Unload();  // a pending decision applies nothing, as Cancel
      parts_.services.tray.Remove();
      parts_.scanWindow.EndWatch();
      break;
  }
}

void Watcher::Changed(std::size_t index) {
  if (paused_ || ending_ || index >= targets_.size()) return;
  // Checked at once: Tavrel writes a backup copy only while a decision is
  // applied, and takes the copy's new digest right after, before the
  // notification of its own write arrives; any other change is someone else's.
  if (targets_[index].backup) CheckBackup(targets_[index]);
  const bool first = pending_.empty();
  pending_.insert(index);
  // Counted from the first change, so that a steady stream of them cannot put the Compare off.
  if (first) parts_.services.changes.StartTimer(kSettleTime);
}

void Watcher::Settled() {
  // A scan whose dialog is open waits for the decision: ScanDone comes back here.
  if (paused_ || ending_ || parts_.dialog.IsLoaded()) return;
  std::set<std::size_t> entries;
  for (const std::size_t index : std::exchange(pending_, {})) {
    const Target& target = targets_[index];
    entries.insert(target.entries.begin(), target.entries.end());
  }
  if (!entries.empty()) Scan(entries);
}

void Watcher::ScanDone(const ScanTotals& totals) {
  if (ending_) return;
  lastScanTime_ = TimeStamp(parts_.clock.Now());
  lastResult_ = totals.rows == 0 ? L"nothing new"
                                 : std::to_wstring(totals.rows) + L" finding(s): " + std::to_wstring(totals.kept) +
                                       L" kept, " + std::to_wstring(totals.undone) + L" undone";
  if (totals.skipped > 0) lastResult_ += L", " + std::to_wstring(totals.skipped) + L" skipped";
  if (totals.failed > 0) lastResult_ += L", " + std::to_wstring(totals.failed) + L" FAILED";
  // The backup copies the rows named now hold what the decision wrote:
  // Tavrel's own writes are their new baseline, and the notifications of
  // those writes find nothing to compare. Other copies keep theirs.
  if (const auto written = std::exchange(written_, {}); !written.empty()) TakeBaseline(written);
  UpdateTooltip();
  if (!pending_.empty()) parts_.services.changes.StartTimer(kSettleTime);
}

void Watcher::ScanAll() {
  std::set<std::size_t> all;
  for (std::size_t i = 0; i < parts_.watchList.WatchEntries.size(); ++i) all.insert(i);
  Scan(all);
}

void Watcher::Scan(const std::set<std::size_t>& entries) {
  std::vector<WatchEntry> affected;
  for (const std::size_t i : entries) affected.push_back(parts_.watchList.WatchEntries.at(i));
  parts_.scanWindow.WatchScan(affected, [this](ChangeList& rows, std::int16_t& found) { ReviewRows(rows, found); });
}

void Watcher::ReviewRows(ChangeList& rows, std::int16_t& foundCount) {
  const auto now = parts_.services.changes.Now();
  std::vector<ChangeRow> kept;
  std::wstring undone;
  for (const ChangeRow& row : rows.Rows()) {
    if (row.Field(0) != kLinkKind) written_.insert(BackupId(row.Tag, row.Field(row.Field(0) == L"Changed" ? 4 : 3)));
    if (UndoesPresentValue(row)) {
      const std::wstring id = ValueId(row);
      auto& times = undos_[id];
      std::erase_if(times, [&](auto at) { return now - at >= kUndoWindow; });
      if (!leftAlone_.contains(id) && times.size() >= kMostUndos) {
        leftAlone_.insert(id);
        parts_.services.tray.ShowBalloon(
            BalloonKind::Warning, L"Tavrel stopped undoing " + row.Field(1),
            L"A running program keeps putting back " + row.Field(1) + L" (" + row.Field(2) +
                L"). Tavrel leaves it alone now: find and end that program, then choose Scan now.");
      }
      if (leftAlone_.contains(id)) {
        if (foundCount > 0) --foundCount;
        parts_.report.RowSkipped(row, kTugOfWar);
        continue;
      }
      times.push_back(now);
      undone += (undone.empty() ? L"" : L", ") + row.Field(1);
    }
    kept.push_back(row);
  }
  if (kept.size() != rows.Count()) {
    rows.Clear();
    for (ChangeRow& row : kept) rows.Append(std::move(row));
  }
  const std::size_t count = rows.Count();
  // All flagged: the finish applies them at once, so the user hears of it here.
  if (count > 0 && static_cast<std::size_t>(foundCount) == count && parts_.state.AutoRepair == 1 && !undone.empty())
    parts_.services.tray.ShowBalloon(BalloonKind::Info, L"Tavrel undid a change", L"Removed: " + undone);
}

void Watcher::TakeBaseline(const std::set<std::wstring>& only) {
  for (Target& target : targets_) {
    if (target.backup && (only.empty() || only.contains(BackupId(target.where.root, target.where.keyPath))))
      target.digest = DigestOfKey(parts_.registry, target.where.root, target.where.keyPath);
  }
}

void Watcher::CheckBackup(Target& target) {
  const std::wstring digest = DigestOfKey(parts_.registry, target.where.root, target.where.keyPath);
  if (digest == target.digest) return;
  target.digest = digest;
  trusted_ = false;
  const BackupDigest changed{target.where.root, target.where.keyPath, digest};
  parts_.report.Alert(kModeWatch, "baseline-untrusted", changed.root, changed.key, BaselineUntrustedJson(changed));
  // Beside the status values, for whoever reads them later: when, and which copy.
  (void)parts_.registry.WriteStringValue(kCurrentUser, kProgramKey, kBaselineAlarmValue,
                                         EntryStamp(parts_.clock) + L" " + ShortKeyName(changed.root, changed.key));
  parts_.services.tray.ShowBalloon(BalloonKind::Error, L"Tavrel's backup copy was changed",
                                   L"Another program changed " + ShortKeyName(changed.root, changed.key) +
                                       L". What Tavrel compares against can no longer be trusted: check the "
                                       L"watched key, then take a new Backup.");
  UpdateTooltip();
}

void Watcher::UpdateTooltip() {
  std::wstring text = paused_ ? L"Tavrel: paused" : L"Tavrel: watching";
  if (!trusted_) text += L" - BACKUP CHANGED BY ANOTHER PROGRAM";
  if (!lastResult_.empty()) text += L"\nLast scan " + lastScanTime_ + L": " + lastResult_;
  parts_.services.tray.SetTooltip(text);
}

}  // namespace tavrel
