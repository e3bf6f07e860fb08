#pragma once
// A file system in memory for the fuzz targets: fast, and a file can be made
// to exist but refuse to be read, as a locked file does.
#include <map>
#include <set>
#include <string>

#include "platform/files.h"

namespace tavrel::fuzz {

class MemoryFiles final : public FileSystem {
 public:
  [[nodiscard]] std::optional<std::uint64_t> FileLength(const std::wstring& path) const override {
    const auto found = contents.find(path);
    if (found == contents.end()) return std::nullopt;
    return found->second.size();
  }
  [[nodiscard]] std::optional<std::string> ReadAll(const std::wstring& path) const override {
    const auto found = contents.find(path);
    if (found == contents.end() || unreadable.contains(path)) return std::nullopt;
    return found->second;
  }
  [[nodiscard]] bool WriteAndFlush(const std::wstring& path, const std::string& bytes) override {
    contents[path] = bytes;
    return true;
  }
  [[nodiscard]] bool ReplaceWith(const std::wstring& from, const std::wstring& to) override {
    const auto found = contents.find(from);
    if (found == contents.end()) return false;
    std::string moved = std::move(found->second);
    contents.erase(found);
    contents[to] = std::move(moved);
    return true;
  }
  void Remove(const std::wstring& path) override { contents.erase(path); }

  std::map<std::wstring, std::string> contents;
  std::set<std::wstring> unreadable;
};

}  // namespace tavrel::fuzz
