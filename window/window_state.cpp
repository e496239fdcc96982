// SPDX-License-Identifier: MIT
#include "window/window_state.h"

#include "window/elements.h"

namespace qzd::window {

WindowState::WindowState() {
  const auto& facts = MainWindowFacts().elements;
  elements_.reserve(facts.size());
  for (const ElementFacts& element : facts) {
    elements_.push_back({std::string(element.caption), element.visible});
  }
}

void WindowState::SetText(ElementId element, std::string_view text) {
  elements_[element.index()].text = text;
}

void WindowState::SetVisible(ElementId element, bool visible) {
  elements_[element.index()].visible = visible;
}

void WindowState::SetFilePath(const ChosenFile& file) {
  SetText(elements::FilePath, file.path);
}

const std::string& WindowState::text(ElementId element) const {
  return elements_[element.index()].text;
}

bool WindowState::visible(ElementId element) const {
  return elements_[element.index()].visible;
}

bool WindowState::seen(ElementId element) const {
  const std::string_view window = MainWindowFacts().name;
  // The table lists parents before their elements, so the walk up ends at the window.
  for (ElementId at = element;;) {
    if (!visible(at)) return false;
    const std::string_view parent = at.facts().parent;
    if (parent == window) return true;
    at = ElementNamed(parent);
  }
}

const std::string& WindowState::text(std::string_view element) const {
  return text(ElementNamed(element));
}

bool WindowState::visible(std::string_view element) const {
  return visible(ElementNamed(element));
}

bool WindowState::seen(std::string_view element) const {
  return seen(ElementNamed(element));
}

}  // namespace qzd::window
