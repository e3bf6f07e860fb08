#pragma once
// A fresh, empty folder for one test, removed with everything in it at the
// end. It lies in the system's temporary folder (on Windows the one
// GetTempPathW names, so under Wine it is inside the prefix).
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tavrel {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder as the program holds it: no trailing separator.
  [[nodiscard]] std::wstring Folder() const;
  // The folder, "\" and the name, joined the way the program joins them.
  [[nodiscard]] std::wstring PathOf(const std::wstring& name) const;

  // Raw bytes of files in the folder, bypassing the code under test.
  void Write(const std::string& name, const std::string& bytes) const;
  [[nodiscard]] std::optional<std::string> Read(const std::string& name) const;
  [[nodiscard]] bool Exists(const std::string& name) const;
  // Names of every file in the folder, sorted.
  [[nodiscard]] std::vector<std::string> Names() const;

 private:
  std::filesystem::path root_;
};

}  // namespace tavrel
