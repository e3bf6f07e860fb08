#include <gtest/gtest.h>

#include <memory>

#include "platform/system.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/fakes/temp_folder.h"
#include "watchlist/watch_list.h"

namespace tavrel {
namespace {

using Labels = std::vector<std::wstring>;

class LoadWatchListTest : public ::testing::Test {
 protected:
  // Labels of the entries loaded into a fresh list, in list order.
  Labels LoadLabels(const FileSystem& files) {
    list_ = WatchList();
    list_.LoadWatchList(files, folder_.Folder());
    Labels labels;
    for (const auto& entry : list_.WatchEntries) labels.push_back(entry.Label);
    return labels;
  }
  Labels LoadLabels() { return LoadLabels(*files_); }

  TempFolder folder_;
  std::unique_ptr<FileSystem> files_ = MakeSystemFileSystem();
  WatchList list_;
};

TEST_F(LoadWatchListTest, WatchListFileFirstThenUserFileEachInFileOrderAndEitherAlone) {
  EXPECT_EQ(LoadLabels(), Labels{});
  EXPECT_EQ(list_.LastWatchIndex(), 0);
  folder_.Write("tavrel-user.ini", "u1\tHKEY_USERS\\K\\V\r\nu2\tHKEY_USERS\\K\\V\r\n");
  EXPECT_EQ(LoadLabels(), (Labels{L"u1", L"u2"}));
  folder_.Write("tavrel.ini", "");  // exists, gives no entries
  EXPECT_EQ(LoadLabels(), (Labels{L"u1", L"u2"}));
  folder_.Write("tavrel.ini", "w1\tHKEY_USERS\\K\\V\r\nMONITOR\tHKEY_USERS\\K");
  EXPECT_EQ(LoadLabels(), (Labels{L"w1", L"MONITOR", L"u1", L"u2"}));
  EXPECT_EQ(list_.LastWatchIndex(), 3);
  // An unreadable file (locked by another program) is skipped like a missing one.
  FaultyFileSystem faulty(*files_);
  faulty.FailCall(FileOp::ReadAll, 0);
  EXPECT_EQ(LoadLabels(faulty), (Labels{L"u1", L"u2"}));
  folder_.Write("tavrel-user.ini", "");
  EXPECT_EQ(LoadLabels(), (Labels{L"w1", L"MONITOR"}));
}

TEST_F(LoadWatchListTest, CommentsBlanksAndSpacesAroundLinesTakeNoEntry) {
  folder_.Write("tavrel.ini",
                "' keys watched on this machine\r\n"
                "   'MONITOR\tHKEY_USERS\\K\r\n"
                "\r\n"
                "     \r\n"
                "  MONITOR\tHKEY_USERS\\Caf\xE9  \r\n"
                "\t\r\n"  // a TAB is not trimmed: a data line that cannot be taken apart
                "v\tHKEY_USERS\\K\\\x80\n");  // ended by LF alone
  EXPECT_EQ(LoadLabels(), (Labels{L"MONITOR", L"v"}));
  EXPECT_EQ(list_.GetWatchEntry(0).KeyPath, L"Café");
  EXPECT_EQ(list_.GetWatchEntry(1).ValueName, L"€");
}

TEST_F(LoadWatchListTest, LargeAndBinaryFilesLoadWithoutFailure) {
  std::string big;
  big.reserve(50u << 20);
  const std::string comment = "' " + std::string(98, 'c') + "\r\n";
  while (big.size() < (50u << 20)) big += comment;
  folder_.Write("tavrel.ini", big + "last\tHKEY_USERS\\K\\V");
  std::string binary;
  for (unsigned i = 0; i < (1u << 20); ++i) binary.push_back(static_cast<char>((i * 2654435761u) >> 24));
  folder_.Write("tavrel-user.ini", binary);
  ASSERT_FALSE(LoadLabels().empty());
  EXPECT_EQ(list_.GetWatchEntry(0).Label, L"last");
}

}  // namespace
}  // namespace tavrel
