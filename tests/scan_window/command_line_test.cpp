#include "scan/command_line.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

CommandLine Parsed(bool scan, std::wstring key, std::optional<std::wstring> report = {}, bool bad = false) {
  return {scan, std::move(key), std::move(report), bad};
}

TEST(CommandLineTest, TheHeadAsksForAStartupScanTheSecondWordNamesTheHostKeyAndReportNamesAFile) {
  const CommandLine scan = Parsed(true, L""), window = Parsed(false, L"");
  const std::pair<const wchar_t*, CommandLine> cases[] = {
      {L"/scannow key=Software\\Host\\Settings", Parsed(true, L"Software\\Host\\Settings")},
      {L"silentscan x=Software\\Host", Parsed(true, L"Software\\Host")},
      {L"/scannow a=b=c", Parsed(true, L"b")},
      {L"/scannow  key=A", Parsed(true, L"A")},
      {L"/scannow key=Software\\My Host more", Parsed(true, L"Software\\My Host more")},
      {L"anything =Software\\X", Parsed(false, L"Software\\X")},
      {L"/scannowX", scan},
      {L"/scannow key=", scan},
      {L"/scannow", scan},
      {L"/scannow ", scan},
      {L"/scannow Software\\Host", scan},
      {L"/scannow\tkey=A", scan},
      {L"", window},
      {L"/ScanNow", window},
      {L" /scannow", window},
      {L"/scanno", window},
      {L"/scannow key=Software\\My Host report=C:\\My Files\\r.jsonl",
       Parsed(true, L"Software\\My Host", L"C:\\My Files\\r.jsonl")},
      {L"x key=A report= \"r 1.jsonl\" ", Parsed(false, L"A", L"r 1.jsonl")},
      {L"x key=A \"report=C:\\r 1.jsonl\"", Parsed(false, L"A", L"C:\\r 1.jsonl")},
      {L"/scannow report=C:\\r", Parsed(true, L"C:\\r")},  // the second word keeps its old meaning
      {L"/scannow key=A report=", Parsed(true, L"A", {}, true)},
      {L"/scannow key=A report=\"\"", Parsed(true, L"A", {}, true)},
      {L"/scannow key=A report=a|b", Parsed(true, L"A", {}, true)}};
  for (const auto& [text, parsed] : cases) EXPECT_EQ(ParseCommandLine(text), parsed) << text;
}

TEST(CommandLineTest, ASettingIsAWholeSixteenBitNumberOrElseTheFallback) {
  const std::pair<const wchar_t*, int> numbers[] = {{L"0", 0},   {L"1", 1},         {L"2", 2},
                                                    {L" 1 ", 1}, {L"+1", 1},        {L"-1", -1},
                                                    {L"007", 7}, {L"32767", 32767}, {L"-32768", -32768}};
  for (const auto& [text, value] : numbers) EXPECT_EQ(SettingValue(text, 5), value) << text;
  for (const wchar_t* text :
       {L"", L" ", L"yes", L"1.5", L"1a", L"0x1", L"+", L"-", L"32768", L"-32769", L"99999999999999999999", L"\t1"}) {
    EXPECT_EQ(SettingValue(text, 1), 1) << text;
    EXPECT_EQ(SettingValue(text, 0), 0) << text;
  }
}

}  // namespace
}  // namespace tavrel
