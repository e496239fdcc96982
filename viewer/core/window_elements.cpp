// SPDX-License-Identifier: MIT
#include "viewer/core/window_elements.h"

#include <functional>
#include <map>

namespace qzd::viewer {

const ElementFacts* FindElement(std::string_view name) {
  // Built once: fills look up every field by name, and the window has some 240 elements.
  static const std::map<std::string_view, const ElementFacts*, std::less<>> kByName = [] {
    std::map<std::string_view, const ElementFacts*, std::less<>> byName;
    for (const ElementFacts& element : MainWindowFacts().elements) byName[element.name] = &element;
    return byName;
  }();
  const auto it = kByName.find(name);
  return it == kByName.end() ? nullptr : it->second;
}

std::vector<const ElementFacts*> ChildrenOf(std::string_view parent) {
  std::vector<const ElementFacts*> children;
  for (const ElementFacts& element : MainWindowFacts().elements) {
    if (element.parent == parent) children.push_back(&element);
  }
  return children;
}

}  // namespace qzd::viewer
