#include "platform/posix/posix_process.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

#include "platform/posix/native_path.h"

namespace tavrel {
namespace {

class FlockGuard final : public InstanceGuard {
 public:
  explicit FlockGuard(int fd) noexcept : fd_(fd) {}
  ~FlockGuard() override { ::close(fd_); }  // closing releases the lock
  FlockGuard(const FlockGuard&) = delete;
  FlockGuard& operator=(const FlockGuard&) = delete;

 private:
  int fd_;
};

std::string RuntimeFolder() {
  for (const char* variable : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
    const char* folder = std::getenv(variable);
    if (folder != nullptr && *folder != '\0') return folder;
  }
  return "/tmp";
}

}  // namespace

PosixProcess::PosixProcess(int argc, const char* const* argv) {
  std::string joined;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) joined += ' ';
    joined += argv[i];
  }
  argumentText_ = FromNativeBytes(joined);
}

std::wstring PosixProcess::ArgumentText() const { return argumentText_; }

std::wstring PosixProcess::ProgramFolder() const {
  std::string target(4096, '\0');
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", target.data(), target.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < target.size()) {
      target.resize(static_cast<std::size_t>(length));
      break;
    }
    target.resize(target.size() * 2);
  }
  const std::size_t slash = target.rfind('/');
  return slash == std::string::npos ? std::wstring() : FromNativeBytes(target.substr(0, slash));
}

// The native build is not the product: the nearest POSIX counterparts.
std::wstring PosixProcess::LocalAppDataFolder() const {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data != nullptr && *data != '\0') return FromNativeBytes(data);
  const char* home = std::getenv("HOME");
  return home != nullptr && *home != '\0' ? FromNativeBytes(std::string(home) + "/.local/share") : std::wstring();
}

std::wstring PosixProcess::ComputerName() const {
  char name[256] = {};
  return ::gethostname(name, sizeof name - 1) == 0 ? FromNativeBytes(name) : std::wstring();
}

std::wstring PosixProcess::UserId() const { return std::to_wstring(::getuid()); }

PosixInstanceLock::PosixInstanceLock(std::wstring name) : name_(std::move(name)) {}

std::unique_ptr<InstanceGuard> PosixInstanceLock::TryAcquire(std::chrono::milliseconds wait) {
  const std::string path = RuntimeFolder() + "/" + ToNativeBytes(name_) + ".lock";
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return nullptr;
  const auto deadline = std::chrono::steady_clock::now() + wait;
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      ::close(fd);
      return nullptr;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return std::make_unique<FlockGuard>(fd);
}

}  // namespace tavrel
