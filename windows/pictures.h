// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string_view>

namespace qzd::windows {

// The built-in picture of that name ("Aeroplane", "Heli", ...) from the program's resources,
// decoded by the Windows Imaging Component into a bitmap the caller owns; null when it cannot be
// decoded. COM must be initialised on the calling thread.
[[nodiscard]] HBITMAP LoadPicture(std::string_view name);

}  // namespace qzd::windows
