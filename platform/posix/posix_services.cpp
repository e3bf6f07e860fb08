// The POSIX backend's clock, sound and factories.
#include <ctime>

#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_process.h"
#include "platform/system.h"

namespace tavrel {
namespace {

class PosixClock final : public Clock {
 public:
  [[nodiscard]] LocalTime Now() const override {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (::localtime_r(&now, &local) == nullptr) return {};
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
  }
  [[nodiscard]] LocalTime UtcNow() const override {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    if (::gmtime_r(&now, &utc) == nullptr) return {};
    return {utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec};
  }
};

// The native build has no sound device to speak of; the alert is silent.
class SilentSoundPlayer final : public SoundPlayer {
 public:
  void PlayAsync(const std::wstring& /*path*/) override {}
};

// The native build has no system log; the report file carries everything.
class NoEventLog final : public EventLog {
 public:
  void Record(ScanEventKind /*kind*/, const std::wstring& /*summaryJson*/) noexcept override {}
};

}  // namespace

std::unique_ptr<FileSystem> MakeSystemFileSystem() { return std::make_unique<PosixFileSystem>(); }
std::unique_ptr<Clock> MakeSystemClock() { return std::make_unique<PosixClock>(); }
std::unique_ptr<Process> MakeSystemProcess(int argc, const char* const* argv) {
  return std::make_unique<PosixProcess>(argc, argv);
}
std::unique_ptr<InstanceLock> MakeSystemInstanceLock(const std::wstring& name) {
  return std::make_unique<PosixInstanceLock>(name);
}
std::unique_ptr<SoundPlayer> MakeSystemSoundPlayer() { return std::make_unique<SilentSoundPlayer>(); }
std::unique_ptr<EventLog> MakeSystemEventLog() { return std::make_unique<NoEventLog>(); }

}  // namespace tavrel
