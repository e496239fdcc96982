#pragma once

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
// label of what it shows ("DR AI, Phase 1, DR1").
struct FieldMapRow {
  std::string_view name;
  int slot;
  TextForm form;
  std::string_view label;
};

// The control settings, in fill order: pos0 first (the fill sets it before the model type), then
// thr, Mode, phases, the DR1 and DR2 values, EXP, FIX, TRIM and the servo columns. 74 rows.
[[nodiscard]] std::span<const FieldMapRow> ControlSettingsMap() noexcept;

// The mixer and free-mixer settings, in fill order. 65 rows.
[[nodiscard]] std::span<const FieldMapRow> MixerSettingsMap() noexcept;

inline constexpr std::string_view kUnnamedChannel = "??";

// An inclusive range of channel codes, compared as signed integers.
struct ChannelRange {
  std::int32_t low;
  std::int32_t high;
};

// ChannelText of v inside `range`, kUnnamedChannel outside it.
[[nodiscard]] FieldText GuardedChannelText(std::int32_t v, ChannelRange range);

// The text of one stored value under `form`.
[[nodiscard]] FieldText TextOf(TextForm form, std::int32_t v);

// The same, written into `out` (see WriteResult).
WriteResult WriteTextOf(TextForm form, std::int32_t v, std::string& out);

}  // namespace qzd
