// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "model/model_value_store.h"
#include "window/window_state.h"

namespace qzd::cli {

// One side of a comparison: a file loaded into a fresh store and filled into a fresh window.
struct DiffSide {
  std::string path;
  const ModelValueStore& store;
  const window::WindowState& window;
};

struct DiffResult {
  std::string report;         // header, one line per differing field, the count line
  bool valuesDiffer = false;  // any of the 301 loaded values differs
};

// Lists every display field whose text or visibility differs, by its human label with both
// values, then counts the loaded slots that no field shows and that differ; `listUnshownSlots`
// lists those slots one by one before the count.
[[nodiscard]] DiffResult DiffModels(const DiffSide& a, const DiffSide& b, bool listUnshownSlots);

}  // namespace qzd::cli
