// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "window/front_end.h"

namespace qzd::windows {

// The open dialog of today's Windows, which takes a path as long as Windows allows: its first
// filter entry on every use, the last chosen file offered.
class OpenDialog {
 public:
  [[nodiscard]] std::optional<window::ChosenFile> Choose(HWND owner);
  void Offer(const window::ChosenFile& file);

 private:
  std::wstring offered_;
};

// A message as the error box shows it: one character per byte, and a NUL, which would end a
// window's text, as its visible symbol, so that what follows it shows too.
[[nodiscard]] std::wstring BoxText(std::string_view text);
// The modal error box under the program's title, with BoxText(text).
void ShowErrorBox(HWND owner, std::string_view text);

}  // namespace qzd::windows
