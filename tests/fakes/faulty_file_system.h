#pragma once
// Passes every call to a real file system, except the calls a test marks to
// fail. A failing WriteAndFlush first writes half of the bytes, as a disk that
// fills up would; a failing Remove removes nothing. Every call is recorded.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"

namespace tavrel {

enum class FileOp { FileLength, ReadAll, WriteAndFlush, ReplaceWith, Remove };

class FaultyFileSystem final : public FileSystem {
 public:
  struct Call {
    FileOp op;
    std::wstring path;
  };

  explicit FaultyFileSystem(FileSystem& real) : real_(real) {}

  // Every call of op fails from now on.
  void FailAlways(FileOp op) { failAlways_.insert(op); }
  // Only the call of op with this 0-based number (counted from the start) fails.
  void FailCall(FileOp op, int number) { failCalls_[op].insert(number); }
  void Heal() {
    failAlways_.clear();
    failCalls_.clear();
  }
  [[nodiscard]] int CallCount(FileOp op) const;
  [[nodiscard]] const std::vector<Call>& Calls() const { return calls_; }

  [[nodiscard]] std::optional<std::uint64_t> FileLength(const std::wstring& path) const override;
  [[nodiscard]] std::optional<std::string> ReadAll(const std::wstring& path) const override;
  [[nodiscard]] bool WriteAndFlush(const std::wstring& path, const std::string& bytes) override;
  [[nodiscard]] bool ReplaceWith(const std::wstring& from, const std::wstring& to) override;
  void Remove(const std::wstring& path) override;

 private:
  // Records the call and tells whether it is to fail.
  bool Record(FileOp op, const std::wstring& path) const;

  FileSystem& real_;
  std::set<FileOp> failAlways_;
  std::map<FileOp, std::set<int>> failCalls_;
  mutable std::vector<Call> calls_;
};

}  // namespace tavrel
