#include "scan/command_line.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

TEST(CommandLineTest, OnlyAnExactSwitchAtTheVeryHeadAsksForAStartupScan) {
  for (const wchar_t* text : {L"/scannow", L"/scannowX", L"silentscan", L"silentscanner key=x", L"/scannow key=A"}) {
    EXPECT_TRUE(ParseCommandLine(text).startupScan) << text;
  }
  for (const wchar_t* text : {L"", L"/ScanNow", L"/SCANNOW", L"SilentScan", L" /scannow", L"x /scannow",
                              L"/scanno", L"-scannow"}) {
    EXPECT_FALSE(ParseCommandLine(text).startupScan) << text;
  }
}

TEST(CommandLineTest, TheHostKeyIsTheTextBetweenTheFirstTwoEqualsOfTheSecondWord) {
  EXPECT_EQ(ParseCommandLine(L"/scannow key=Software\\Host\\Settings").hostKey, L"Software\\Host\\Settings");
  EXPECT_EQ(ParseCommandLine(L"silentscan x=Software\\Host").hostKey, L"Software\\Host");
  EXPECT_EQ(ParseCommandLine(L"/scannow a=b=c").hostKey, L"b");
  // Everything after the first space is one piece, spaces included.
  EXPECT_EQ(ParseCommandLine(L"/scannow key=Software\\My Host more").hostKey, L"Software\\My Host more");
  EXPECT_EQ(ParseCommandLine(L"/scannow  key=A").hostKey, L"A");
  EXPECT_EQ(ParseCommandLine(L"/scannow key=").hostKey, L"");
  EXPECT_EQ(ParseCommandLine(L"anything =Software\\X").hostKey, L"Software\\X");
  // No second word, or a second word without "=": no host key.
  EXPECT_EQ(ParseCommandLine(L"/scannow").hostKey, L"");
  EXPECT_EQ(ParseCommandLine(L"/scannow ").hostKey, L"");
  EXPECT_EQ(ParseCommandLine(L"/scannow Software\\Host").hostKey, L"");
  // A TAB is not a word break.
  EXPECT_EQ(ParseCommandLine(L"/scannow\tkey=A").hostKey, L"");
}

TEST(CommandLineTest, SettingTextBecomesANumberOrTheFallback) {
  EXPECT_EQ(SettingValue(L"0", 1), 0);
  EXPECT_EQ(SettingValue(L"1", 0), 1);
  EXPECT_EQ(SettingValue(L"2", 1), 2);
  EXPECT_EQ(SettingValue(L" 1 ", 0), 1);
  EXPECT_EQ(SettingValue(L"+1", 0), 1);
  EXPECT_EQ(SettingValue(L"-1", 1), -1);
  EXPECT_EQ(SettingValue(L"007", 1), 7);
  EXPECT_EQ(SettingValue(L"32767", 1), 32767);
  EXPECT_EQ(SettingValue(L"-32768", 1), -32768);
  for (const wchar_t* text : {L"", L" ", L"yes", L"1.5", L"1a", L"0x1", L"+", L"-", L"32768", L"-32769",
                              L"99999999999999999999", L"\t1"}) {
    EXPECT_EQ(SettingValue(text, 1), 1) << text;
    EXPECT_EQ(SettingValue(text, 0), 0) << text;
  }
}

}  // namespace
}  // namespace tavrel
