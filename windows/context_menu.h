// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <vector>

#include "window/front_end.h"

namespace qzd::windows {

// The window's context menu: one item per entry, "Name<Tab>Keys", greyed out while its command
// cannot run. It is made when first shown, so that it costs the window's start nothing.
class ContextMenu {
 public:
  ContextMenu() = default;
  ~ContextMenu();
  ContextMenu(const ContextMenu&) = delete;
  ContextMenu& operator=(const ContextMenu&) = delete;

  // Shows the menu modally at `at` (screen coordinates) over `owner`: the command of the item
  // chosen, or none. The entries are the same on every call but for whether each can run.
  [[nodiscard]] std::optional<window::WindowCommand> Show(
      HWND owner, std::span<const window::MenuEntry> entries, POINT at);

 private:
  HMENU menu_ = nullptr;
  std::vector<window::WindowCommand> commands_;  // by item position
};

}  // namespace qzd::windows
