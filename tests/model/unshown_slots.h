// SPDX-License-Identifier: MIT
#pragma once

#include <array>

namespace qzd::testing {

// The loaded slots (0 to 300) that no field of the window shows, as the store layout lists them:
// 161 slots in all.
struct SlotRange {
  int first;
  int last;
};
inline constexpr std::array<SlotRange, 27> kUnshownSlots = {{
    {2, 7},     {11, 12},   {19, 20},   {29, 32},   {35, 38},   {40, 41},   {50, 53},
    {56, 59},   {61, 62},   {64, 65},   {68, 71},   {76, 76},   {78, 95},   {126, 141},
    {143, 145}, {152, 153}, {160, 160}, {162, 164}, {171, 172}, {179, 179}, {181, 183},
    {190, 191}, {198, 198}, {202, 202}, {212, 213}, {223, 224}, {234, 300},
}};

inline bool Unshown(int slot) {
  for (const SlotRange& range : kUnshownSlots) {
    if (slot >= range.first && slot <= range.last) return true;
  }
  return false;
}

}  // namespace qzd::testing
