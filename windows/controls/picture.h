// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include "windows/controls/control.h"
#include "windows/pictures.h"

namespace qzd::windows {

// One of the built-in pictures, drawn at its size at the window's DPI from the control's corner,
// from the resource of the nearest scale at or above it (decoded on its first painting). It takes
// its clicks and does nothing with them, so that a click on a picture inside a page never reaches
// the page's frame.
class Picture final : public ChildControl {
 public:
  static constexpr window::ElementKind kKind = window::ElementKind::kPictureBox;
  static void RegisterClass(HINSTANCE instance);

  Picture(HINSTANCE instance, const ControlFacts& facts);
  ~Picture() override;
  // The scale of the resource the picture is drawn from; 0 before it is first drawn.
  [[nodiscard]] int sourceScale() const noexcept { return shown_.sourceScale; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void Restyle(const ControlLook& look) override;
  void Forget();

  UINT dpi_;
  LoadedPicture shown_;
};

}  // namespace qzd::windows
