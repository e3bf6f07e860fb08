// What the build's tavrel.exe carries and the example watch list beside it, read
// back through the Windows calls Explorer and the loader use (run under Wine).
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <tuple>

#include "app/resources/resource_ids.h"
#include "platform/system.h"
#include "watchlist/watch_list.h"

namespace tavrel {
namespace {

// A file beside the build's tavrel.exe, on Wine's Z: drive.
std::wstring Built(const wchar_t* name) {
  return (std::filesystem::path(L"Z:" TAVREL_TEST_EXE_DIR) / name).make_preferred().wstring();
}

TEST(ShippedResources, VersionInformationCarriesTheBuildVersion) {
  const std::wstring exe = Built(L"tavrel.exe");
  std::vector<char> block(GetFileVersionInfoSizeW(exe.c_str(), nullptr));
  ASSERT_TRUE(!block.empty() && GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  const auto query = [&](const std::wstring& path) {
    void* data = nullptr;
    UINT length = 0;
    return VerQueryValueW(block.data(), path.c_str(), &data, &length) ? data : nullptr;
  };
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query(L"\\"));
  ASSERT_NE(fixed, nullptr);
  DWORD major = 0, minor = 0, patch = 0;
  ASSERT_EQ(std::sscanf(TAVREL_TEST_VERSION, "%lu.%lu.%lu", &major, &minor, &patch), 3);
  EXPECT_EQ(std::tuple(fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                       fixed->dwProductVersionLS, fixed->dwFileType),
            std::tuple(major << 16 | minor, patch << 16, major << 16 | minor, patch << 16, DWORD{VFT_APP}));
  for (const auto& [name, value] : {std::pair{L"FileVersion", L"" TAVREL_TEST_VERSION},
                                    {L"ProductName", L"Brix Tavrel"},
                                    {L"FileDescription", L"Tavrel registry guard"},
                                    {L"CompanyName", L"Brix Computers"},
                                    {L"OriginalFilename", L"tavrel.exe"}}) {
    const auto* text = static_cast<const wchar_t*>(query(std::wstring(L"\\StringFileInfo\\040904B0\\") + name));
    EXPECT_STREQ(text ? text : L"(missing)", value) << name;
  }
}

TEST(ShippedResources, ManifestIconAndLogo) {
  const auto flags = LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;
  const std::unique_ptr<HINSTANCE__, decltype(&FreeLibrary)> module(
      LoadLibraryExW(Built(L"tavrel.exe").c_str(), nullptr, flags), &FreeLibrary);
  ASSERT_NE(module, nullptr);
  const auto bytes = [&](int id, const wchar_t* type) {
    HRSRC found = FindResourceW(module.get(), MAKEINTRESOURCEW(id), type);
    const auto* data = found ? static_cast<const char*>(LockResource(LoadResource(module.get(), found))) : nullptr;
    return data ? std::string(data, SizeofResource(module.get(), found)) : std::string();
  };
  // Controls 6, DPI awareness, invoker rights, Windows 7, 8, 8.1 and 10/11, the build's version.
  const std::string manifest = bytes(1, RT_MANIFEST);
  for (const char* expected : {R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")", R"(level="asInvoker")",
                               "<dpiAware>true</dpiAware>", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                               "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                               "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "version=\"" TAVREL_TEST_VERSION ".0\""}) {
    EXPECT_NE(manifest.find(expected), std::string::npos) << expected;
  }
  // Every icon size, square, with alpha: (width, height, bits per pixel) of each entry.
  const std::string group = bytes(IDI_TAVREL, RT_GROUP_ICON);
  std::set<std::tuple<int, int, int>> icons;
  for (std::size_t at = 6; at + 14 <= group.size(); at += 14) {
    const auto side = [&](std::size_t i) { return group[i] == 0 ? 256 : static_cast<unsigned char>(group[i]); };
    icons.emplace(side(at), side(at + 1), group[at + 6]);
  }
  EXPECT_EQ(icons, (std::set<std::tuple<int, int, int>>{
                       {16, 16, 32}, {24, 24, 32}, {32, 32, 32}, {48, 48, 32}, {64, 64, 32}, {256, 256, 32}}));
  // The logo's place is 1305 x 705 twips; one bitmap fits it at 96 DPI, one at 192.
  for (const auto& [id, dpi] : {std::pair{IDB_LOGO, 96}, {IDB_LOGO_LARGE, 192}}) {
    const std::unique_ptr<void, decltype(&DeleteObject)> bitmap(
        LoadImageW(module.get(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION), &DeleteObject);
    BITMAP info{};
    GetObjectW(bitmap.get(), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, MulDiv(1305, dpi, 1440));
    EXPECT_EQ(info.bmHeight, MulDiv(705, dpi, 1440));
  }
}

// The example watch list, read by the program's own loader from a folder of
// its own (the build folder may hold a user watch-list file from other runs).
TEST(ShippedFiles, ExampleWatchListGuardsTheAutostartKeys) {
  const auto folder = std::filesystem::temp_directory_path() / (L"tavrel-" + std::to_wstring(GetCurrentProcessId()));
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(Built(L"tavrel.ini"), folder / L"tavrel.ini");
  WatchList list;
  list.LoadWatchList(*MakeSystemFileSystem(), folder.wstring());
  std::filesystem::remove_all(folder);
  std::vector<WatchEntry> expected;
  for (const auto& [root, key] : {std::pair{L"HKEY_CURRENT_USER", L"Software"},
                                  {L"HKEY_LOCAL_MACHINE", L"Software"},
                                  {L"HKEY_LOCAL_MACHINE", L"Software\\WOW6432Node"}}) {
    for (const wchar_t* run : {L"Run", L"RunOnce"}) {
      const std::wstring path = std::wstring(key) + L"\\Microsoft\\Windows\\CurrentVersion\\" + run;
      expected.push_back({L"MONITOR", RootFromName(root), path, L""});
    }
  }
  EXPECT_EQ(list.WatchEntries, expected);
}

}  // namespace
}  // namespace tavrel
