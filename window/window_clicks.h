// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <vector>

#include "window/window_commands.h"
#include "window/window_elements.h"

namespace qzd::window {

// Which element's click runs which command: "load model" loads, `>>` and every page's own frame
// advance. The front ends connect their clicks by this one table.
struct ElementClick {
  ElementId element;
  WindowCommand command;
};

[[nodiscard]] const std::vector<ElementClick>& ElementClicks();

// The command a click on `element` runs; none for an element whose clicks do nothing.
[[nodiscard]] std::optional<WindowCommand> ClickCommand(ElementId element);

}  // namespace qzd::window
