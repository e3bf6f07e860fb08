#include "scan/command_line.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

TEST(CommandLineTest, TheHeadAsksForAStartupScanAndTheSecondWordNamesTheHostKey) {
  const struct {
    const wchar_t* text;
    bool startupScan;
    const wchar_t* hostKey;
  } cases[] = {
      {L"/scannow key=Software\\Host\\Settings", true, L"Software\\Host\\Settings"},
      {L"silentscan x=Software\\Host", true, L"Software\\Host"},
      {L"/scannowX", true, L""},
      {L"silentscanner key=x", true, L"x"},
      {L"/scannow a=b=c", true, L"b"},  // up to a next "="
      {L"/scannow key=Software\\My Host more", true, L"Software\\My Host more"},
      {L"/scannow  key=A", true, L"A"},
      {L"/scannow key=", true, L""},
      {L"/scannow", true, L""},
      {L"/scannow ", true, L""},
      {L"/scannow Software\\Host", true, L""},  // no "=": no host key
      {L"/scannow\tkey=A", true, L""},          // a TAB is no word break
      {L"anything =Software\\X", false, L"Software\\X"},
      {L"", false, L""},
      {L"/ScanNow", false, L""},
      {L"SilentScan", false, L""},
      {L" /scannow", false, L""},
      {L"x /scannow", false, L""},
      {L"/scanno", false, L""},
      {L"-scannow", false, L""},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseCommandLine(c.text), (CommandLine{c.startupScan, c.hostKey})) << c.text;
}

TEST(CommandLineTest, ASettingIsAWholeSixteenBitNumberOrElseTheFallback) {
  const std::pair<const wchar_t*, int> numbers[] = {{L"0", 0},     {L"1", 1},    {L"2", 2},         {L" 1 ", 1},
                                                    {L"+1", 1},    {L"-1", -1},  {L"007", 7},       {L"32767", 32767},
                                                    {L"-32768", -32768}};
  for (const auto& [text, value] : numbers) EXPECT_EQ(SettingValue(text, 5), value) << text;
  for (const wchar_t* text : {L"", L" ", L"yes", L"1.5", L"1a", L"0x1", L"+", L"-", L"32768", L"-32769",
                              L"99999999999999999999", L"\t1"}) {
    EXPECT_EQ(SettingValue(text, 1), 1) << text;
    EXPECT_EQ(SettingValue(text, 0), 0) << text;
  }
}

}  // namespace
}  // namespace tavrel
