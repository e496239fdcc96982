// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

namespace qzd::viewer {

// The window font of the form: its family where the system has it, else the face the form names
// to stand in for it, at the form's pixel size. Pixel sizes keep the layout's 96-dpi proportions
// whatever the screen's point conversion.
[[nodiscard]] QFont WindowFont();

}  // namespace qzd::viewer
