#pragma once
#include <memory>
#include <string>

namespace tavrel {

class Process {
 public:
  virtual ~Process() = default;
  // The command line after the program name, as the platform hands it over.
  [[nodiscard]] virtual std::wstring ArgumentText() const = 0;
  // The program's own folder, without a trailing separator.
  [[nodiscard]] virtual std::wstring ProgramFolder() const = 0;
};

// Held for the life of the process; while one is held, another process's
// TryAcquire answers nothing. Acquiring has no other side effect.
class InstanceGuard {
 public:
  virtual ~InstanceGuard() = default;
};

class InstanceLock {
 public:
  virtual ~InstanceLock() = default;
  [[nodiscard]] virtual std::unique_ptr<InstanceGuard> TryAcquire() = 0;
};

}  // namespace tavrel
