#pragma once

#include <QImage>
#include <optional>
#include <span>

namespace qzd::viewer {

// What a JPEG stream's header says about the picture, read without decoding it.
struct JpegHeader {
  int width = 0;
  int height = 0;
  bool greyscale = false;
  bool progressive = false;
};

// The header of a JPEG stream, or nothing when the data is not a readable JPEG.
[[nodiscard]] std::optional<JpegHeader> ReadJpegHeader(std::span<const unsigned char> data);

// Decodes a whole JPEG stream: a greyscale picture into Format_Grayscale8, any other into
// Format_RGB888. Corrupt or truncated data, even data that libjpeg would only warn about, gives a
// null image; nothing is printed and the program is never ended from inside the library.
[[nodiscard]] QImage DecodeJpeg(std::span<const unsigned char> data);

}  // namespace qzd::viewer
