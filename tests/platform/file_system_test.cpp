// The real file system of this build, on a temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "platform/files.h"
#include "platform/system.h"
#include "tests/fakes/temp_folder.h"

namespace tavrel {
namespace {

class FileSystemTest : public ::testing::Test {
 protected:
  TempFolder folder_;
  std::unique_ptr<FileSystem> files_ = MakeSystemFileSystem();
};

TEST_F(FileSystemTest, ExistenceIsAnsweredByTheLength) {
  folder_.Write("empty.ini", "");
  folder_.Write("three.ini", "abc");
  std::filesystem::create_directory(std::filesystem::path(folder_.Folder()) / "folder.ini");
  EXPECT_EQ(files_->FileLength(folder_.PathOf(L"three.ini")), 3u);
  EXPECT_TRUE(FileExists(*files_, folder_.PathOf(L"empty.ini")));
  EXPECT_FALSE(FileExists(*files_, folder_.PathOf(L"missing.ini")));
  EXPECT_FALSE(FileExists(*files_, folder_.PathOf(L"folder.ini")));
  EXPECT_FALSE(FileExists(*files_, folder_.PathOf(L"missing\\three.ini")));
}

TEST_F(FileSystemTest, ReadsAndWritesExactBytes) {
  const std::string bytes("a\0\r\n\xFF", 5);
  ASSERT_TRUE(files_->WriteAndFlush(folder_.PathOf(L"f.bin"), bytes));
  EXPECT_EQ(files_->ReadAll(folder_.PathOf(L"f.bin")), bytes);
  ASSERT_TRUE(files_->WriteAndFlush(folder_.PathOf(L"f.bin"), "x"));  // truncates
  EXPECT_EQ(folder_.Read("f.bin"), "x");
  EXPECT_EQ(files_->ReadAll(folder_.PathOf(L"missing.bin")), std::nullopt);
  EXPECT_FALSE(files_->WriteAndFlush(folder_.PathOf(L"missing\\f.bin"), "x"));
}

TEST_F(FileSystemTest, ReplaceWithRenamesOverTheOldFile) {
  folder_.Write("old", "old");
  folder_.Write("new", "new");
  ASSERT_TRUE(files_->ReplaceWith(folder_.PathOf(L"new"), folder_.PathOf(L"old")));
  EXPECT_EQ(folder_.Read("old"), "new");
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"old"});
  EXPECT_FALSE(files_->ReplaceWith(folder_.PathOf(L"gone"), folder_.PathOf(L"old")));
  EXPECT_EQ(folder_.Read("old"), "new");

  files_->Remove(folder_.PathOf(L"old"));
  files_->Remove(folder_.PathOf(L"old"));  // a second time is harmless
  EXPECT_TRUE(folder_.Names().empty());
}

}  // namespace
}  // namespace tavrel
