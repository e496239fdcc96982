// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

namespace qzd::viewer {

// The character height of the window font, in pixels.
inline constexpr int kWindowFontPixels = 11;

// "MS Sans Serif" where the system has it, else "Liberation Sans", at `pixelSize` pixels.
// Pixel sizes keep the layout's 96-dpi proportions whatever the screen's point conversion.
[[nodiscard]] QFont WindowFont(int pixelSize);

}  // namespace qzd::viewer
