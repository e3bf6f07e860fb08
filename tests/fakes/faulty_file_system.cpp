#include "tests/fakes/faulty_file_system.h"

#include <algorithm>

namespace tavrel {

int FaultyFileSystem::CallCount(FileOp op) const {
  return static_cast<int>(std::count_if(calls_.begin(), calls_.end(), [op](const Call& c) { return c.op == op; }));
}

bool FaultyFileSystem::Record(FileOp op, const std::wstring& path) const {
  const int number = CallCount(op);
  calls_.push_back({op, path});
  if (failAlways_.count(op) != 0) return true;
  const auto planned = failCalls_.find(op);
  return planned != failCalls_.end() && planned->second.count(number) != 0;
}

std::optional<std::uint64_t> FaultyFileSystem::FileLength(const std::wstring& path) const {
  if (Record(FileOp::FileLength, path)) return std::nullopt;
  return real_.FileLength(path);
}

std::optional<std::string> FaultyFileSystem::ReadAll(const std::wstring& path) const {
  if (Record(FileOp::ReadAll, path)) return std::nullopt;
  return real_.ReadAll(path);
}

bool FaultyFileSystem::WriteAndFlush(const std::wstring& path, const std::string& bytes) {
  if (Record(FileOp::WriteAndFlush, path)) {
    static_cast<void>(real_.WriteAndFlush(path, bytes.substr(0, bytes.size() / 2)));
    return false;
  }
  return real_.WriteAndFlush(path, bytes);
}

bool FaultyFileSystem::ReplaceWith(const std::wstring& from, const std::wstring& to) {
  if (Record(FileOp::ReplaceWith, from)) return false;
  return real_.ReplaceWith(from, to);
}

void FaultyFileSystem::Remove(const std::wstring& path) {
  if (!Record(FileOp::Remove, path)) real_.Remove(path);
}

std::optional<std::uint64_t> FaultyFileSystem::MemoryFiles::FileLength(const std::wstring& path) const {
  const auto found = contents.find(path);
  return found == contents.end() ? std::nullopt : std::optional<std::uint64_t>(found->second.size());
}

std::optional<std::string> FaultyFileSystem::MemoryFiles::ReadAll(const std::wstring& path) const {
  const auto found = contents.find(path);
  return found == contents.end() ? std::nullopt : std::optional<std::string>(found->second);
}

bool FaultyFileSystem::MemoryFiles::ReplaceWith(const std::wstring& from, const std::wstring& to) {
  if (!contents.contains(from)) return false;
  contents[to] = contents[from];
  return contents.erase(from) == 1;
}

}  // namespace tavrel
