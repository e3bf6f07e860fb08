#pragma once
#include <string>

#include "platform/process.h"

namespace tavrel {

// The argument text from GetCommandLineW, the folder from GetModuleFileNameW.
class Win32Process final : public Process {
 public:
  [[nodiscard]] std::wstring ArgumentText() const override;
  [[nodiscard]] std::wstring ProgramFolder() const override;
};

// A named mutex in the session's namespace ("Local\<name>"). The first process
// creates it; any later one finds it already there and gets no guard.
class Win32InstanceLock final : public InstanceLock {
 public:
  explicit Win32InstanceLock(std::wstring name);
  [[nodiscard]] std::unique_ptr<InstanceGuard> TryAcquire() override;

 private:
  std::wstring name_;
};

}  // namespace tavrel
