#pragma once
// The fuzz targets' bodies: each runs one subsystem on whatever the bytes
// describe and aborts (so that libFuzzer keeps the input) when a rule that
// must hold for every input breaks. fuzz_replay_test runs them on the corpus.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace tavrel::fuzz {

void FuzzWatchListLoader(const std::uint8_t* data, std::size_t size);
void FuzzUserWatchList(const std::uint8_t* data, std::size_t size);
void FuzzChangeRows(const std::uint8_t* data, std::size_t size);

inline void FuzzCheck(bool holds, const char* rule) {
  if (holds) return;
  std::fprintf(stderr, "fuzz rule broken: %s\n", rule);
  std::abort();
}

}  // namespace tavrel::fuzz
