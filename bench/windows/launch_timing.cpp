// SPDX-License-Identifier: MIT
// Start-up of Windows programs inside one Wine (or Windows) session: starts each program in turn,
// ROUNDS times, and takes the time from CreateProcess to the moment its user-interface thread
// first waits for input, which comes after the first paint of its window (Windows hands out
// WM_PAINT only when no other message is waiting). Prints each program's median in ms.
//   launch_timing ROUNDS "PROGRAM [ARGS]" ...
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double StartToIdleMs(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  LARGE_INTEGER frequency, start, idle;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
    return -1;
  const DWORD waited = ::WaitForInputIdle(process.hProcess, 60000);
  ::QueryPerformanceCounter(&idle);
  ::TerminateProcess(process.hProcess, 0);
  ::WaitForSingleObject(process.hProcess, 10000);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  if (waited != 0) return -1;
  return 1000.0 * static_cast<double>(idle.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? -1 : values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const int rounds = std::max(1, static_cast<int>(std::wcstol(argv[1], nullptr, 10)));
  std::vector<std::vector<double>> times(static_cast<std::size_t>(argc - 2));
  // Alternating, so that a slow moment of the machine falls on every program alike.
  for (int round = 0; round < rounds; ++round) {
    for (int i = 2; i < argc; ++i) {
      const double ms = StartToIdleMs(argv[i]);
      if (ms >= 0) times[static_cast<std::size_t>(i - 2)].push_back(ms);
    }
  }
  for (int i = 2; i < argc; ++i) {
    const auto& program = times[static_cast<std::size_t>(i - 2)];
    std::wprintf(L"%ls\t%.1f\t%zu\n", argv[i], Median(program), program.size());
  }
  return 0;
}
