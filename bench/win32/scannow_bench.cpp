// The process time of a start-up scan -- tavrel.exe /scannow key=HOST with a
// watch list of five monitored keys beside it -- against "reg.exe query" of
// one key: the cost of starting any process in the same Wine prefix. Both are
// started with CreateProcessW and waited for, alternately; the time is from
// the start to the end of the process (wall clock), and the CPU time it used
// is shown beside it. The last line is the ratio of the medians.
// With the path of an empty GUI program as a fifth argument, that program is
// timed against tavrel.exe as well (shown before the last line), which tells
// Wine's cost of starting any GUI process from Tavrel's own.
// Usage: tavrel_scannow_bench PATH\tavrel.exe HOSTKEY QUERYKEY [repetitions [PATH\empty.exe]]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/win32/self_timing.h"

namespace tavrel::bench {
namespace {

struct ProcessRun {
  double cpuSeconds = 0;
  DWORD exitCode = 1;
};

ProcessRun RunProcess(std::wstring commandLine) {
  // Output goes nowhere, as for a program started by a host program.
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE nul =
      CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = nul;
  startup.hStdOutput = nul;
  startup.hStdError = nul;
  PROCESS_INFORMATION process{};
  ProcessRun run;
  const BOOL started =
      CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  CloseHandle(nul);
  if (!started) {
    std::fprintf(stderr, "cannot start: %ls\n", commandLine.c_str());
    std::exit(2);
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  FILETIME created{}, exited{}, kernel{}, user{};
  if (GetProcessTimes(process.hProcess, &created, &exited, &kernel, &user)) {
    auto seconds = [](const FILETIME& t) {
      return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    run.cpuSeconds = seconds(kernel) + seconds(user);
  }
  GetExitCodeProcess(process.hProcess, &run.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

std::wstring Wide(const char* text) { return std::wstring(text, text + std::char_traits<char>::length(text)); }

}  // namespace
}  // namespace tavrel::bench

int main(int argc, char** argv) {
  using namespace tavrel::bench;
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s PATH\\tavrel.exe HOSTKEY QUERYKEY [repetitions [PATH\\empty.exe]]\n", argv[0]);
    return 2;
  }
  const std::wstring scan = L"\"" + Wide(argv[1]) + L"\" /scannow key=" + Wide(argv[2]);
  const std::wstring query = L"reg.exe query \"HKCU\\" + Wide(argv[3]) + L"\"";
  const int repetitions = argc > 4 ? std::atoi(argv[4]) : 15;
  std::vector<double> scanCpu, queryCpu;
  DWORD scanExit = 0;
  const Pair times = TimeAlternately(
      repetitions,
      [&] {
        const ProcessRun run = RunProcess(scan);
        scanCpu.push_back(run.cpuSeconds);
        scanExit |= run.exitCode;
      },
      [&] { queryCpu.push_back(RunProcess(query).cpuSeconds); });
  std::printf("tavrel.exe /scannow, five monitored keys, against reg.exe query of one key (Wine)\n");
  PrintSamples("tavrel.exe /scannow", times.first);
  PrintSamples("reg.exe query", times.second);
  std::printf("CPU time (kernel + user), median: scannow %.1f ms, reg query %.1f ms\n", Median(scanCpu) * 1e3,
              Median(queryCpu) * 1e3);
  if (argc > 5) {
    const std::wstring empty = L"\"" + Wide(argv[5]) + L"\"";
    const Pair gui = TimeAlternately(
        repetitions, [&] { scanExit |= RunProcess(scan).exitCode; }, [&] { RunProcess(empty); });
    std::printf("against an empty Win32 GUI program (one hidden window), alternating:\n");
    PrintSamples("tavrel.exe /scannow", gui.first);
    PrintSamples("empty GUI program", gui.second);
    std::printf("scannow vs empty GUI program ratio: %.2f\n", Median(gui.first) / Median(gui.second));
  }
  std::printf("scannow vs reg query ratio: %.2f\n", Median(times.first) / Median(times.second));
  return scanExit == 0 ? 0 : 1;
}
