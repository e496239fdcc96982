// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "viewer/help_panel_cycle.h"

namespace qzd::viewer {

// The window's two commands: the load command (`FileOpenClick`) and the page cycle's advance
// (`ChangeHelpScr`).
enum class WindowCommand { kLoadModel, kAdvancePage };

// Which element's click runs which command. The desktop window connects these and the browser
// edition dispatches its clicks by them, so the two cannot disagree.
struct ElementClick {
  std::string_view element;
  WindowCommand command;
};

inline constexpr std::array<ElementClick, 6> kElementClicks = {{
    {"open", WindowCommand::kLoadModel},
    {"Button1", WindowCommand::kAdvancePage},
    {kMixerPage, WindowCommand::kAdvancePage},
    {kServoConnectionPage, WindowCommand::kAdvancePage},
    {kModePage, WindowCommand::kAdvancePage},
    {kHeliPage, WindowCommand::kAdvancePage},
}};

// The command a click on `element` runs; none for an element whose clicks do nothing.
[[nodiscard]] constexpr std::optional<WindowCommand> ClickCommand(std::string_view element) {
  for (const ElementClick& click : kElementClicks) {
    if (click.element == element) return click.command;
  }
  return std::nullopt;
}

}  // namespace qzd::viewer
