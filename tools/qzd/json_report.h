// SPDX-License-Identifier: MIT
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "model/display_update.h"
#include "model/load_failure.h"

namespace qzd::cli {

// Writes the lines of `qzd json`: per file an object with the keys "file", "load_error",
// "actions" and "stop" in this order. One writer serves a whole run and keeps its document
// between lines, so that thousands of files do not cost thousands of JSON trees.
class JsonReportWriter {
 public:
  JsonReportWriter();

  // The line (without its line end) for one file; `update` is absent when the load failed and no
  // fill ran.
  [[nodiscard]] std::string Line(std::string_view path, const std::optional<LoadFailure>& failure,
                                 const std::optional<DisplayUpdate>& update);

 private:
  using Json = nlohmann::ordered_json;
  Json line_;
  Json actions_;  // kept here, with its entries, while a line has no actions
};

}  // namespace qzd::cli
