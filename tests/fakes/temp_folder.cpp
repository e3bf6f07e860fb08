#include "tests/fakes/temp_folder.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace tavrel {

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  const auto name = "tavrel-test-" + std::to_string(random()) + "-" + std::to_string(counter++);
  root_ = std::filesystem::temp_directory_path() / name;
  if (!std::filesystem::create_directory(root_)) throw std::runtime_error("no fresh temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::wstring TempFolder::Folder() const { return root_.wstring(); }
std::wstring TempFolder::PathOf(const std::wstring& name) const { return Folder() + L"\\" + name; }
bool TempFolder::Exists(const std::string& name) const { return std::filesystem::exists(root_ / name); }

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(root_ / name, std::ios::binary | std::ios::trunc);
  if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) throw std::runtime_error("cannot write");
}

std::optional<std::string> TempFolder::Read(const std::string& name) const {
  std::ifstream in(root_ / name, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> TempFolder::Names() const {
  std::vector<std::string> names;
  for (const auto& item : std::filesystem::directory_iterator(root_)) names.push_back(item.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tavrel
