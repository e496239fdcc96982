// SPDX-License-Identifier: MIT
// The load command in the real Windows window, as bench/load_bench times the Qt window's
// glider_acro_changed: a sample's read, the page reset, the fill and the repaint of what the load
// changed, the files in turn, so that every load changes texts and visibility. Prints the median
// of ROUNDS loads in ms.
//   load_timing ROUNDS FILE...
// clang-format off: windows.h comes before the headers that build on it.
#include <windows.h>
// clang-format on

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "windows/element_ids.h"
#include "windows/main_window.h"

namespace {

// Runs what is waiting, paints included, so that a load starts from a quiet window.
void Settle() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

HWND OwnWindow() {
  HWND found = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        wchar_t name[64] = {};
        ::GetClassNameW(window, name, 64);
        if (std::wstring(name) != qzd::windows::kWindowClass) return TRUE;
        *reinterpret_cast<HWND*>(data) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argc < 3) return 2;
  const int rounds = std::max(1, static_cast<int>(std::wcstol(argv[1], nullptr, 10)));
  std::vector<double> times;
  {
    qzd::windows::TmainForm form(instance);
    if (!form.Create(show)) return 1;
    HWND window = OwnWindow();
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    for (int round = 0; round < rounds; ++round) {
      Settle();
      ::QueryPerformanceCounter(&start);
      form.OpenModelFile(argv[2 + round % (argc - 2)]);
      ::UpdateWindow(window);
      ::QueryPerformanceCounter(&end);
      times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                      static_cast<double>(frequency.QuadPart));
    }
  }
  ::LocalFree(argv);
  std::sort(times.begin(), times.end());
  std::printf("%.2f\n", times[times.size() / 2]);
  return 0;
}
