#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/model_value_store.h"

namespace qzd {

// One action of a fill, addressed to a window element by its name.
struct DisplayAction {
  enum class Kind { SetText, Show, Hide };
  Kind kind;
  std::string_view element;  // points into static tables; valid for the whole run
  std::string text;          // SetText only: the field's whole new text (bytes, one per character)

  friend bool operator==(const DisplayAction&, const DisplayAction&) = default;
};

// The fill ended early at a field whose text form failed.
struct FillStop {
  std::string message;  // "Integer overflow" or "Range check error"
  friend bool operator==(const FillStop&, const FillStop&) = default;
};

// The ordered actions of one fill, possibly ending in a FillStop.
struct DisplayUpdate {
  std::vector<DisplayAction> actions;
  std::optional<FillStop> stop;
  friend bool operator==(const DisplayUpdate&, const DisplayUpdate&) = default;
};

// The model type, from the whole 32-bit value of slot 1; every value but 0 to 3 is unlisted.
enum class ModelType { kEasy = 0, kGlider = 1, kAcro = 2, kHeli = 3, kUnlisted };
inline constexpr int kModelTypeSlot = 1;
[[nodiscard]] ModelType ModelTypeOf(std::int32_t code) noexcept;

// Works out one fill from the store alone. Never writes the store; the same store always gives
// the same update.
[[nodiscard]] DisplayUpdate BuildDisplayUpdate(const ModelValueStore& store);

// A display field that a fill writes, with the human label of what it shows
// (e.g. "DR AI, Phase 1, DR1"). `slot` is -1 for none.
struct DisplayFieldInfo {
  std::string_view name;
  int slot;
  std::string_view label;
};

inline constexpr std::size_t kDisplayFieldCount = 140;

// All 140 display fields that a complete fill sets, in fill order (pos0, pos1, thr, Mode, ...).
[[nodiscard]] std::span<const DisplayFieldInfo> DisplayFields();

}  // namespace qzd
