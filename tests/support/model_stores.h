// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "model/model_value_store.h"

namespace qzd::testing {

inline ModelValueStore StoreWith(std::initializer_list<std::pair<int, std::int32_t>> values) {
  ModelValueStore store;
  for (const auto& [slot, value] : values) store.set(slot, value);
  return store;
}

// A glider with flaps and crow: travel 100, expo -30, dual rates, small trims, mixers and one
// free mixer in use.
inline ModelValueStore GliderStore() {
  ModelValueStore store = StoreWith({{0, 4}, {1, 1}, {8, 1}, {96, 1}, {97, 0}});
  for (int k = 0; k < 7; ++k) {
    store.set(98 + 4 * k, k == 2 ? 1 : 0);
    store.set(99 + 4 * k, 100);
    store.set(100 + 4 * k, k == 1 ? 253 : 0);
    store.set(101 + 4 * k, 100);
  }
  for (int base : {142, 161, 180}) {
    store.set(base, 253);
    for (int p = 1; p <= 3; ++p) {
      store.set(base + 2 + 2 * p, 100);
      store.set(base + 3 + 2 * p, 70);
      store.set(base + 11 + p, 0);
      store.set(base + 14 + p, p == 2 ? 254 : 1);
    }
  }
  for (const auto& [slot, value] : std::vector<std::pair<int, std::int32_t>>{
           {9, 4},   {10, 0},  {13, 5},   {14, 236},  {18, 25},  {21, 100}, {22, 50},
           {39, 40}, {42, 60}, {43, 30},  {66, 10},   {67, 251}, {77, 5},   {203, 66},
           {204, 6}, {205, 5}, {206, 30}, {207, 226}, {214, 2},  {215, 3}}) {
    store.set(slot, value);
  }
  return store;
}

}  // namespace qzd::testing
