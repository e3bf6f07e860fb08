#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "platform/process.h"
#include "platform/system.h"

namespace tavrel {
namespace {

TEST(ArgumentText, IsWhatFollowsTheProgramNameAndTheSpacesAfterIt) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"tavrel.exe /scannow key=Software\\Host", L"/scannow key=Software\\Host"},
      {L"\"C:\\Program Files\\tavrel.exe\"   silentscan", L"silentscan"},
      {L"C:\\\"Program Files\"\\tavrel.exe x", L"x"},
      {L"tavrel.exe\t \ta  b ", L"a  b "},  // inner and trailing spaces stay
      {L"\"tavrel.exe\"x y", L"y"},         // the name runs on after a quote
      {L"tavrel.exe", L""}, {L"\"unclosed quote x", L""}, {L"", L""}};
  for (const auto& [line, arguments] : cases) EXPECT_EQ(ArgumentsAfterProgramName(line), arguments) << line;
}

TEST(SystemProcess, ProgramFolderHoldsTheRunningProgramWithoutATrailingSeparator) {
  const char* argv[] = {"tavrel_platform_tests", "/scannow", "key=Software\\Host"};
  const auto process = MakeSystemProcess(3, argv);
  const std::wstring folder = process->ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(folder.back() != L'\\' && folder.back() != L'/');
  const std::filesystem::path dir(folder);
  EXPECT_TRUE(std::filesystem::exists(dir / "tavrel_platform_tests") ||
              std::filesystem::exists(dir / "tavrel_platform_tests.exe"));
#ifdef _WIN32
  // The real command line: the test runner's own arguments, never the program name.
  EXPECT_EQ(process->ArgumentText().find(L"tavrel_platform_tests"), std::wstring::npos);
#else
  EXPECT_EQ(process->ArgumentText(), L"/scannow key=Software\\Host");
#endif
}

TEST(SystemServices, InstanceLockClockAndSound) {
  const std::wstring name = L"Tavrel.Test." + std::to_wstring(std::random_device{}());
  const auto first = MakeSystemInstanceLock(name);
  const auto second = MakeSystemInstanceLock(name);
  auto held = first->TryAcquire();
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(second->TryAcquire(), nullptr);
  EXPECT_EQ(first->TryAcquire(), nullptr);
  EXPECT_NE(MakeSystemInstanceLock(name + L".other")->TryAcquire(), nullptr);
  held.reset();  // frees the name
  EXPECT_NE(second->TryAcquire(), nullptr);

  const LocalTime now = MakeSystemClock()->Now();
  EXPECT_TRUE(now.year >= 2020 && now.month >= 1 && now.month <= 12 && now.day >= 1 && now.day <= 31);
  EXPECT_TRUE(now.hour >= 0 && now.hour <= 23 && now.minute >= 0 && now.minute <= 59);
  MakeSystemSoundPlayer()->PlayAsync(L"no such folder\\alert.wav");  // returns at once
}

}  // namespace
}  // namespace tavrel
