// SPDX-License-Identifier: MIT
// Run by the build: every element name that the model's tables use (the field maps and the model
// type's show and hide rules) must be an element of the form of the right kind, so that a name
// removed from or misspelt against the form fails the build instead of a run.
#include <cstdio>
#include <string_view>

#include "model/fill.h"
#include "window/window_elements.h"

namespace {

int Problem(std::string_view name, const char* what) {
  std::fprintf(stderr, "check_element_names: '%.*s' %s\n", static_cast<int>(name.size()),
               name.data(), what);
  return 1;
}

}  // namespace

int main() {
  using namespace qzd;
  int problems = 0;
  for (const DisplayFieldInfo& field : DisplayFields()) {
    const auto element = window::FindElement(field.name);
    if (!element) {
      problems += Problem(field.name, "is a display field the form does not have");
    } else if (element->facts().kind != window::ElementKind::kDisplayField) {
      problems += Problem(field.name, "is not a display field in the form");
    }
  }
  // Every model type, and one no type is, shows and hides its own elements.
  for (std::int32_t type = -1; type <= 4; ++type) {
    ModelValueStore store;
    store.set(kModelTypeSlot, type);
    for (const DisplayAction& action : BuildDisplayUpdate(store).actions) {
      if (!window::FindElement(action.element)) {
        problems += Problem(action.element, "is shown or hidden but the form has no such element");
      }
    }
  }
  return problems == 0 ? 0 : 1;
}
