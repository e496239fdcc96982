// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "window/window_state.h"

namespace qzd::window {

// The readable model sheet of `qzd show`: the window's header, then its CONTROL, SERVO, TRIM and
// MIXER frames with their captions as the form writes them, in the window's order. A field whose
// visibility flag is off is left out, and so is a row whose fields are all hidden. Texts stand
// between quotes. `filePath` is what the path field shows.
[[nodiscard]] std::string RenderModelSheet(const window::WindowState& window,
                                           std::string_view filePath);

}  // namespace qzd::window
