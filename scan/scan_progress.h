#pragma once
// How a scan reports its progress: the scan window's progress bar implements
// this. ScanWatchList calls SetMaximum(LastWatchIndex) once, then
// SetPosition(i) before it handles entry i, so the bar reaches the maximum
// only while the last entry is handled. Both are called on the GUI thread and
// must not pump messages.
namespace tavrel {

class ScanProgress {
 public:
  virtual ~ScanProgress() = default;
  virtual void SetMaximum(int maximum) = 0;
  virtual void SetPosition(int position) = 0;
};

// For scans that show no progress.
class NoScanProgress final : public ScanProgress {
 public:
  void SetMaximum(int) override {}
  void SetPosition(int) override {}
};

}  // namespace tavrel
