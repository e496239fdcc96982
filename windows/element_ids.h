// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

namespace qzd::windows {

// Every element's window carries its place in the element table as its control id, from this
// base, so that the test helper finds each element in the running window by name.
inline constexpr std::size_t kElementIdBase = 1000;
inline constexpr wchar_t kWindowClass[] = L"TmainForm";

}  // namespace qzd::windows
