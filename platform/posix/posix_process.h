#pragma once
#include <string>
#include <vector>

#include "platform/process.h"

namespace tavrel {

// Arguments as main received them, joined by spaces; the folder of the
// running executable.
class PosixProcess final : public Process {
 public:
  PosixProcess(int argc, const char* const* argv);
  [[nodiscard]] std::wstring ArgumentText() const override;
  [[nodiscard]] std::wstring ProgramFolder() const override;
  [[nodiscard]] std::wstring LocalAppDataFolder() const override;
  [[nodiscard]] std::wstring ComputerName() const override;
  [[nodiscard]] std::wstring UserId() const override;

 private:
  std::wstring argumentText_;
};

// An exclusive flock on "<name>.lock" in the user's runtime folder
// ($XDG_RUNTIME_DIR, else $TMPDIR, else /tmp). The lock file stays behind:
// removing it would let a third process lock a new file while the second
// still holds the old one. Waiting polls, a few times a second.
class PosixInstanceLock final : public InstanceLock {
 public:
  explicit PosixInstanceLock(std::wstring name);
  [[nodiscard]] std::unique_ptr<InstanceGuard> TryAcquire(std::chrono::milliseconds wait) override;

 private:
  std::wstring name_;
};

}  // namespace tavrel
