// SPDX-License-Identifier: MIT
#include "windows/dpi.h"

namespace qzd::windows {
namespace {

template <typename Function>
Function* User32Function(const char* name) {
  static HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

UINT ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kFormDpi;
}

}  // namespace

UINT SystemDpi() {
  static auto* const forSystem = User32Function<UINT WINAPI()>("GetDpiForSystem");
  return forSystem != nullptr ? forSystem() : ScreenDpi();
}

UINT DpiOfWindow(HWND window) {
  static auto* const forWindow = User32Function<UINT WINAPI(HWND)>("GetDpiForWindow");
  const UINT dpi = forWindow != nullptr ? forWindow(window) : 0;
  return dpi != 0 ? dpi : SystemDpi();
}

RECT OuterRect(RECT client, DWORD style, UINT dpi) {
  static auto* const forDpi =
      User32Function<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  if (forDpi == nullptr || !forDpi(&client, style, FALSE, 0, dpi))
    ::AdjustWindowRectEx(&client, style, FALSE, 0);
  return client;
}

}  // namespace qzd::windows
