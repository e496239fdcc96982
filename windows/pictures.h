// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string_view>

namespace qzd::windows {

// The scales the resources hold every picture at: NAME for 1, NAME_2X and NAME_3X.
inline constexpr int kLargestPictureScale = 3;

struct LoadedPicture {
  HBITMAP bitmap = nullptr;  // the caller's; null when the picture cannot be decoded
  int sourceScale = 0;       // of the resource it was made from
};

// The built-in picture of that name ("Aeroplane", "Heli", ...) at `dpi`, decoded by the Windows
// Imaging Component from the program's resources: from the copy of the smallest scale that is at
// least dpi / 96 times the form (the largest there is, when none is), scaled down with an area
// filter where it is larger. Starts COM on the calling thread.
[[nodiscard]] LoadedPicture LoadPicture(std::string_view name, UINT dpi);

}  // namespace qzd::windows
