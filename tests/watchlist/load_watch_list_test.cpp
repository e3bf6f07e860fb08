#include <gtest/gtest.h>

#include <memory>

#include "platform/system.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/fakes/temp_folder.h"
#include "watchlist/watch_list.h"

namespace tavrel {
namespace {

class LoadWatchListTest : public ::testing::Test {
 protected:
  // Labels of the loaded entries, in list order.
  std::vector<std::wstring> LoadLabels(const FileSystem& files) {
    list_.LoadWatchList(files, folder_.Folder());
    std::vector<std::wstring> labels;
    for (const auto& entry : list_.WatchEntries) labels.push_back(entry.Label);
    return labels;
  }
  std::vector<std::wstring> LoadLabels() { return LoadLabels(*files_); }

  TempFolder folder_;
  std::unique_ptr<FileSystem> files_ = MakeSystemFileSystem();
  WatchList list_;
};

using Labels = std::vector<std::wstring>;

TEST_F(LoadWatchListTest, NeitherFileLeavesTheListEmpty) {
  EXPECT_EQ(LoadLabels(), Labels{});
  EXPECT_EQ(list_.LastWatchIndex(), 0);
}

TEST_F(LoadWatchListTest, WatchListFileFirstThenUserFileEachInFileOrder) {
  folder_.Write("tavrel.ini", "w1\tHKEY_USERS\\K\\V\r\nMONITOR\tHKEY_USERS\\K");
  folder_.Write("tavrel-user.ini", "u1\tHKEY_USERS\\K\\V\r\nu2\tHKEY_USERS\\K\\V\r\n");
  EXPECT_EQ(LoadLabels(), (Labels{L"w1", L"MONITOR", L"u1", L"u2"}));
  EXPECT_EQ(list_.LastWatchIndex(), 3);
}

TEST_F(LoadWatchListTest, EitherFileAloneLoads) {
  folder_.Write("tavrel-user.ini", "u1\tHKEY_USERS\\K\\V\r\nu2\tHKEY_USERS\\K\\V\r\n");
  EXPECT_EQ(LoadLabels(), (Labels{L"u1", L"u2"}));
}

TEST_F(LoadWatchListTest, CommentsBlanksAndSpacesAroundLinesTakeNoEntry) {
  folder_.Write("tavrel.ini",
                "' keys watched on this machine\r\n"
                "   'MONITOR\tHKEY_USERS\\K\r\n"
                "\r\n"
                "     \r\n"
                "  MONITOR\tHKEY_USERS\\K  \r\n"
                "\t\r\n"  // a TAB is not trimmed: a data line that cannot be taken apart
                "v\tHKEY_USERS\\K\\V\r\n");
  EXPECT_EQ(list_.WatchEntries.size(), 0u);
  list_.LoadWatchList(*files_, folder_.Folder());
  ASSERT_EQ(list_.WatchEntries.size(), 2u);
  EXPECT_EQ(list_.GetWatchEntry(0).Label, L"MONITOR");
  EXPECT_EQ(list_.GetWatchEntry(0).KeyPath, L"K");
  EXPECT_EQ(list_.GetWatchEntry(1).Label, L"v");
}

TEST_F(LoadWatchListTest, LinesEndedByLfAloneAndAnsiTextLoad) {
  folder_.Write("tavrel.ini", "MONITOR\tHKEY_USERS\\Caf\xE9\nv\tHKEY_USERS\\K\\\x80\n");
  list_.LoadWatchList(*files_, folder_.Folder());
  ASSERT_EQ(list_.WatchEntries.size(), 2u);
  EXPECT_EQ(list_.GetWatchEntry(0).KeyPath, L"Café");
  EXPECT_EQ(list_.GetWatchEntry(1).ValueName, L"€");
}

TEST_F(LoadWatchListTest, AnEmptyFileExistsAndGivesNoEntries) {
  folder_.Write("tavrel.ini", "");
  folder_.Write("tavrel-user.ini", "u\tHKEY_USERS\\K\\V");
  EXPECT_EQ(LoadLabels(), Labels{L"u"});
}

// An unreadable file (locked by another program) is skipped like a missing
// one; the other file still loads.
TEST_F(LoadWatchListTest, AFileThatExistsButCannotBeReadIsSkipped) {
  folder_.Write("tavrel.ini", "w\tHKEY_USERS\\K\\V\r\n");
  folder_.Write("tavrel-user.ini", "u\tHKEY_USERS\\K\\V\r\n");
  FaultyFileSystem faulty(*files_);
  faulty.FailCall(FileOp::ReadAll, 0);
  EXPECT_EQ(LoadLabels(faulty), Labels{L"u"});
}

TEST_F(LoadWatchListTest, LargeAndBinaryFilesLoadWithoutFailure) {
  std::string big;
  big.reserve(50u << 20);
  const std::string comment = "' " + std::string(98, 'c') + "\r\n";
  while (big.size() < (50u << 20)) big += comment;
  big += "last\tHKEY_USERS\\K\\V";
  folder_.Write("tavrel.ini", big);

  std::string binary;
  for (unsigned i = 0; i < (1u << 20); ++i) binary.push_back(static_cast<char>((i * 2654435761u) >> 24));
  folder_.Write("tavrel-user.ini", binary);

  list_.LoadWatchList(*files_, folder_.Folder());
  ASSERT_FALSE(list_.WatchEntries.empty());
  EXPECT_EQ(list_.GetWatchEntry(0).Label, L"last");
}

}  // namespace
}  // namespace tavrel
