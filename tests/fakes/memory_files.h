#pragma once
// Files in memory, fast enough for fuzzing; a file can exist but refuse to be
// read, as a locked one does. Random bits count up from 0.
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
  bool WriteNew(const std::wstring& path, const std::string& bytes) override {
    return contents.emplace(path, bytes).second;
  }
  bool ReplaceWith(const std::wstring& from, const std::wstring& to) override {
    if (!contents.contains(from)) return false;
    contents[to] = std::move(contents[from]);
    contents.erase(from);
    return true;
  }
  void Remove(const std::wstring& path) override { contents.erase(path); }
  bool Append(const std::wstring& path, const std::string& bytes) override { return (contents[path] += bytes), true; }
  bool MakeFolder(const std::wstring& path) override { return folders.insert(path), true; }
  std::optional<std::uint64_t> RandomBits() override { return nextRandom++; }

  std::map<std::wstring, std::string> contents;
  std::set<std::wstring> unreadable, folders;
  std::uint64_t nextRandom = 0;
};

}  // namespace tavrel
