// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include "windows/controls/control.h"

namespace qzd::windows {

// One of the built-in pictures, drawn at its own size from the control's corner. It takes its
// clicks and does nothing with them, so that a click on a picture inside a page never reaches
// the page's frame.
class Picture final : public ChildControl {
 public:
  static constexpr window::ElementKind kKind = window::ElementKind::kPictureBox;
  static void RegisterClass(HINSTANCE instance);

  Picture(HINSTANCE instance, const ControlFacts& facts);
  ~Picture() override;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();

  HBITMAP bitmap_ = nullptr;
};

}  // namespace qzd::windows
