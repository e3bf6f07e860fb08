#pragma once
// Passes every call to a file system (a real one, or files in memory when made
// without one), except the calls a test marks to fail. A failing WriteAndFlush
// first writes half of the bytes, as a disk that fills up would; a failing
// Remove removes nothing. Every call is recorded.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"
#include "tests/fakes/memory_files.h"

namespace tavrel {

enum class FileOp { FileLength, ReadAll, WriteAndFlush, ReplaceWith, Remove };

class FaultyFileSystem final : public FileSystem {
 public:
  struct Call {
    FileOp op;
    std::wstring path;
  };

  FaultyFileSystem() : real_(memory_) {}
  explicit FaultyFileSystem(FileSystem& real) : real_(real) {}
  FaultyFileSystem(const FaultyFileSystem&) = delete;
  FaultyFileSystem& operator=(const FaultyFileSystem&) = delete;

  // Every call of op fails from now on.
  void FailAlways(FileOp op) { failAlways_.insert(op); }
  // Only the call of op with this 0-based number (counted from the start) fails.
  void FailCall(FileOp op, int number) { failCalls_[op].insert(number); }
  void Heal() { failAlways_.clear(), failCalls_.clear(); }
  [[nodiscard]] int CallCount(FileOp op) const;
  [[nodiscard]] const std::vector<Call>& Calls() const { return calls_; }
  // The files in memory, by path.
  [[nodiscard]] std::map<std::wstring, std::string>& Contents() { return memory_.contents; }

  [[nodiscard]] std::optional<std::uint64_t> FileLength(const std::wstring& path) const override;
  [[nodiscard]] std::optional<std::string> ReadAll(const std::wstring& path) const override;
  [[nodiscard]] bool WriteAndFlush(const std::wstring& path, const std::string& bytes) override;
  [[nodiscard]] bool ReplaceWith(const std::wstring& from, const std::wstring& to) override;
  void Remove(const std::wstring& path) override;

 private:
  // Records the call and tells whether it is to fail.
  bool Record(FileOp op, const std::wstring& path) const;

  MemoryFiles memory_;
  FileSystem& real_;
  std::set<FileOp> failAlways_;
  std::map<FileOp, std::set<int>> failCalls_;
  mutable std::vector<Call> calls_;
};

}  // namespace tavrel
