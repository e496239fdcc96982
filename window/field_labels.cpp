// SPDX-License-Identifier: MIT
#include "window/field_labels.h"

#include <vector>

#include "model/fill.h"

namespace qzd::window {

namespace {

std::string_view CaptionNaming(std::string_view field) {
  for (const ElementFacts& element : MainWindowFacts().elements) {
    if (element.labelFor == field) return element.caption;
  }
  return {};
}

}  // namespace

std::span<const FieldLabel> DisplayFieldLabels() {
  static const std::vector<FieldLabel> kLabels = [] {
    std::vector<FieldLabel> labels;
    for (const DisplayFieldInfo& field : DisplayFields()) {
      const std::string_view label = field.label.empty() ? CaptionNaming(field.name) : field.label;
      labels.push_back({ElementNamed(field.name), label});
    }
    return labels;
  }();
  return kLabels;
}

}  // namespace qzd::window
