// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace qzd::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;   // a load failed or a fill stopped; for diff: files differ
inline constexpr int kExitTrouble = 2;  // usage error; for diff also a file that cannot be loaded

// Runs `qzd` with its arguments (without the program name), writing to `out` and `err`, and
// returns the exit status.
[[nodiscard]] int RunQzd(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace qzd::cli
