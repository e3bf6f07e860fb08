#pragma once
// A fresh, empty folder for one test, removed with everything in it at the
// end. It lies in the system's temporary folder (on Windows the one
// GetTempPathW names, so under Wine it is inside the prefix).
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavrel {

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<unsigned> counter{0};
    root_ /= "tavrel-test-" + std::to_string(std::random_device()()) + "-" + std::to_string(counter++);
    if (!std::filesystem::create_directory(root_)) throw std::runtime_error("no fresh temporary folder");
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder as the program holds it, and a file in it joined as the program joins them.
  [[nodiscard]] std::wstring Folder() const { return root_.wstring(); }
  [[nodiscard]] std::wstring PathOf(const std::wstring& name) const { return Folder() + L"\\" + name; }

  // Raw bytes of files in the folder, bypassing the code under test.
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(root_ / name, std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) throw std::runtime_error("cannot write");
  }
  [[nodiscard]] std::optional<std::string> Read(const std::string& name) const {
    std::ifstream in(root_ / name, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  [[nodiscard]] bool Exists(const std::string& name) const { return std::filesystem::exists(root_ / name); }
  // Names of every file in the folder, sorted.
  [[nodiscard]] std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(root_)) names.push_back(item.path().filename().string());
    std::ranges::sort(names);
    return names;
  }

 private:
  std::filesystem::path root_ = std::filesystem::temp_directory_path();
};

}  // namespace tavrel
