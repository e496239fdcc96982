// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace qzd::cli {

// The texts of `qzd --help` and `qzd help SUBCOMMAND`.
extern const std::string_view kGeneralHelp;
extern const std::string_view kJsonHelp;
extern const std::string_view kShowHelp;
extern const std::string_view kDiffHelp;
// `qzd --version`: the tool's name and the project's version, one line.
extern const std::string_view kVersionText;

}  // namespace qzd::cli
