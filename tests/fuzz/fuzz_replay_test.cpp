// Replays every input kept for the fuzz targets -- the corpus and the inputs
// that once broke a rule -- through the same bodies, in the ordinary build.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_targets.h"

namespace tavrel::fuzz {
namespace {

using Body = void (*)(const std::uint8_t*, std::size_t);

std::vector<std::filesystem::path> InputsOf(const std::string& target) {
  std::vector<std::filesystem::path> inputs;
  for (const char* kind : {"corpus", "regressions"}) {
    const std::filesystem::path folder = std::filesystem::path(TAVREL_FUZZ_DIR) / kind / target;
    if (!std::filesystem::is_directory(folder)) continue;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
      if (file.is_regular_file()) inputs.push_back(file.path());
    }
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

void Replay(const std::string& target, Body body) {
  const auto inputs = InputsOf(target);
  ASSERT_FALSE(inputs.empty()) << "no corpus for " << target;
  for (const auto& path : inputs) {
    SCOPED_TRACE(path.string());
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    body(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
}

TEST(FuzzReplay, WatchListLoaderCorpus) { Replay("watch_list_loader", FuzzWatchListLoader); }
TEST(FuzzReplay, UserWatchListCorpus) { Replay("user_watch_list", FuzzUserWatchList); }
TEST(FuzzReplay, ChangeRowsCorpus) { Replay("change_rows", FuzzChangeRows); }

// Inputs that cannot be empty or cut short in a way that breaks a body.
TEST(FuzzReplay, EmptyAndTinyInputs) {
  const std::uint8_t bytes[] = {0xFF, 0xFF, 0xFF, 0xFF};
  for (std::size_t size = 0; size <= sizeof(bytes); ++size) {
    FuzzWatchListLoader(bytes, size);
    FuzzUserWatchList(bytes, size);
    FuzzChangeRows(bytes, size);
  }
}

}  // namespace
}  // namespace tavrel::fuzz
