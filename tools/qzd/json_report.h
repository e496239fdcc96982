#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/display_update.h"
#include "model/load_failure.h"

namespace qzd::cli {

// One line of `qzd json` (without its line end): an object with the keys "file", "load_error",
// "actions" and "stop" in this order. `update` is absent when the load failed and no fill ran.
[[nodiscard]] std::string JsonReportLine(std::string_view path,
                                         const std::optional<LoadFailure>& failure,
                                         const std::optional<DisplayUpdate>& update);

}  // namespace qzd::cli
