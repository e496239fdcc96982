// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string_view>

#include "window/window_elements.h"

namespace qzd::window {

// What a display field shows, in words: the accessible name of the field in every front end and
// the label `qzd diff` prints ("DR AI, Phase 1, DR1").
struct FieldLabel {
  ElementId field;
  std::string_view label;
};

// Every display field that a fill writes, in fill order, with its label: the field map's own, or
// for a field that the form gives a caption of its own, that caption.
[[nodiscard]] std::span<const FieldLabel> DisplayFieldLabels();

}  // namespace qzd::window
