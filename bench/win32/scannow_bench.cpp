// The process time of a start-up scan -- tavrel.exe /scannow key=HOST with a
// watch list of five monitored keys beside it -- against "reg.exe query" of
// one key (the cost of starting any process in the same Wine prefix) and, when
// its path is given, an empty Win32 GUI program (Wine's cost of starting any
// GUI process). All are started with CreateProcessW and waited for, in
// rotated order; the time is from the start to the end of the process (wall
// clock; bench/scannow-memory shows the CPU time). The last lines are the
// ratios of the medians, reg.exe's last.
// Usage: tavrel_scannow_bench PATH\tavrel.exe HOSTKEY QUERYKEY [repetitions [PATH\empty.exe]]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/win32/self_timing.h"

namespace tavrel::bench {
namespace {

// Answers the process's exit code.
DWORD RunProcess(std::wstring commandLine) {
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
  const BOOL started =
      CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  CloseHandle(nul);
  if (!started) {
    std::fprintf(stderr, "cannot start: %ls\n", commandLine.c_str());
    std::exit(2);
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
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
  const std::wstring empty = argc > 5 ? L"\"" + Wide(argv[5]) + L"\"" : std::wstring();
  DWORD scanExit = 0;
  std::vector<std::function<void()>> sides{[&] { scanExit |= RunProcess(scan); }, [&] { (void)RunProcess(query); }};
  if (!empty.empty()) sides.emplace_back([&] { (void)RunProcess(empty); });
  const std::vector<std::vector<double>> times = TimeRotated(repetitions, sides);
  std::printf("tavrel.exe /scannow, five monitored keys, against reg.exe query of one key%s (Wine, rotated order)\n",
              empty.empty() ? "" : " and an empty Win32 GUI program");
  PrintSamples("tavrel.exe /scannow", times[0]);
  PrintSamples("reg.exe query", times[1]);
  if (!empty.empty()) PrintSamples("empty GUI program", times[2]);
  if (!empty.empty()) {
    std::printf("scannow vs empty GUI program ratio: %.2f\n", Median(times[0]) / Median(times[2]));
  }
  std::printf("scannow vs reg query ratio: %.2f\n", Median(times[0]) / Median(times[1]));
  return scanExit == 0 ? 0 : 1;
}
