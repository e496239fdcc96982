// SPDX-License-Identifier: MIT
#include "viewer/core/window_state.h"

namespace qzd::viewer {

namespace {

// The element's place in the table, or nothing.
std::optional<std::size_t> IndexOf(std::string_view name) {
  const ElementFacts* facts = FindElement(name);
  if (facts == nullptr) return std::nullopt;
  return static_cast<std::size_t>(facts - MainWindowFacts().elements.data());
}

}  // namespace

WindowState::WindowState() {
  const auto& facts = MainWindowFacts().elements;
  elements_.reserve(facts.size());
  for (const ElementFacts& element : facts) {
    elements_.push_back({std::string(element.caption), element.visible});
  }
}

std::optional<FillStop> WindowState::Apply(const DisplayUpdate& update) {
  return ApplyDisplayUpdate(update, *this);
}

void WindowState::SetText(std::string_view element, std::string_view text) {
  if (Element* e = Find(element)) e->text = text;
}

void WindowState::SetVisible(std::string_view element, bool visible) {
  if (Element* e = Find(element)) e->visible = visible;
}

const std::string& WindowState::text(std::string_view element) const {
  static const std::string kNone;
  const Element* e = Find(element);
  return e == nullptr ? kNone : e->text;
}

bool WindowState::visible(std::string_view element) const {
  const Element* e = Find(element);
  return e != nullptr && e->visible;
}

bool WindowState::seen(std::string_view element) const {
  const std::string_view window = MainWindowFacts().name;
  // The table lists parents before their elements, so the walk up ends at the window.
  for (const ElementFacts* facts = FindElement(element); facts != nullptr;
       facts = FindElement(facts->parent)) {
    if (!visible(facts->name)) return false;
    if (facts->parent == window) return true;
  }
  return false;
}

WindowState::Element* WindowState::Find(std::string_view name) {
  const std::optional<std::size_t> index = IndexOf(name);
  return index ? &elements_[*index] : nullptr;
}

const WindowState::Element* WindowState::Find(std::string_view name) const {
  const std::optional<std::size_t> index = IndexOf(name);
  return index ? &elements_[*index] : nullptr;
}

}  // namespace qzd::viewer
