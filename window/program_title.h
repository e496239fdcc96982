// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace qzd::window {

// The program title: the name of the program's task-bar entry and the caption of every error
// message box. Set once at start-up.
inline constexpr char kProgramTitle[] = "DODeruzudevir";

// The open dialog's filter, set on every use: descriptions and patterns, all four parts separated
// by "|". Each front end turns it into its own dialog's form.
inline constexpr std::string_view kModelFileFilter =
    "QZ Model files (*.qzd)|*.qzd|All files (*.*)|*.*";

}  // namespace qzd::window
