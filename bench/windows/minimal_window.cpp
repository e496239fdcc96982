// SPDX-License-Identifier: MIT
// The baseline of the Windows start-up benchmark: a bare Win32 window with the viewer's client
// size and place, which paints its background and waits.
#include <windows.h>

namespace {

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = Proc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"MinimalWindow";
  ::RegisterClassExW(&windowClass);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT outer{0, 0, 916, 547};
  ::AdjustWindowRectEx(&outer, style, FALSE, 0);
  HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"Minimal", style, 37, 86,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                  nullptr, instance, nullptr);
  ::ShowWindow(window, show);
  ::UpdateWindow(window);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
