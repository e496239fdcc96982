// SPDX-License-Identifier: MIT
#include "window/window_clicks.h"

#include "window/elements.h"

namespace qzd::window {

const std::vector<ElementClick>& ElementClicks() {
  static const std::vector<ElementClick> kClicks = [] {
    std::vector<ElementClick> clicks = {{elements::open, WindowCommand::kLoadModel},
                                        {elements::Button1, WindowCommand::kAdvancePage}};
    for (const PageFacts& page : MainWindowFacts().pages) {
      clicks.push_back({page.frame, WindowCommand::kAdvancePage});
    }
    return clicks;
  }();
  return kClicks;
}

std::optional<WindowCommand> ClickCommand(ElementId element) {
  for (const ElementClick& click : ElementClicks()) {
    if (click.element == element) return click.command;
  }
  return std::nullopt;
}

}  // namespace qzd::window
