#pragma once
#include "platform/files.h"

namespace tavrel {

// Files through stdio and POSIX calls; '\' in a path is the separator (see
// native_path.h).
class PosixFileSystem final : public FileSystem {
 public:
  [[nodiscard]] std::optional<std::uint64_t> FileLength(const std::wstring& path) const override;
  [[nodiscard]] std::optional<std::string> ReadAll(const std::wstring& path) const override;
  [[nodiscard]] bool WriteNew(const std::wstring& path, const std::string& bytes) override;
  [[nodiscard]] bool ReplaceWith(const std::wstring& from, const std::wstring& to) override;
  void Remove(const std::wstring& path) override;
  [[nodiscard]] bool Append(const std::wstring& path, const std::string& bytes) override;
  [[nodiscard]] bool MakeFolder(const std::wstring& path) override;
  [[nodiscard]] std::optional<std::uint64_t> RandomBits() override;
};

}  // namespace tavrel
