// SPDX-License-Identifier: MIT
#pragma once

namespace qzd::window {

// The program title: the name of the program's task-bar entry and the caption of every error
// message box. Set once at start-up.
inline constexpr char kProgramTitle[] = "DODeruzudevir";

}  // namespace qzd::window
