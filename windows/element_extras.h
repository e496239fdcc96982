// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "window/window_elements.h"

namespace qzd::windows {

// What the Windows window takes from the form beyond the core's element table.
struct ElementExtras {
  std::string_view accessibleName;  // UTF-8; empty: the element's text names it
  std::string_view accessibleDescription;
  int fontPixelSize;  // the element's own font size, 0 for the window font
  bool highlight;     // the text takes the system's highlight colour
};

[[nodiscard]] const ElementExtras& ExtrasOf(window::ElementId element) noexcept;

}  // namespace qzd::windows
