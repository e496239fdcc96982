// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

#include "window/front_end.h"
#include "window/window_elements.h"

namespace qzd::window {

// The page that the next advance shows, by its number in the form: 1 MIXER, 2 Servo Connection,
// 3 Mode, 4 Heli. 0 means the cycle has neither advanced nor been reset since start-up; an advance
// then acts as for 2.
struct HelpPanelState {
  std::int32_t value = 0;
  friend bool operator==(HelpPanelState, HelpPanelState) = default;
};

// One advance from `state`: the page to show, then the three to hide in this order.
struct PageCycleStep {
  HelpPanelState state;
  int show;
  std::array<int, 3> hide;
  HelpPanelState next;
};

inline constexpr std::array<PageCycleStep, 4> kPageCycleSteps = {{
    {{1}, 1, {2, 3, 4}, {2}},
    {{2}, 2, {1, 3, 4}, {3}},
    {{3}, 3, {2, 1, 4}, {4}},
    {{4}, 4, {2, 1, 3}, {1}},
}};

// The page cycle of the right-hand page area. It shows and hides only the pages' own frames:
// it changes no text and never touches the `>>` button.
class PageCycle {
 public:
  explicit PageCycle(FrontEnd& frontEnd) : frontEnd_(frontEnd) {}

  // ChangeHelpScr: shows the page the state names, hides the other three and moves the state on.
  void Advance();

  // Makes the next advance show page 1, MIXER; the load command does this before its advance.
  void Reset() noexcept { state_ = HelpPanelState{1}; }

  // Advances until `page` lies on top; no advance when it already does.
  void ShowPage(const PageFacts& page);

  [[nodiscard]] HelpPanelState state() const noexcept { return state_; }
  // The page on top: the one the last advance showed. At start all four pages are visible and
  // the form stacks page 1 above the others.
  [[nodiscard]] int shown() const noexcept { return shown_; }

 private:
  FrontEnd& frontEnd_;
  HelpPanelState state_;
  int shown_ = 1;
};

}  // namespace qzd::window
