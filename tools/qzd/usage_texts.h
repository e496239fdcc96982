// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace qzd::cli {

// The texts of `qzd --help` and `qzd help SUBCOMMAND`.
extern const std::string_view kGeneralHelp;
extern const std::string_view kJsonHelp;
extern const std::string_view kShowHelp;
extern const std::string_view kDiffHelp;

}  // namespace qzd::cli
