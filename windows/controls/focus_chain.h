// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include "windows/controls/controls.h"

namespace qzd::windows {

// Tab and Shift+Tab along the form's focus order, skipping controls that are hidden themselves or
// inside a hidden frame; a field Tab enters has its whole text selected, as in a dialog.
class FocusChain {
 public:
  explicit FocusChain(const Controls& controls) : controls_(controls) {}
  // Gives the focus to the first control of the order, as the window opens.
  void Start() const;
  void Move(bool backwards) const;

 private:
  const Controls& controls_;
};

}  // namespace qzd::windows
