// The real file system of this build, on a temporary folder, and the ANSI
// text files read and written through it.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "platform/files.h"
#include "platform/system.h"
#include "platform/text_file.h"
#include "tests/fakes/temp_folder.h"

namespace tavrel {
namespace {

using Lines = std::vector<std::wstring>;

class FileSystemTest : public ::testing::Test {
 protected:
  std::wstring Path(const wchar_t* name) const { return folder_.PathOf(name); }
  std::optional<Lines> ReadBytes(const std::string& bytes) {
    folder_.Write("f.ini", bytes);
    return ReadAnsiLines(*files_, Path(L"f.ini"));
  }
  void MakeFolder(const char* name) {
    std::filesystem::create_directory(folder_.Folder() / std::filesystem::path(name));
  }

  TempFolder folder_;
  std::unique_ptr<FileSystem> files_ = MakeSystemFileSystem();
};

TEST_F(FileSystemTest, ExistenceIsAnsweredByTheLength) {
  folder_.Write("empty.ini", "");
  folder_.Write("three.ini", "abc");
  MakeFolder("folder.ini");
  EXPECT_EQ(files_->FileLength(Path(L"three.ini")), 3u);
  EXPECT_TRUE(FileExists(*files_, Path(L"empty.ini")));
  for (const wchar_t* name : {L"missing.ini", L"folder.ini", L"missing\\three.ini"}) {
    EXPECT_FALSE(FileExists(*files_, Path(name))) << name;
  }
}

TEST_F(FileSystemTest, ReadsWritesAndRenamesExactBytes) {
  const std::string bytes("a\0\r\n\xFF", 5);
  ASSERT_TRUE(files_->WriteAndFlush(Path(L"f.bin"), bytes));
  EXPECT_EQ(files_->ReadAll(Path(L"f.bin")), bytes);
  ASSERT_TRUE(files_->WriteAndFlush(Path(L"f.bin"), "x"));  // truncates
  EXPECT_EQ(folder_.Read("f.bin"), "x");
  EXPECT_EQ(files_->ReadAll(Path(L"missing.bin")), std::nullopt);
  EXPECT_FALSE(files_->WriteAndFlush(Path(L"missing\\f.bin"), "x"));

  folder_.Write("new", "new");
  ASSERT_TRUE(files_->ReplaceWith(Path(L"new"), Path(L"f.bin")));
  EXPECT_EQ(folder_.Read("f.bin"), "new");
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"f.bin"});
  EXPECT_FALSE(files_->ReplaceWith(Path(L"gone"), Path(L"f.bin")));
  EXPECT_EQ(folder_.Read("f.bin"), "new");
  files_->Remove(Path(L"f.bin"));
  files_->Remove(Path(L"f.bin"));  // a second time is harmless
  EXPECT_TRUE(folder_.Names().empty());
}

TEST_F(FileSystemTest, CrLfLoneCrAndLoneLfEachEndOneLineOfAnsiText) {
  EXPECT_EQ(ReadBytes("a\r\nb"), (Lines{L"a", L"b"}));
  EXPECT_EQ(ReadBytes("a\rb\nc\r\n"), (Lines{L"a", L"b", L"c"}));
  EXPECT_EQ(ReadBytes("a\r\r\nb"), (Lines{L"a", L"", L"b"}));  // CR, then CR LF
  EXPECT_EQ(ReadBytes("a\n\rb"), (Lines{L"a", L"", L"b"}));    // LF CR is two ends
  EXPECT_EQ(ReadBytes("a\r\n\r\n"), (Lines{L"a", L""}));
  EXPECT_EQ(ReadBytes(""), Lines{});
  EXPECT_EQ(ReadBytes(" x\t \r\n"), (Lines{L" x\t "}));  // nothing but the line end is removed
  EXPECT_EQ(ReadBytes("caf\xE9\r\n\x80 5"), (Lines{L"café", L"€ 5"}));
  EXPECT_EQ(ReadAnsiLines(*files_, Path(L"missing.ini")), std::nullopt);
}

TEST_F(FileSystemTest, LongAndManyLinesLoad) {
  EXPECT_EQ(ReadBytes(std::string(1 << 20, '\r')).value_or(Lines{}).size(), 1u << 20);
  const std::string longLine(1 << 20, 'x');
  EXPECT_EQ(ReadBytes("head\r\n" + longLine + "\r\ntail"),
            (Lines{L"head", std::wstring(longLine.size(), L'x'), L"tail"}));
}

TEST_F(FileSystemTest, ReplaceWritesEveryLineWithCrLfAndLeavesNoTemporaryFile) {
  folder_.Write("f.ini", "an older and longer content\r\n");
  ASSERT_TRUE(ReplaceAnsiLines(*files_, Path(L"f.ini"), {L"café", L"", L"€ Ж"}));
  EXPECT_EQ(folder_.Read("f.ini"), "caf\xE9\r\n\r\n\x80 ?\r\n");
  ASSERT_TRUE(ReplaceAnsiLines(*files_, Path(L"f.ini"), {}));
  EXPECT_EQ(folder_.Read("f.ini"), "");
  ASSERT_TRUE(ReplaceAnsiLines(*files_, Path(L"new.ini"), {L"x"}));
  EXPECT_EQ(folder_.Read("new.ini"), "x\r\n");
  EXPECT_EQ(folder_.Names(), (std::vector<std::string>{"f.ini", "new.ini"}));
  // A folder where the file should be: the real rename refuses.
  MakeFolder("dir.ini");
  EXPECT_FALSE(ReplaceAnsiLines(*files_, Path(L"dir.ini"), {L"new"}));
  EXPECT_EQ(folder_.Names(), (std::vector<std::string>{"dir.ini", "f.ini", "new.ini"}));
}

}  // namespace
}  // namespace tavrel
