// What tavrel.exe carries and what ships beside it, read back through the
// same Windows calls Explorer and the loader use (run under Wine).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "app/resources/resource_ids.h"
#include "platform/system.h"
#include "watchlist/watch_list.h"

namespace tavrel {
namespace {

// A file beside the build's tavrel.exe, or beside the one in the folder that
// TAVREL_TEST_EXE_DIR names (the unpacked zip), as a path Wine understands
// (its Z: drive is /).
std::wstring BuiltFile(const wchar_t* name) {
  std::wstring folder = TAVREL_TEST_EXE_DIR;
  wchar_t chosen[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"TAVREL_TEST_EXE_DIR", chosen, MAX_PATH);
  if (length > 0 && length < MAX_PATH) folder = chosen;
  std::wstring path = L"Z:" + folder + L"/" + name;
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

struct Version {
  WORD major, minor, patch;
};

Version BuildVersion() {
  Version v{};
  EXPECT_EQ(3, swscanf(TAVREL_TEST_VERSION, L"%hu.%hu.%hu", &v.major, &v.minor, &v.patch));
  return v;
}

class ResourceModule {
 public:
  explicit ResourceModule(const std::wstring& path)
      : module_(LoadLibraryExW(path.c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  ~ResourceModule() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  ResourceModule(const ResourceModule&) = delete;
  ResourceModule& operator=(const ResourceModule&) = delete;

  [[nodiscard]] HMODULE get() const { return module_; }
  [[nodiscard]] std::string Bytes(const wchar_t* name, const wchar_t* type) const {
    HRSRC found = FindResourceW(module_, name, type);
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(module_, found);
    const auto* data = static_cast<const char*>(LockResource(loaded));
    return data == nullptr ? std::string() : std::string(data, SizeofResource(module_, found));
  }

 private:
  HMODULE module_;
};

class GdiBitmap {
 public:
  explicit GdiBitmap(HANDLE bitmap) : bitmap_(static_cast<HBITMAP>(bitmap)) {}
  ~GdiBitmap() {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
  }
  GdiBitmap(const GdiBitmap&) = delete;
  GdiBitmap& operator=(const GdiBitmap&) = delete;
  [[nodiscard]] SIZE Size() const {
    BITMAP info{};
    if (bitmap_ == nullptr || GetObjectW(bitmap_, sizeof info, &info) == 0) return {0, 0};
    return {info.bmWidth, info.bmHeight};
  }

 private:
  HBITMAP bitmap_;
};

std::wstring VersionString(const std::vector<char>& block, const wchar_t* name) {
  std::wstring query = L"\\StringFileInfo\\040904B0\\";
  query += name;
  void* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), query.c_str(), &text, &length) || text == nullptr) return L"(missing)";
  return static_cast<const wchar_t*>(text);
}

TEST(ShippedResources, VersionInformationCarriesTheBuildVersion) {
  const std::wstring exe = BuiltFile(L"tavrel.exe");
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  ASSERT_GT(size, 0u) << "no version information in tavrel.exe";
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));

  void* fixedData = nullptr;
  UINT fixedLength = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &fixedData, &fixedLength));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(fixedData);
  const Version v = BuildVersion();
  EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(v.minor, v.major)));
  EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, v.patch)));
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  EXPECT_EQ(VersionString(block, L"FileVersion"), TAVREL_TEST_VERSION);
  EXPECT_EQ(VersionString(block, L"ProductVersion"), TAVREL_TEST_VERSION);
  EXPECT_EQ(VersionString(block, L"ProductName"), L"Brix Tavrel");
  EXPECT_EQ(VersionString(block, L"FileDescription"), L"Tavrel registry guard");
  EXPECT_EQ(VersionString(block, L"CompanyName"), L"Brix Computers");
  EXPECT_EQ(VersionString(block, L"OriginalFilename"), L"tavrel.exe");
}

TEST(ShippedResources, ManifestAsksForControls6DpiAwarenessInvokerRightsAndWindows7To11) {
  const ResourceModule module(BuiltFile(L"tavrel.exe"));
  ASSERT_NE(module.get(), nullptr);
  const std::string manifest = module.Bytes(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_FALSE(manifest.empty()) << "no application manifest";
  for (const char* expected : {
           R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")",
           R"(level="asInvoker")",
           "<dpiAware>true</dpiAware>",
           "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
       }) {
    EXPECT_NE(manifest.find(expected), std::string::npos) << expected;
  }
  const std::string identity = "version=\"" + std::string(TAVREL_TEST_VERSION_NARROW) + ".0\"";
  EXPECT_NE(manifest.find(identity), std::string::npos) << identity;
}

TEST(ShippedResources, ProgramIconHoldsEverySizeWithAlpha) {
  const ResourceModule module(BuiltFile(L"tavrel.exe"));
  ASSERT_NE(module.get(), nullptr);
  const std::string group = module.Bytes(MAKEINTRESOURCEW(IDI_TAVREL), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  ASSERT_GE(group.size(), 6u);
  std::uint16_t count = 0;
  std::memcpy(&count, group.data() + 4, sizeof count);
  ASSERT_EQ(group.size(), 6u + 14u * count);
  std::set<int> sizes;
  for (std::size_t i = 0; i < count; ++i) {
    const auto* entry = reinterpret_cast<const unsigned char*>(group.data() + 6 + 14 * i);
    const int width = entry[0] == 0 ? 256 : entry[0];
    const int height = entry[1] == 0 ? 256 : entry[1];
    EXPECT_EQ(width, height);
    EXPECT_EQ(entry[6], 32) << "bits per pixel of the " << width << " pixel icon";
    sizes.insert(width);
  }
  EXPECT_EQ(sizes, (std::set<int>{16, 24, 32, 48, 64, 256}));

  HICON small = LoadIconW(module.get(), MAKEINTRESOURCEW(IDI_TAVREL));
  EXPECT_NE(small, nullptr) << "LoadIcon with IDI_TAVREL";
}

TEST(ShippedResources, LogoBitmapsFitTheLogoPlaceAt96And192Dpi) {
  const ResourceModule module(BuiltFile(L"tavrel.exe"));
  ASSERT_NE(module.get(), nullptr);
  // The logo's place is 1305 x 705 twips.
  const GdiBitmap normal(LoadImageW(module.get(), MAKEINTRESOURCEW(IDB_LOGO), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  const GdiBitmap large(
      LoadImageW(module.get(), MAKEINTRESOURCEW(IDB_LOGO_LARGE), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  const SIZE normalSize = normal.Size();
  const SIZE largeSize = large.Size();
  EXPECT_EQ(normalSize.cx, MulDiv(1305, 96, 1440));
  EXPECT_EQ(normalSize.cy, MulDiv(705, 96, 1440));
  EXPECT_EQ(largeSize.cx, MulDiv(1305, 192, 1440));
  EXPECT_EQ(largeSize.cy, MulDiv(705, 192, 1440));
}

std::string ReadWhole(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

template <typename T>
T Little(const std::string& bytes, std::size_t at) {
  T value{};
  if (at + sizeof value <= bytes.size()) std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

TEST(ShippedFiles, AlertSoundIsAShortPlainPcmWave) {
  const std::string wave = ReadWhole(BuiltFile(L"alert.wav"));
  ASSERT_GT(wave.size(), 44u);
  EXPECT_EQ(wave.substr(0, 4), "RIFF");
  EXPECT_EQ(wave.substr(8, 4), "WAVE");
  EXPECT_EQ(Little<std::uint32_t>(wave, 4), wave.size() - 8);
  // Walk the chunks: fmt must be plain PCM (what sndPlaySound plays everywhere).
  std::uint16_t format = 0, channels = 0, bits = 0;
  std::uint32_t rate = 0, dataBytes = 0;
  for (std::size_t at = 12; at + 8 <= wave.size();) {
    const std::string id = wave.substr(at, 4);
    const auto length = Little<std::uint32_t>(wave, at + 4);
    if (id == "fmt ") {
      format = Little<std::uint16_t>(wave, at + 8);
      channels = Little<std::uint16_t>(wave, at + 10);
      rate = Little<std::uint32_t>(wave, at + 12);
      bits = Little<std::uint16_t>(wave, at + 22);
    } else if (id == "data") {
      dataBytes = length;
    }
    at += 8 + length + (length & 1);
  }
  EXPECT_EQ(format, 1);
  EXPECT_EQ(channels, 1);
  EXPECT_EQ(bits, 16);
  ASSERT_GT(rate, 0u);
  const double seconds = static_cast<double>(dataBytes) / (rate * channels * (bits / 8));
  EXPECT_GT(seconds, 0.3);
  EXPECT_LT(seconds, 1.5);
}

// The example watch list, read by the program's own loader from a folder of
// its own (the build folder may hold a user watch-list file from other runs).
TEST(ShippedFiles, ExampleWatchListGuardsTheAutostartKeys) {
  const std::string bytes = ReadWhole(BuiltFile(L"tavrel.ini"));
  ASSERT_FALSE(bytes.empty());
  for (std::size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
    ASSERT_TRUE(at > 0 && bytes[at - 1] == '\r') << "a line without CR LF at byte " << at;
  }

  wchar_t temp[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
  const std::filesystem::path folder =
      std::filesystem::path(temp) / (L"tavrel-ini-test-" + std::to_wstring(GetCurrentProcessId()));
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(std::filesystem::path(BuiltFile(L"tavrel.ini")), folder / L"tavrel.ini",
                             std::filesystem::copy_options::overwrite_existing);
  const auto files = MakeSystemFileSystem();
  WatchList list;
  list.LoadWatchList(*files, folder.wstring());
  std::filesystem::remove_all(folder);

  const std::wstring run = L"Microsoft\\Windows\\CurrentVersion\\Run";
  const std::vector<WatchEntry> expected = {
      {L"MONITOR", RootFromName(L"HKEY_CURRENT_USER"), L"Software\\" + run, L""},
      {L"MONITOR", RootFromName(L"HKEY_CURRENT_USER"), L"Software\\" + run + L"Once", L""},
      {L"MONITOR", RootFromName(L"HKEY_LOCAL_MACHINE"), L"Software\\" + run, L""},
      {L"MONITOR", RootFromName(L"HKEY_LOCAL_MACHINE"), L"Software\\" + run + L"Once", L""},
      {L"MONITOR", RootFromName(L"HKEY_LOCAL_MACHINE"), L"Software\\WOW6432Node\\" + run, L""},
      {L"MONITOR", RootFromName(L"HKEY_LOCAL_MACHINE"), L"Software\\WOW6432Node\\" + run + L"Once", L""},
  };
  EXPECT_EQ(list.WatchEntries, expected);

  // The commented value-entry example becomes a value entry once its apostrophe goes.
  const std::string marker = "'Unwanted updater\t";
  const std::size_t at = bytes.find(marker);
  ASSERT_NE(at, std::string::npos);
  const std::string line = bytes.substr(at + 1, bytes.find('\r', at) - at - 1);
  const auto entry = ParseWatchEntry(std::wstring(line.begin(), line.end()));
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->Root, RootFromName(L"HKEY_CURRENT_USER"));
  EXPECT_EQ(entry->KeyPath, L"Software\\" + run);
  EXPECT_EQ(entry->ValueName, L"Updater");
}

}  // namespace
}  // namespace tavrel
