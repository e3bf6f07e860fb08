// The backup-row index of Compare, including tables only an odd registry
// produces: several rows of one name.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scan/value_name_index.h"

namespace tavrel {
namespace {

std::vector<std::size_t> Take(ValueNameIndex& index, std::wstring_view name) {
  std::vector<std::size_t> rows;
  for (std::size_t row = index.TakeRows(name); row != ValueNameIndex::kNone; row = index.NextRow(row)) {
    rows.push_back(row);
  }
  return rows;
}

TEST(ValueNameIndexTest, ANameTakesEveryRowOfItsNameOnceInTableOrder) {
  const ValueTable table = {{kRegSz, L"Run"}, {kRegSz, L"Other"}, {kRegSz, L"RUN"}, {kRegSz, L""},
                            {kRegSz, L"run"}, {kRegSz, L"ÉTÉ"},   {kRegSz, L""}};
  ValueNameIndex index(table);
  EXPECT_THAT(Take(index, L"rUn"), ::testing::ElementsAre(0u, 2u, 4u));
  EXPECT_THAT(Take(index, L"run"), ::testing::IsEmpty()) << "used up";
  EXPECT_THAT(Take(index, L"été"), ::testing::ElementsAre(5u));
  EXPECT_THAT(Take(index, L""), ::testing::IsEmpty()) << "unnamed rows are never matched";
  EXPECT_THAT(Take(index, L"Missing"), ::testing::IsEmpty());
  std::vector<std::size_t> left;
  for (std::size_t row = 0; row < table.size(); ++row) {
    if (!table[row].name.empty() && !index.IsUsedUp(row)) left.push_back(row);
  }
  EXPECT_THAT(left, ::testing::ElementsAre(1u));
}

TEST(ValueNameIndexTest, EveryNameOfALargeTableIsFound) {
  ValueTable table;
  for (int i = 0; i < 5000; ++i) table.push_back({kRegSz, L"Value " + std::to_wstring(i)});
  table.resize(table.size() + 51);
  ValueNameIndex index(table);
  for (int i = 4999; i >= 0; --i) {
    ASSERT_EQ(index.TakeRows(L"VALUE " + std::to_wstring(i)), static_cast<std::size_t>(i));
  }
  EXPECT_EQ(index.TakeRows(L"Value 5000"), ValueNameIndex::kNone);
}

}  // namespace
}  // namespace tavrel
