// SPDX-License-Identifier: MIT
// Start-up of Windows programs inside one Wine (or Windows) session: starts each program in turn,
// ROUNDS times, and takes the time from CreateProcess to the moment its window has painted its
// first frame. Both the viewer and the bare window paint it with UpdateWindow before their message
// loop, so a visible window of the process that answers a sent message has painted it.
// WaitForInputIdle alone is no such sign under Wine: its first window's set-up waits for messages
// inside the window system's driver, which marks the program idle before its window exists.
// Prints each program's median in ms.
//   launch_timing ROUNDS "PROGRAM [ARGS]" ...
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD process;
  HWND window;
};

HWND VisibleWindowOf(DWORD process) {
  Search search{process, nullptr};
  ::EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner != s->process || !::IsWindowVisible(window)) return TRUE;
        s->window = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.window;
}

// True once a visible window of the process has answered, false when none did within a minute.
bool WaitForFirstFrame(const PROCESS_INFORMATION& process) {
  const ULONGLONG end = ::GetTickCount64() + 60000;
  while (::GetTickCount64() < end) {
    if (HWND window = VisibleWindowOf(process.dwProcessId)) {
      DWORD_PTR ignored = 0;
      if (::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored)) return true;
    }
    if (::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) return false;
  }
  return false;
}

double StartToFirstFrameMs(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  LARGE_INTEGER frequency, start, idle;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
    return -1;
  const bool painted = WaitForFirstFrame(process);
  ::QueryPerformanceCounter(&idle);
  ::TerminateProcess(process.hProcess, 0);
  ::WaitForSingleObject(process.hProcess, 10000);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  if (!painted) return -1;
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
      const double ms = StartToFirstFrameMs(argv[i]);
      if (ms >= 0) times[static_cast<std::size_t>(i - 2)].push_back(ms);
    }
  }
  for (int i = 2; i < argc; ++i) {
    const auto& program = times[static_cast<std::size_t>(i - 2)];
    std::wprintf(L"%ls\t%.1f\t%zu\n", argv[i], Median(program), program.size());
  }
  return 0;
}
