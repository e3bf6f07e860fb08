#include "tests/fakes/faulty_file_system.h"

#include <algorithm>

namespace tavrel {

int FaultyFileSystem::CallCount(FileOp op) const {
  return static_cast<int>(std::ranges::count_if(calls_, [op](const Call& c) { return c.op == op; }));
}

bool FaultyFileSystem::Record(FileOp op, const std::wstring& path) const {
  const int number = CallCount(op);
  calls_.push_back({op, path});
  return failAlways_.contains(op) || (failCalls_.contains(op) && failCalls_.at(op).contains(number));
}

std::optional<std::uint64_t> FaultyFileSystem::FileLength(const std::wstring& path) const {
  return Record(FileOp::FileLength, path) ? std::nullopt : real_.FileLength(path);
}

std::optional<std::string> FaultyFileSystem::ReadAll(const std::wstring& path) const {
  return Record(FileOp::ReadAll, path) ? std::nullopt : real_.ReadAll(path);
}

bool FaultyFileSystem::WriteAndFlush(const std::wstring& path, const std::string& bytes) {
  if (!Record(FileOp::WriteAndFlush, path)) return real_.WriteAndFlush(path, bytes);
  static_cast<void>(real_.WriteAndFlush(path, bytes.substr(0, bytes.size() / 2)));
  return false;
}

bool FaultyFileSystem::ReplaceWith(const std::wstring& from, const std::wstring& to) {
  return !Record(FileOp::ReplaceWith, from) && real_.ReplaceWith(from, to);
}

void FaultyFileSystem::Remove(const std::wstring& path) {
  if (!Record(FileOp::Remove, path)) real_.Remove(path);
}

}  // namespace tavrel
