// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qzd {

// The one store of a run: 513 slots, all 0 at start. A load writes slots 0 to 300 (line n to
// slot n - 1); slots 301 to 512 are never written. Only the reader writes; fills only read.
class ModelValueStore {
 public:
  static constexpr int kSlotCount = 513;
  static constexpr int kLoadedSlotCount = 301;

  // Out-of-range slots are a programming error; they read as 0 rather than out of bounds.
  [[nodiscard]] constexpr std::int32_t value(int slot) const noexcept {
    return slot >= 0 && slot < kSlotCount ? slots_[static_cast<std::size_t>(slot)] : 0;
  }
  constexpr void set(int slot, std::int32_t value) noexcept {
    if (slot >= 0 && slot < kLoadedSlotCount) slots_[static_cast<std::size_t>(slot)] = value;
  }

  friend constexpr bool operator==(const ModelValueStore&, const ModelValueStore&) = default;

 private:
  std::array<std::int32_t, kSlotCount> slots_{};
};

}  // namespace qzd
