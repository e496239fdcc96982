// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include "window/window_elements.h"

namespace qzd::windows {

// The form's lengths are pixels at 96 dots per inch; the window lays itself out at the DPI of the
// monitor it is on, dpi / 96 times the form.
inline constexpr UINT kFormDpi = 96;

// A length of the form at `dpi`, to the nearest pixel, halves up. Every edge goes through this one
// rule from the window's corner, so elements that meet in the form meet on the screen.
[[nodiscard]] constexpr int Scaled(int length, UINT dpi) noexcept {
  const long long scaled = static_cast<long long>(length) * dpi + kFormDpi / 2;
  const long long floor = scaled >= 0 ? scaled / kFormDpi : -((-scaled + kFormDpi - 1) / kFormDpi);
  return static_cast<int>(floor);
}

// A font's height at `dpi`: to the nearest pixel as well, but halves down. A hinted outline font's
// text grows faster than its height, and a caption that is set among fields by its blanks must not
// run under them.
[[nodiscard]] constexpr int ScaledFontHeight(int height, UINT dpi) noexcept {
  return Scaled(height, dpi) - (static_cast<long long>(height) * dpi % kFormDpi == kFormDpi / 2);
}

// A rectangle of the window's client area in the form at `dpi`: each edge scaled on its own.
[[nodiscard]] constexpr RECT ScaledEdges(const window::ElementRect& form, UINT dpi) noexcept {
  return {Scaled(form.x, dpi), Scaled(form.y, dpi), Scaled(form.x + form.width, dpi),
          Scaled(form.y + form.height, dpi)};
}

// The functions of Windows 10 1607 and later are looked up when first asked for; an older Windows
// has one DPI for every window, the screen's.
[[nodiscard]] UINT SystemDpi();
[[nodiscard]] UINT DpiOfWindow(HWND window);
// The outer rectangle of a window of `style` around `client` at `dpi`.
[[nodiscard]] RECT OuterRect(RECT client, DWORD style, UINT dpi);

}  // namespace qzd::windows
