#pragma once
#include <string>

#include "platform/process.h"

namespace tavrel {

// The argument text from GetCommandLineW, the folder from GetModuleFileNameW.
class Win32Process final : public Process {
 public:
  [[nodiscard]] std::wstring ArgumentText() const override;
  [[nodiscard]] std::wstring ProgramFolder() const override;
  [[nodiscard]] std::wstring LocalAppDataFolder() const override;
  [[nodiscard]] std::wstring ComputerName() const override;
  [[nodiscard]] std::wstring UserId() const override;
};

// Owning a named mutex in the session's namespace ("Local\<name>"). A name
// held by another kind of object counts as held.
class Win32InstanceLock final : public InstanceLock {
 public:
  explicit Win32InstanceLock(std::wstring name);
  [[nodiscard]] std::unique_ptr<InstanceGuard> TryAcquire(std::chrono::milliseconds wait) override;

 private:
  std::wstring name_;
};

}  // namespace tavrel
