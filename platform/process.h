#pragma once
#include <chrono>
#include <memory>
#include <string>
#include <string_view>

namespace tavrel {

class Process {
 public:
  virtual ~Process() = default;
  // The command line after the program name, as the platform hands it over.
  [[nodiscard]] virtual std::wstring ArgumentText() const = 0;
  // The program's own folder, without a trailing separator.
  [[nodiscard]] virtual std::wstring ProgramFolder() const = 0;
  // The user's local application-data folder (%LOCALAPPDATA%), without a
  // trailing separator; empty when the system names none.
  [[nodiscard]] virtual std::wstring LocalAppDataFolder() const = 0;
  // Who and where, for the scan report: the computer's name and the user's
  // identity (a SID string on Windows); empty when the system cannot say.
  [[nodiscard]] virtual std::wstring ComputerName() const = 0;
  [[nodiscard]] virtual std::wstring UserId() const = 0;
};

// Held for the life of the process; while one is held, another process's
// TryAcquire answers nothing. Acquiring has no other side effect.
class InstanceGuard {
 public:
  virtual ~InstanceGuard() = default;
};

// The instance is owned, not merely present: a process that only created or
// opened the name blocks nobody.
class InstanceLock {
 public:
  virtual ~InstanceLock() = default;
  // Waits up to `wait` for the holder to let go; nothing if it still holds.
  [[nodiscard]] virtual std::unique_ptr<InstanceGuard> TryAcquire(std::chrono::milliseconds wait) = 0;
};

// The argument text of a Windows command line: what follows the program name
// and the spaces or TABs after it. The program name ends at the first space or
// TAB outside double quotes, and its quotes are not escapes, as the C runtime
// takes argv[0] apart.
[[nodiscard]] std::wstring_view ArgumentsAfterProgramName(std::wstring_view commandLine) noexcept;

}  // namespace tavrel
