// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <span>

namespace qzd::viewer {

// Decodes a whole JPEG stream: a greyscale picture into Format_Grayscale8, any other into
// Format_RGB32. Corrupt or truncated data, even data that libjpeg would only warn about, gives a
// null image; nothing is printed and the program is never ended from inside the library.
[[nodiscard]] QImage DecodeJpeg(std::span<const unsigned char> data);

}  // namespace qzd::viewer
