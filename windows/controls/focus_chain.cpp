// SPDX-License-Identifier: MIT
#include "windows/controls/focus_chain.h"

#include <algorithm>
#include <vector>

#include "windows/controls/display_field.h"

namespace qzd::windows {

void FocusChain::Start() const {
  const std::vector<window::ElementId>& order = window::FocusOrder();
  if (!order.empty()) ::SetFocus(controls_[order.front()].window());
}

void FocusChain::Move(bool backwards) const {
  const std::vector<window::ElementId>& order = window::FocusOrder();
  if (order.empty()) return;
  const auto count = static_cast<std::ptrdiff_t>(order.size());
  HWND focus = ::GetFocus();
  const auto current = std::find_if(order.begin(), order.end(), [&](window::ElementId element) {
    return controls_[element].window() == focus;
  });
  std::ptrdiff_t at = current == order.end() ? (backwards ? 0 : -1) : current - order.begin();
  for (std::ptrdiff_t step = 0; step < count; ++step) {
    at = (at + (backwards ? count - 1 : 1)) % count;
    const window::ElementId element = order[static_cast<std::size_t>(at)];
    HWND next = controls_[element].window();
    if (::IsWindowVisible(next) && ::IsWindowEnabled(next)) {
      ::SetFocus(next);
      if (DisplayField* field = controls_.As<DisplayField>(element)) field->SelectAll();
      return;
    }
  }
}

}  // namespace qzd::windows
