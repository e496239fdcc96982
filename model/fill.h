// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/display_update.h"
#include "model/field_maps.h"
#include "model/model_value_store.h"

namespace qzd {

// The model type, from the whole 32-bit value of slot 1; every value but 0 to 3 is unlisted.
enum class ModelType { kEasy = 0, kGlider = 1, kAcro = 2, kHeli = 3, kUnlisted };
inline constexpr int kModelTypeSlot = 1;
[[nodiscard]] ModelType ModelTypeOf(std::int32_t code) noexcept;

// Works out one fill from the store alone. Never writes the store; the same store always gives
// the same update.
[[nodiscard]] DisplayUpdate BuildDisplayUpdate(const ModelValueStore& store);

// A display field that a fill writes, with the human label of what it shows
// (e.g. "DR AI, Phase 1, DR1"; empty where the window labels the field with a caption of its own).
// `slot` is -1 for none.
struct DisplayFieldInfo {
  std::string_view name;
  int slot;
  std::string_view label;
};

// The control fields (pos0 among them), the model type field pos1 and the mixer fields.
inline constexpr std::size_t kDisplayFieldCount = 1 + kControlSettingsCount + kMixerSettingsCount;

// All 140 display fields that a complete fill sets, in fill order (pos0, pos1, thr, Mode, ...).
[[nodiscard]] std::span<const DisplayFieldInfo> DisplayFields();

}  // namespace qzd
