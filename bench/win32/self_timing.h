#pragma once
// Self-timing for the Wine benchmarks (the cross build has no Google
// Benchmark): runs alternate, so that drift of the shared machine falls on
// both sides alike, and the median of each side is kept.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace tavrel::bench {

inline double SecondsNow() {
  LARGE_INTEGER frequency{};
  LARGE_INTEGER now{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  const std::size_t n = samples.size();
  return n == 0 ? 0.0 : (n % 2 == 1 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2);
}

struct Pair {
  std::vector<double> first;
  std::vector<double> second;
};

// One warm-up of each, then repetitions of first and second in turn.
inline Pair TimeAlternately(int repetitions, const std::function<void()>& first, const std::function<void()>& second) {
  first();
  second();
  Pair times;
  for (int r = 0; r < repetitions; ++r) {
    double start = SecondsNow();
    first();
    times.first.push_back(SecondsNow() - start);
    start = SecondsNow();
    second();
    times.second.push_back(SecondsNow() - start);
  }
  return times;
}

// One warm-up of each, then repetitions of all of them, each repetition
// starting one later than the one before (A B C, B C A, C A B, ...), so that no
// side always runs right after the same other. Answers each side's times.
inline std::vector<std::vector<double>> TimeRotated(int repetitions, const std::vector<std::function<void()>>& sides) {
  for (const auto& side : sides) side();
  std::vector<std::vector<double>> times(sides.size());
  for (int r = 0; r < repetitions; ++r) {
    for (std::size_t i = 0; i < sides.size(); ++i) {
      const std::size_t which = (static_cast<std::size_t>(r) + i) % sides.size();
      const double start = SecondsNow();
      sides[which]();
      times[which].push_back(SecondsNow() - start);
    }
  }
  return times;
}

inline void PrintSamples(const char* label, const std::vector<double>& seconds) {
  std::vector<double> sorted = seconds;
  std::sort(sorted.begin(), sorted.end());
  std::printf("%-28s median %9.3f ms  min %9.3f ms  max %9.3f ms  (%zu runs)\n", label, Median(seconds) * 1e3,
              sorted.front() * 1e3, sorted.back() * 1e3, seconds.size());
  std::printf("%-28s runs in order (ms):", "");
  for (const double s : seconds) std::printf(" %.0f", s * 1e3);
  std::printf("\n");
}

}  // namespace tavrel::bench
