#pragma once
// The file seam: whole-file byte operations. Line splitting and the encodings
// live above it (text_file.h), so both backends share them and tests can
// inject a failure at any single operation.
#include <cstdint>
#include <optional>
#include <string>

namespace tavrel {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Length in bytes, or nothing when the file cannot be asked (missing, no access).
  [[nodiscard]] virtual std::optional<std::uint64_t> FileLength(const std::wstring& path) const = 0;
  // The whole content, or nothing when the file cannot be opened or read.
  [[nodiscard]] virtual std::optional<std::string> ReadAll(const std::wstring& path) const = 0;
  // Creates path only when nothing (a link included) has that name yet, writes
  // bytes and flushes them to disk. False when the name is taken or any step
  // fails; a file it made and could not fill is removed again.
  [[nodiscard]] virtual bool WriteNew(const std::wstring& path, const std::string& bytes) = 0;
  // Renames from over to, replacing to in one step.
  [[nodiscard]] virtual bool ReplaceWith(const std::wstring& from, const std::wstring& to) = 0;
  virtual void Remove(const std::wstring& path) = 0;
  // Adds bytes at the end of path, making the file when it is missing and
  // never truncating it, and flushes them to disk. False when any step fails.
  [[nodiscard]] virtual bool Append(const std::wstring& path, const std::string& bytes) = 0;
  // Makes the folder (its parent must exist); true when it is there afterwards.
  [[nodiscard]] virtual bool MakeFolder(const std::wstring& path) = 0;
  // Bits from the system's random generator (for names nobody can guess), or
  // nothing when it fails.
  [[nodiscard]] virtual std::optional<std::uint64_t> RandomBits() = 0;
};

[[nodiscard]] bool FileExists(const FileSystem& files, const std::wstring& path);

}  // namespace tavrel
