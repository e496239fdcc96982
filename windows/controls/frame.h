// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include "windows/controls/control.h"
#include "windows/controls/drawn.h"

namespace qzd::windows {

// A frame of the form (a page of the page area, or a group): an etched box with its title in the
// window font, holding child controls and the captions and separators drawn on it. A click on
// its own area goes to the topmost caption there, else to the frame, whose click advances the
// page cycle when it is a page's.
class Frame final : public ChildControl {
 public:
  static constexpr window::ElementKind kKind = window::ElementKind::kFrame;
  static void RegisterClass(HINSTANCE instance);

  Frame(HINSTANCE instance, const ControlFacts& facts, ClickHandler clicks);
  [[nodiscard]] DrawnLayer& drawn() noexcept { return drawn_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void ClickAt(POINT at);
  void Restyle(const ControlLook& look) override;

  HFONT font_;
  UINT dpi_;
  ClickHandler clicks_;
  DrawnLayer drawn_;
};

}  // namespace qzd::windows
