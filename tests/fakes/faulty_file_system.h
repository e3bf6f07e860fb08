#pragma once
// Files in memory, except the calls a test marks to fail. A failing WriteNew
// leaves no file, as the real ones remove what they could not fill; a failing
// Remove removes nothing. Calls are counted per operation.
#include <map>
#include <set>
#include <utility>

#include "tests/fakes/memory_files.h"

namespace tavrel {

enum class FileOp { FileLength, ReadAll, WriteNew, ReplaceWith, Remove, RandomBits, Append };

class FaultyFileSystem final : public MemoryFiles {
 public:
  // The call of op with this 0-based number (counted from the start) fails.
  void FailCall(FileOp op, int number) { failing_.insert({op, number}); }

  std::optional<std::uint64_t> FileLength(const std::wstring& path) const override {
    return Fails(FileOp::FileLength) ? std::nullopt : MemoryFiles::FileLength(path);
  }
  std::optional<std::string> ReadAll(const std::wstring& path) const override {
    return Fails(FileOp::ReadAll) ? std::nullopt : MemoryFiles::ReadAll(path);
  }
  bool WriteNew(const std::wstring& path, const std::string& bytes) override {
    return !Fails(FileOp::WriteNew) && MemoryFiles::WriteNew(path, bytes);
  }
  bool ReplaceWith(const std::wstring& from, const std::wstring& to) override {
    return !Fails(FileOp::ReplaceWith) && MemoryFiles::ReplaceWith(from, to);
  }
  void Remove(const std::wstring& path) override {
    if (!Fails(FileOp::Remove)) MemoryFiles::Remove(path);
  }
  bool Append(const std::wstring& path, const std::string& bytes) override {
    return !Fails(FileOp::Append) && MemoryFiles::Append(path, bytes);
  }
  std::optional<std::uint64_t> RandomBits() override {
    return Fails(FileOp::RandomBits) ? std::nullopt : MemoryFiles::RandomBits();
  }

  mutable std::map<FileOp, int> calls;

 private:
  bool Fails(FileOp op) const { return failing_.contains({op, calls[op]++}); }
  std::set<std::pair<FileOp, int>> failing_;
};

}  // namespace tavrel
