#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "platform/posix/native_path.h"

namespace tavrel {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

class UniqueDescriptor {
 public:
  explicit UniqueDescriptor(int fd) noexcept : fd_(fd) {}
  ~UniqueDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  UniqueDescriptor(const UniqueDescriptor&) = delete;
  UniqueDescriptor& operator=(const UniqueDescriptor&) = delete;
  [[nodiscard]] int Get() const noexcept { return fd_; }

 private:
  int fd_;
};

// The folder part of a native path, for syncing the rename.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::optional<std::uint64_t> PosixFileSystem::FileLength(const std::wstring& path) const {
  struct stat info {};
  // Only a regular file has a length here: a folder of that name is not a file.
  if (::stat(ToNativePath(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

std::optional<std::string> PosixFileSystem::ReadAll(const std::wstring& path) const {
  const std::string native = ToNativePath(path);
  struct stat info {};
  if (::stat(native.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  const UniqueFile file(std::fopen(native.c_str(), "rb"));
  if (!file) return std::nullopt;
  std::string content;
  content.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[64 * 1024];
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    content.append(buffer, got);
    if (got < sizeof buffer) break;
  }
  if (std::ferror(file.get())) return std::nullopt;
  return content;
}

bool PosixFileSystem::WriteNew(const std::wstring& path, const std::string& bytes) {
  // O_EXCL with O_CREAT fails on any name already there, a dangling link
  // included; O_NOFOLLOW says the same for a link in so many words.
  const std::string native = ToNativePath(path);
  const UniqueDescriptor file(::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
  if (file.Get() < 0) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(file.Get(), bytes.data() + done, bytes.size() - done);
    if (written <= 0) break;
    done += static_cast<std::size_t>(written);
  }
  if (done == bytes.size() && ::fsync(file.Get()) == 0) return true;
  ::unlink(native.c_str());  // ours: made just now
  return false;
}

bool PosixFileSystem::ReplaceWith(const std::wstring& from, const std::wstring& to) {
  const std::string target = ToNativePath(to);
  if (std::rename(ToNativePath(from).c_str(), target.c_str()) != 0) return false;
  // Makes the rename itself durable; the replace has happened either way.
  const UniqueDescriptor folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY));
  if (folder.Get() >= 0) ::fsync(folder.Get());
  return true;
}

bool PosixFileSystem::Append(const std::wstring& path, const std::string& bytes) {
  // O_APPEND puts every write at the end, whoever else writes there.
  const UniqueDescriptor file(
      ::open(ToNativePath(path).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0666));
  if (file.Get() < 0) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(file.Get(), bytes.data() + done, bytes.size() - done);
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return ::fsync(file.Get()) == 0;
}

bool PosixFileSystem::MakeFolder(const std::wstring& path) {
  const std::string native = ToNativePath(path);
  struct stat info {};
  return ::mkdir(native.c_str(), 0777) == 0 || (::stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
}

void PosixFileSystem::Remove(const std::wstring& path) { ::unlink(ToNativePath(path).c_str()); }

std::optional<std::uint64_t> PosixFileSystem::RandomBits() {
  const UniqueDescriptor source(::open("/dev/urandom", O_RDONLY | O_CLOEXEC));
  std::uint64_t bits = 0;
  if (source.Get() < 0 || ::read(source.Get(), &bits, sizeof bits) != static_cast<ssize_t>(sizeof bits)) {
    return std::nullopt;
  }
  return bits;
}

}  // namespace tavrel
