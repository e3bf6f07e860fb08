#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/system.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/fakes/temp_folder.h"

namespace tavrel {
namespace {

using Lines = std::vector<std::wstring>;

class TextFileTest : public ::testing::Test {
 protected:
  std::optional<Lines> ReadBytes(const std::string& bytes) {
    folder_.Write("f.ini", bytes);
    return ReadAnsiLines(*files_, folder_.PathOf(L"f.ini"));
  }

  TempFolder folder_;
  std::unique_ptr<FileSystem> files_ = MakeSystemFileSystem();
};

TEST_F(TextFileTest, CrLfLoneCrAndLoneLfEachEndOneLine) {
  EXPECT_EQ(ReadBytes("a\r\nb"), (Lines{L"a", L"b"}));
  EXPECT_EQ(ReadBytes("a\rb\nc\r\n"), (Lines{L"a", L"b", L"c"}));
  EXPECT_EQ(ReadBytes("a\r\r\nb"), (Lines{L"a", L"", L"b"}));  // CR, then CR LF
  EXPECT_EQ(ReadBytes("a\n\rb"), (Lines{L"a", L"", L"b"}));    // LF CR is two ends
  EXPECT_EQ(ReadBytes("a\r\n\r\n"), (Lines{L"a", L""}));
  EXPECT_EQ(ReadBytes("\r\n"), (Lines{L""}));
  EXPECT_EQ(ReadBytes(""), Lines{});
  EXPECT_EQ(ReadBytes(" x\t \r\n"), (Lines{L" x\t "}));  // nothing but the line end is removed
}

TEST_F(TextFileTest, DecodesTheAnsiCodePage) {
  EXPECT_EQ(ReadBytes("caf\xE9\r\n\x80 5"), (Lines{L"café", L"€ 5"}));
}

TEST_F(TextFileTest, MissingFileReadsAsNothing) {
  EXPECT_EQ(ReadAnsiLines(*files_, folder_.PathOf(L"missing.ini")), std::nullopt);
}

TEST_F(TextFileTest, OddAndLargeInputsLoad) {
  const std::string crs(1 << 20, '\r');
  const auto crLines = ReadBytes(crs);
  ASSERT_TRUE(crLines);
  EXPECT_EQ(crLines->size(), crs.size());

  std::string binary;
  for (unsigned i = 0; i < (1u << 20); ++i) binary.push_back(static_cast<char>((i * 2654435761u) >> 24));
  const auto binaryLines = ReadBytes(binary);
  ASSERT_TRUE(binaryLines);
  std::size_t characters = 0;
  for (const auto& line : *binaryLines) characters += line.size();
  EXPECT_LE(characters, binary.size());
  EXPECT_GT(binaryLines->size(), 1u);

  const std::string longLine(1 << 20, 'x');
  const auto longLines = ReadBytes("head\r\n" + longLine + "\r\ntail");
  ASSERT_TRUE(longLines);
  ASSERT_EQ(longLines->size(), 3u);
  EXPECT_EQ((*longLines)[1].size(), longLine.size());
  EXPECT_EQ((*longLines)[2], L"tail");
}

TEST_F(TextFileTest, ReplaceWritesEveryLineWithCrLfAndLeavesNoTemporaryFile) {
  folder_.Write("f.ini", "an older and longer content\r\n");
  ASSERT_TRUE(ReplaceAnsiLines(*files_, folder_.PathOf(L"f.ini"), {L"café", L"", L"€ Ж"}));
  EXPECT_EQ(folder_.Read("f.ini"), "caf\xE9\r\n\r\n\x80 ?\r\n");
  ASSERT_TRUE(ReplaceAnsiLines(*files_, folder_.PathOf(L"f.ini"), {}));
  EXPECT_EQ(folder_.Read("f.ini"), "");
  ASSERT_TRUE(ReplaceAnsiLines(*files_, folder_.PathOf(L"new.ini"), {L"x"}));
  EXPECT_EQ(folder_.Read("new.ini"), "x\r\n");
  EXPECT_EQ(folder_.Names(), (std::vector<std::string>{"f.ini", "new.ini"}));
}

TEST_F(TextFileTest, FailedReplaceLeavesTheOldFileWholeAndRemovesTheTemporaryFile) {
  const std::string old = "first\r\nsecond\r\n";
  for (FileOp failing : {FileOp::WriteAndFlush, FileOp::ReplaceWith}) {
    folder_.Write("f.ini", old);
    FaultyFileSystem faulty(*files_);
    faulty.FailAlways(failing);
    EXPECT_FALSE(ReplaceAnsiLines(faulty, folder_.PathOf(L"f.ini"), {L"new"}));
    EXPECT_EQ(folder_.Read("f.ini"), old);
    EXPECT_EQ(folder_.Names(), std::vector<std::string>{"f.ini"});
  }
}

TEST_F(TextFileTest, ReplaceOverSomethingThatIsNoFileFailsCleanly) {
  // A folder where the file should be: the real rename refuses.
  std::filesystem::create_directory(std::filesystem::path(folder_.Folder()) / "f.ini");
  EXPECT_FALSE(ReplaceAnsiLines(*files_, folder_.PathOf(L"f.ini"), {L"new"}));
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"f.ini"});
}

}  // namespace
}  // namespace tavrel
