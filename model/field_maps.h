// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/model_value_store.h"
#include "model/value_codes.h"

namespace qzd {

// How a field turns its stored code into text. The two guarded channel forms never fail: a code
// outside the field's own range shows kUnnamedChannel.
enum class TextForm {
  kPlain,
  kSigned,
  kExpo,
  kDoubled,
  kTimesFive,
  kMode,
  kServoNumber,
  kChannel,
  kSwitch,
  kChannelToS4,  // channel 4 assignment: 2 to 7
  kChannelToS5,  // channel 5 assignment: 1 to 7
};

// One value field: the window element it writes, the slot it shows, its text form and the human
// label of what it shows ("DR AI, Phase 1, DR1"). A field that the window labels with a caption of
// its own beside it has no label here: the window names it by that caption.
struct FieldMapRow {
  std::string_view name;
  int slot;
  TextForm form;
  std::string_view label;
};

inline constexpr std::size_t kControlSettingsCount = 74;
inline constexpr std::size_t kMixerSettingsCount = 65;

// The control settings, in fill order: pos0 first (the fill sets it before the model type), then
// thr, Mode, phases, the DR1 and DR2 values, EXP, FIX, TRIM and the servo columns.
[[nodiscard]] std::span<const FieldMapRow, kControlSettingsCount> ControlSettingsMap() noexcept;

// The mixer and free-mixer settings, in fill order.
[[nodiscard]] std::span<const FieldMapRow, kMixerSettingsCount> MixerSettingsMap() noexcept;

inline constexpr std::string_view kUnnamedChannel = "??";

// The text of one stored value under `form`, written into `out` (see WriteResult).
WriteResult TextOf(TextForm form, std::int32_t v, std::string& out);

}  // namespace qzd
