// Runs a command line and reports how long it ran and the most memory its
// process held, as Windows reports it for that process (GetProcessMemoryInfo,
// sampled every 10 ms while it runs, since an ended process answers nothing).
// Under Wine the numbers are those of the Wine process that runs the
// program: its own code and data plus Wine's DLLs loaded into it.
// Usage: tavrel_peak_memory COMMAND LINE...   (prints one line; exits as the command did)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: tavrel_peak_memory COMMAND [ARGUMENTS...]\n");
    return 2;
  }
  std::wstring commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += L' ';
    commandLine += argv[i];
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  LARGE_INTEGER frequency{};
  LARGE_INTEGER start{};
  LARGE_INTEGER end{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fprintf(stderr, "cannot start: %ls\n", commandLine.c_str());
    return 2;
  }
  SIZE_T peakWorkingSet = 0;
  SIZE_T peakPrivate = 0;
  int samples = 0;
  for (;;) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof(counters))) {
      peakWorkingSet = std::max(peakWorkingSet, counters.PeakWorkingSetSize);
      peakPrivate = std::max(peakPrivate, counters.PeakPagefileUsage);
      ++samples;
    }
    if (WaitForSingleObject(process.hProcess, 10) != WAIT_TIMEOUT) break;
  }
  QueryPerformanceCounter(&end);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  std::printf("elapsed_s=%.2f peak_working_set_mib=%.1f peak_private_mib=%.1f samples=%d exit=%lu\n", seconds,
              static_cast<double>(peakWorkingSet) / 1048576.0, static_cast<double>(peakPrivate) / 1048576.0,
              samples, static_cast<unsigned long>(exitCode));
  return static_cast<int>(exitCode);
}
