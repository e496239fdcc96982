// SPDX-License-Identifier: MIT
#include "window/window_elements.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace qzd::window {

namespace {

// The elements' indices sorted by name, built once: a fill looks up 140 fields by name.
const std::vector<std::uint16_t>& ByName() {
  static const std::vector<std::uint16_t> kByName = [] {
    const auto elements = MainWindowFacts().elements;
    std::vector<std::uint16_t> indices(elements.size());
    for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<std::uint16_t>(i);
    std::sort(indices.begin(), indices.end(), [&](std::uint16_t a, std::uint16_t b) {
      return elements[a].name < elements[b].name;
    });
    return indices;
  }();
  return kByName;
}

}  // namespace

const ElementFacts& ElementId::facts() const noexcept {
  return MainWindowFacts().elements[index_];
}

std::string_view ElementId::name() const noexcept {
  return facts().name;
}

std::optional<ElementId> FindElement(std::string_view name) {
  const auto elements = MainWindowFacts().elements;
  const auto& byName = ByName();
  const auto it = std::lower_bound(
      byName.begin(), byName.end(), name,
      [&](std::uint16_t index, std::string_view wanted) { return elements[index].name < wanted; });
  if (it == byName.end() || elements[*it].name != name) return std::nullopt;
  return ElementId{*it};
}

ElementId ElementNamed(std::string_view name) {
  if (const std::optional<ElementId> id = FindElement(name)) return *id;
  UnknownElement(name);
}

void UnknownElement(std::string_view name) {
  // Every name the code passes comes from the form or a table checked against it at build time;
  // one that is not there is a bug that no user action can cause, and carrying on would hide it.
  std::fprintf(stderr, "qzd: the window has no element '%s'\n", std::string(name).c_str());
  std::abort();
}

std::vector<ElementId> ChildrenOf(std::string_view parent) {
  std::vector<ElementId> children;
  const auto elements = MainWindowFacts().elements;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    if (elements[i].parent == parent) children.emplace_back(static_cast<std::uint16_t>(i));
  }
  return children;
}

const std::vector<ElementId>& FocusOrder() {
  static const std::vector<ElementId> kOrder = [] {
    std::vector<std::pair<int, std::uint16_t>> stops;
    const auto elements = MainWindowFacts().elements;
    for (std::size_t i = 0; i < elements.size(); ++i) {
      if (elements[i].tabOrder >= 0)
        stops.emplace_back(elements[i].tabOrder, static_cast<std::uint16_t>(i));
    }
    std::sort(stops.begin(), stops.end());
    std::vector<ElementId> order;
    for (const auto& [position, index] : stops) order.emplace_back(index);
    return order;
  }();
  return kOrder;
}

const PageFacts* PageNumbered(int number) {
  for (const PageFacts& page : MainWindowFacts().pages) {
    if (page.number == number) return &page;
  }
  return nullptr;
}

const PageFacts* PageNamed(std::string_view name) {
  for (const PageFacts& page : MainWindowFacts().pages) {
    if (page.name == name) return &page;
  }
  return nullptr;
}

}  // namespace qzd::window
