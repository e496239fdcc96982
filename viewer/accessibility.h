// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string_view>

namespace qzd::viewer {

class TmainForm;

// What a screen reader announces for an element that has no caption of its own to read, or
// whose caption alone does not say what it shows.
struct AccessibleText {
  std::string_view element;
  std::string_view name;  // empty: the element's own caption or text serves as its name
  std::string_view description;
};

// The buttons, the path field, the pictures and the frames and pages. The display fields take
// their names from the model library's field labels instead, the same labels `qzd diff` uses.
[[nodiscard]] std::span<const AccessibleText> AccessibleTexts();

// Names and describes every element of the window for assistive technology: each display field
// by its label ("DR AI, Phase 1, DR1"), the rest from AccessibleTexts(). Display fields paint
// their own text, so they are also made known to the accessibility tree as editable text fields
// with their text as value, and the editor a field makes when the user enters it takes the
// field's name.
void SetUpAccessibility(TmainForm& window);

}  // namespace qzd::viewer
