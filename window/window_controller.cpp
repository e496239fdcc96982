// SPDX-License-Identifier: MIT
#include "window/window_controller.h"

#include "window/window_clicks.h"

namespace qzd::window {

void WindowController::Click(ElementId element) {
  const std::optional<WindowCommand> command = ClickCommand(element);
  if (command == WindowCommand::kLoadModel) {
    FileOpenClick();
  } else if (command == WindowCommand::kAdvancePage) {
    ChangeHelpScr();
  }
}

}  // namespace qzd::window
