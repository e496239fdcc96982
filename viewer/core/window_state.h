// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/display_update.h"
#include "viewer/core/window_elements.h"
#include "viewer/help_panel_cycle.h"

namespace qzd::viewer {

// The main window without a screen: every element's text and own visibility flag, starting as the
// form opens the window (captions and titles as written, fields empty, the form's hidden elements
// hidden). It takes the same updates and page changes as the window, so tools, tests and other
// front ends follow what the window shows.
class WindowState final : public PageFrames {
 public:
  WindowState();

  // Does the update's actions in their order; a hidden field takes its text like a visible one.
  // Returns the update's stop, if it has one, after every action before it has been done.
  std::optional<FillStop> Apply(const DisplayUpdate& update);

  // A name the window does not have changes nothing.
  void SetText(std::string_view element, std::string_view text);
  void SetVisible(std::string_view element, bool visible);
  void SetPageVisible(std::string_view frame, bool visible) override { SetVisible(frame, visible); }

  // An unknown name reads as an empty, invisible element.
  [[nodiscard]] const std::string& text(std::string_view element) const;
  [[nodiscard]] bool visible(std::string_view element) const;
  // Seen: the element and every frame around it are visible.
  [[nodiscard]] bool seen(std::string_view element) const;

 private:
  struct Element {
    std::string text;
    bool visible = true;
  };
  [[nodiscard]] Element* Find(std::string_view name);
  [[nodiscard]] const Element* Find(std::string_view name) const;

  std::vector<Element> elements_;  // in the order of MainWindowFacts().elements
};

}  // namespace qzd::viewer
