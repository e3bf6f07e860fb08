#pragma once
// Keeps "tavrel-user.ini": values the user removed, flagged if they come back.
#include <string>

#include "registry/registry_api.h"

namespace tavrel {

class FileSystem;
class Clock;

class UserWatchListWriter {
 public:
  UserWatchListWriter(FileSystem& files, const Clock& clock, std::wstring programFolder);
  // True when the removal is on disk: the caller deletes the value only then.
  [[nodiscard]] bool AppendUserWatchEntry(RootHandle root, const std::wstring& keyPath, const std::wstring& valueName);
  void RemoveUserWatchEntry(const std::wstring& keyPath, const std::wstring& valueName);

 private:
  FileSystem& files_;
  const Clock& clock_;
  std::wstring path_;
};

}  // namespace tavrel
