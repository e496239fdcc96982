// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "window/front_end.h"

namespace qzd::windows {

// The classic open dialog: its first filter entry on every use, the last chosen file offered.
// A path longer than the classic limit fails the dialog, as the desktop's does.
class OpenDialog {
 public:
  [[nodiscard]] std::optional<window::ChosenFile> Choose(HWND owner);
  void Offer(const window::ChosenFile& file);

 private:
  std::wstring offered_;
};

// The modal error box under the program's title: `text` exactly, one character per byte.
void ShowErrorBox(HWND owner, std::string_view text);

}  // namespace qzd::windows
