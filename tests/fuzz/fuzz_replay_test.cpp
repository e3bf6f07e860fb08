// Replays every input kept for the fuzz targets -- the corpus and the inputs
// that once broke a rule -- through the same bodies, in the ordinary build.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/fuzz/fuzz_targets.h"

namespace tavrel::fuzz {
namespace {

void Replay(const std::string& target, void (*body)(const std::uint8_t*, std::size_t)) {
  std::size_t replayed = 0;
  for (const auto& file : std::filesystem::recursive_directory_iterator(TAVREL_FUZZ_DIR)) {
    if (!file.is_regular_file() || file.path().parent_path().filename() != target)
      continue;  // corpus/ and regressions/
    SCOPED_TRACE(file.path().string());
    std::ifstream stream(file.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    body(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    ++replayed;
  }
  EXPECT_GT(replayed, 10u) << "no corpus for " << target;
  const std::uint8_t tiny[] = {0xFF, 0xFF, 0xFF, 0xFF};  // inputs cut short anywhere
  for (std::size_t size = 0; size <= sizeof(tiny); ++size) body(tiny, size);
}

TEST(FuzzReplay, UserWatchList) { Replay("user_watch_list", FuzzUserWatchList); }
TEST(FuzzReplay, ChangeRows) { Replay("change_rows", FuzzChangeRows); }

}  // namespace
}  // namespace tavrel::fuzz
