#pragma once
// Files in memory, fast enough for fuzzing; a file can exist but refuse to be
// read, as a locked one does.
#include <map>
#include <set>
#include <string>

#include "platform/files.h"

namespace tavrel {

struct MemoryFiles : FileSystem {
  std::optional<std::uint64_t> FileLength(const std::wstring& path) const override {
    return contents.contains(path) ? std::optional(contents.at(path).size()) : std::nullopt;
  }
  std::optional<std::string> ReadAll(const std::wstring& path) const override {
    return contents.contains(path) && !unreadable.contains(path) ? std::optional(contents.at(path)) : std::nullopt;
  }
  bool WriteAndFlush(const std::wstring& path, const std::string& bytes) override {
    contents[path] = bytes;
    return true;
  }
  bool ReplaceWith(const std::wstring& from, const std::wstring& to) override {
    if (!contents.contains(from)) return false;
    contents[to] = std::move(contents[from]);
    contents.erase(from);
    return true;
  }
  void Remove(const std::wstring& path) override { contents.erase(path); }

  std::map<std::wstring, std::string> contents;
  std::set<std::wstring> unreadable;
};

}  // namespace tavrel
