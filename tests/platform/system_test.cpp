// The real services of this build: files, the program's folder, the instance
// lock and the clock.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "platform/system.h"
#include "tests/fakes/temp_folder.h"

namespace tavrel {
namespace {

TEST(SystemServices, FilesKeepExactBytesAndAFolderIsNoFile) {
  const TempFolder folder;
  const auto files = MakeSystemFileSystem();
  const std::string bytes("a\0\r\n\xFF", 5);
  std::filesystem::create_directory(folder.Folder() / std::filesystem::path("dir"));
  EXPECT_FALSE(files->FileLength(folder.PathOf(L"dir")) || files->ReadAll(folder.PathOf(L"dir")) || files->FileLength(folder.PathOf(L"f")));
  EXPECT_FALSE(files->WriteAndFlush(folder.PathOf(L"missing\\f"), "x") || files->ReplaceWith(folder.PathOf(L"gone"), folder.PathOf(L"f")));
  ASSERT_TRUE(files->WriteAndFlush(folder.PathOf(L"f"), "longer old content") && files->WriteAndFlush(folder.PathOf(L"new"), bytes));
  ASSERT_TRUE(files->ReplaceWith(folder.PathOf(L"new"), folder.PathOf(L"f")));
  EXPECT_EQ(std::pair(files->ReadAll(folder.PathOf(L"f")), files->FileLength(folder.PathOf(L"f"))), std::pair(std::optional(bytes), std::optional<std::uint64_t>(5)));
  files->Remove(folder.PathOf(L"f"));
  files->Remove(folder.PathOf(L"f"));  // a second time is harmless
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"dir"});
}

TEST(SystemServices, ProgramFolderInstanceLockAndClock) {
  const char* argv[] = {"tavrel_platform_tests", "/scannow", "key=Software\\Host"};
  const std::wstring folder = MakeSystemProcess(3, argv)->ProgramFolder();
  EXPECT_TRUE(std::filesystem::exists(folder + L"/tavrel_platform_tests") || std::filesystem::exists(folder + L"/tavrel_platform_tests.exe"));
  EXPECT_TRUE(folder.back() != L'\\' && folder.back() != L'/');
#ifndef _WIN32
  EXPECT_EQ(MakeSystemProcess(3, argv)->ArgumentText(), L"/scannow key=Software\\Host");
#endif
  const std::wstring name = L"Tavrel.Test." + std::to_wstring(std::random_device{}());
  const auto first = MakeSystemInstanceLock(name);
  auto held = first->TryAcquire();
  ASSERT_NE(held, nullptr);
  EXPECT_TRUE(!MakeSystemInstanceLock(name)->TryAcquire() && !first->TryAcquire() && MakeSystemInstanceLock(name + L".other")->TryAcquire());
  held.reset();  // frees the name
  EXPECT_NE(MakeSystemInstanceLock(name)->TryAcquire(), nullptr);
  const LocalTime now = MakeSystemClock()->Now();
  EXPECT_TRUE(now.year >= 2020 && now.month >= 1 && now.month <= 12 && now.day >= 1 && now.day <= 31 && now.hour <= 23);
}

}  // namespace
}  // namespace tavrel
