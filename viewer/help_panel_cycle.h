// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace qzd::viewer {

// The page that the next advance shows: 1 MIXER, 2 Servo Connection, 3 Mode, 4 Heli. 0 means
// the cycle has neither advanced nor been reset since start-up; an advance then acts as for 2.
struct HelpPanelState {
  std::int32_t value = 0;
  friend bool operator==(HelpPanelState, HelpPanelState) = default;
};

inline constexpr std::string_view kMixerPage = "GroupBox3";
inline constexpr std::string_view kServoConnectionPage = "GroupBox5";
inline constexpr std::string_view kModePage = "GroupBox6";
inline constexpr std::string_view kHeliPage = "GroupBox7";

// One advance from `state`: the page frame to show, then the three to hide in this order.
struct HelpPanelStep {
  HelpPanelState state;
  std::string_view show;
  std::array<std::string_view, 3> hide;
  HelpPanelState next;
};

inline constexpr std::array<HelpPanelStep, 4> kHelpPanelSteps = {{
    {{1}, kMixerPage, {kServoConnectionPage, kModePage, kHeliPage}, {2}},
    {{2}, kServoConnectionPage, {kMixerPage, kModePage, kHeliPage}, {3}},
    {{3}, kModePage, {kServoConnectionPage, kMixerPage, kHeliPage}, {4}},
    {{4}, kHeliPage, {kServoConnectionPage, kMixerPage, kModePage}, {1}},
}};

// Sets a page frame's own visibility flag; the elements inside keep theirs.
class PageFrames {
 public:
  virtual ~PageFrames() = default;
  virtual void SetPageVisible(std::string_view frame, bool visible) = 0;
};

// The page cycle of the right-hand page area. Changes no text and never touches the `>>` button.
class HelpPanelCycle {
 public:
  explicit HelpPanelCycle(PageFrames& frames) : frames_(frames) {}

  // ChangeHelpScr: shows the page the state names, hides the other three and moves the state on.
  void Advance();

  // Makes the next advance show the MIXER page; the load command does this before its advance.
  void ResetToMixer() noexcept { state_ = HelpPanelState{1}; }

  [[nodiscard]] HelpPanelState state() const noexcept { return state_; }

 private:
  PageFrames& frames_;
  HelpPanelState state_;
};

}  // namespace qzd::viewer
