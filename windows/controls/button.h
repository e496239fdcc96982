// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include "windows/controls/control.h"

namespace qzd::windows {

// A push button; its click reaches the main window as BN_CLICKED, by mouse or key alike.
class Button final : public ChildControl {
 public:
  static constexpr window::ElementKind kKind = window::ElementKind::kButton;

  Button(HINSTANCE instance, const ControlFacts& facts)
      : ChildControl(instance, facts, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON) {
    SetFont(facts.look.font, false);
  }
  // Presses the button as a click does, so that it shows pressed and reports its click.
  void Press() { ::SendMessageW(window(), BM_CLICK, 0, 0); }

 private:
  void Restyle(const ControlLook& look) override { SetFont(look.font, true); }
};

}  // namespace qzd::windows
